#include "Navigateur.h"

#include "viewers/Carte_Marine.h"

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace Navigateur {

namespace {
const QString Sous_Dossier = QStringLiteral("/navigateur");
// What the web engine reads to run without its sandbox.
const QString Sans_Sandbox = QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX");
const QString Drapeaux = QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS");
} // namespace

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

bool Sandbox_Impossible(bool superutilisateur, const QProcessEnvironment& environnement) {
    return superutilisateur && !environnement.contains(Sans_Sandbox) &&
           !environnement.value(Drapeaux)
                .split(u' ', Qt::SkipEmptyParts)
                .contains(QStringLiteral("--no-sandbox"));
}

QString Preparer_Sandbox() {
#if defined(Q_OS_UNIX)
    const bool superutilisateur = geteuid() == 0;
#else
    const bool superutilisateur = false;
#endif
    if (!Sandbox_Impossible(superutilisateur, QProcessEnvironment::systemEnvironment()))
        return QString();
    qputenv(Sans_Sandbox.toLatin1().constData(), "1");
    return Avertissement_Root;
}

} // namespace Navigateur
