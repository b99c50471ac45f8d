#include "Navigateur.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace Navigateur {

QWebEngineProfile* Profil() {
    QCoreApplication* application = QCoreApplication::instance();
    if (auto* profil =
            application->findChild<QWebEngineProfile*>(Nom_Profil, Qt::FindDirectChildrenOnly))
        return profil;

    auto* profil = new QWebEngineProfile(Nom_Profil, application);
    profil->setObjectName(Nom_Profil);
    const QString sousDossier = QStringLiteral("/navigateur");
    profil->setPersistentStoragePath(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + sousDossier);
    profil->setCachePath(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                         sousDossier);
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
    return vue;
}

} // namespace Navigateur
