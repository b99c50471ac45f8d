#pragma once

// The web view of the map and its profile, kept on disk like a browser's: cookies (such as the
// map provider's consent), storage and cache survive from one run to the next.

#include <QString>

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

} // namespace Navigateur
