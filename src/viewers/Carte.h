#pragma once

#include "viewers/Dessin_Carte.h"

struct Contexte;

namespace Carte {

// Sends the web map to POI_Courant; the chart, when the web view has one, shows it too.
void Afficher_Carte(Contexte& c);
// POI i (from 1) of the store as the chart shows it.
Dessin_Carte::Repere Repere_POI(const Contexte& c, int i);
// Gives the chart the POIs of the store.
void Afficher_Reperes(Contexte& c);
// The same, the chart then framing them all: a file has been read.
void Cadrer_Reperes(Contexte& c);

} // namespace Carte
