#pragma once

#include <QString>

struct Contexte;

namespace Carte {

// Sends the web map to POI_Courant; the chart, when the web view has one, shows it too.
void Afficher_Carte(Contexte& c);
// Gives the chart the POIs of the store.
void Afficher_Reperes(Contexte& c);

// A click on the marker of POI `index` + 1 of the chart: that POI is selected in ListePOI,
// as a click on its entry would.
void Carte_Marine_Click(Contexte& c, int index);
// A double-click on the chart: the place goes into Lat_Long, for "Valider".
void Carte_Marine_DblClick(Contexte& c, const QString& lat_long);
// Routes the chart's clicks to these handlers, when the web view has a chart.
void Relier_Carte(Contexte& c);

} // namespace Carte
