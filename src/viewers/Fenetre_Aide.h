#pragma once

// The help page in a window of the program's own, for a desktop with no browser to show it.

#include <QString>

struct Contexte;

namespace Fenetre_Aide {

inline const QString Titre = QStringLiteral("Aide de Quillvane");

// Shows `adresse` in the help window, made at the first call and brought forward after.
void Montrer(Contexte& c, const QString& adresse);

} // namespace Fenetre_Aide
