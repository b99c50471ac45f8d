#pragma once

// The web view of the map and its profile, kept on disk like a browser's: cookies (such as the
// map provider's consent), storage and cache survive from one run to the next.

#include <QString>

class QProcessEnvironment;
class QWebEngineProfile;
class QWebEngineView;
class QWidget;

namespace Navigateur {

inline const QString Nom_Profil = QStringLiteral("quillvane");
// Asked of the web servers, so that the map answers in French.
inline const QString Langues = QStringLiteral("fr-FR, fr");

// The one profile of the program, owned by the application object so that it outlives every
// page: storage under the user's application data folder, cache under the cache folder,
// every cookie kept.
QWebEngineProfile* Profil();
// Where that profile keeps its storage and cookies.
QString Dossier_Profil();

// A web view whose page uses that profile, with the chart that stands in for the web map
// when it cannot be loaded; drops go through both to the window.
QWebEngineView* Creer_Vue(QWidget* parent = nullptr);

// The web engine's sandbox cannot run for root: the engine would end the program at its start
// with a line of its own. True when that would happen, for a process of `superutilisateur`
// with `environnement` (where the sandbox can be turned off).
bool Sandbox_Impossible(bool superutilisateur, const QProcessEnvironment& environnement);
inline const QString Avertissement_Root =
    QStringLiteral("Quillvane est lancé en tant que root : la carte web ne peut pas y être "
                   "protégée par le bac à sable de son moteur, qui refuse alors de l'afficher. "
                   "Elle s'affiche sans cette protection ; lancez plutôt Quillvane depuis votre "
                   "propre compte.");
// Before the web engine starts: when its sandbox is impossible, turns it off for this run and
// gives Avertissement_Root to show; else gives the empty text.
QString Preparer_Sandbox();

} // namespace Navigateur
