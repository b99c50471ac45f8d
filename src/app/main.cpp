// Quillvane: prepares waypoints for the OpenCPN chart plotter.

#include "core/Entree.h"
#include "core/Ligne_Commande.h"
#include "gpx/Fichiers.h"
#include "ui/Contexte.h"
#include "ui/Services_Qt.h"
#include "viewers/Navigateur.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

int main(int argc, char* argv[]) {
    // The command line first: the help and the version need no display and no web engine.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const Ligne_Commande::Demande demande = Ligne_Commande::Analyser(arguments);
    if (demande.action != Ligne_Commande::Action::Demarrer) {
        const bool refus = demande.action == Ligne_Commande::Action::Refuser;
        std::fputs(demande.texte.toLocal8Bit().constData(), refus ? stderr : stdout);
        return refus ? Ligne_Commande::Statut_Refus : 0;
    }

    // Run by root, the web engine would end the program with a line of its own: the program
    // says why first, and the map goes without the engine's sandbox.
    const QString avertissement = Navigateur::Preparer_Sandbox();
    if (!avertissement.isEmpty())
        std::fputs((avertissement + u'\n').toLocal8Bit().constData(), stderr);

    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Quillvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Quillvane"));
    QCoreApplication::setApplicationVersion(Ligne_Commande::Version());
    QApplication::setDesktopFileName(QStringLiteral("quillvane"));

    // The program speaks French: Qt's own dialogs and buttons too, and the web view's own
    // pages (its error page without a network), which follow the default locale when the
    // web engine starts.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator traduction;
    if (traduction.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&traduction);

    Services_Qt services;
    Contexte contexte(services);
    services.Suivre(contexte.ui);
    Entree::Main(contexte);
    if (!avertissement.isEmpty())
        services.Message(avertissement);
    // A file given on the command line, or by the file manager, opens as if chosen with ">>>".
    if (!demande.fichier.isEmpty())
        Fichiers::Ouvrir_Fichier_Nomme(contexte, demande.fichier);
    return application.exec();
}
