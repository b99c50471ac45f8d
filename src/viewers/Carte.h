#pragma once

#include "viewers/Dessin_Carte.h"

#include <QString>

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

// A click on the marker of POI `index` + 1 of the chart: that POI is selected in ListePOI,
// as a click on its entry would.
void Carte_Marine_Click(Contexte& c, int index);
// A double-click on the chart: the place goes into Lat_Long, for "Valider".
void Carte_Marine_DblClick(Contexte& c, const QString& lat_long);
// Routes the chart's clicks to these handlers, when the web view has a chart.
void Relier_Carte(Contexte& c);

} // namespace Carte
