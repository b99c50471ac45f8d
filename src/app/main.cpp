// Quillvane: prepares waypoints for the OpenCPN chart plotter.

#include "core/Entree.h"
#include "ui/Contexte.h"
#include "ui/Services_Qt.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillvane"));
    QApplication::setDesktopFileName(QStringLiteral("quillvane"));

    Services_Qt services;
    Contexte contexte(services);
    services.Suivre(contexte.ui);
    Entree::Main(contexte);
    return application.exec();
}
