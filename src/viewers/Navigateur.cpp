#include "Navigateur.h"

#include "viewers/Carte_Marine.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace Navigateur {

namespace {
const QString Sous_Dossier = QStringLiteral("/navigateur");
}

QString Dossier_Profil() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + Sous_Dossier;
}

QWebEngineProfile* Profil() {
    QCoreApplication* application = QCoreApplication::instance();
    if (auto* profil =
            application->findChild<QWebEngineProfile*>(Nom_Profil, Qt::FindDirectChildrenOnly))
        return profil;

    auto* profil = new QWebEngineProfile(Nom_Profil, application);
    profil->setObjectName(Nom_Profil);
    profil->setPersistentStoragePath(Dossier_Profil());
    profil->setCachePath(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                         Sous_Dossier);
    // Session cookies too: a consent stored as one would otherwise be asked again each run.
    profil->setPersistentCookiesPolicy(QWebEngineProfile::ForcePersistentCookies);
    profil->setHttpAcceptLanguage(Langues);
    return profil;
}

QWebEngineView* Creer_Vue(QWidget* parent) {
    auto* vue = new QWebEngineView(parent);
    vue->setPage(new QWebEnginePage(Profil(), vue));
    // A file dropped on the map goes to the window, which opens a GPX file; the map itself
    // never leaves for a dropped file.
    vue->setAcceptDrops(false);
    new Carte_Marine(vue); // in place of the web map when it cannot be loaded
    return vue;
}

} // namespace Navigateur
