// Quillvane: prepares waypoints for the OpenCPN chart plotter.

#include "core/Entree.h"
#include "ui/Contexte.h"
#include "ui/Services_Qt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillvane"));
    QApplication::setDesktopFileName(QStringLiteral("quillvane"));

    // The program speaks French: Qt's own dialogs and buttons too.
    QTranslator traduction;
    if (traduction.load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduction);

    Services_Qt services;
    Contexte contexte(services);
    services.Suivre(contexte.ui);
    Entree::Main(contexte);
    return application.exec();
}
