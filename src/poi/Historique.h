#pragma once

// Undo and redo of the changes of the document: each change the window makes is recorded,
// once made, with what it takes to go back, and the window follows it back and forth.

#include "core/Declarations.h"

#include <QString>

struct Contexte;

namespace Historique {

// Records `changement`, already made to the store, as "action" ("la suppression de « Houat »"),
// the words that follow "Annuler" and "Rétablir".
void Noter(Contexte& c, const Declarations::Changement& changement, const QString& action);

// Records the change of POI i from `avant` to what it holds now.
void Noter_Fiche(Contexte& c, int i, const Declarations::Fiche& avant, const QString& action);

// "« name »", as the actions name a POI.
QString Nom(const QString& nom);

} // namespace Historique
