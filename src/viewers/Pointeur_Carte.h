#pragma once

// What the chart tells of the place under the pointer, and the places it hands to the window:
// a readout in degrees and minutes with the distance and true bearing from the selected POI,
// the marker under a click, the position under a double-click as decimal degrees.

#include "viewers/Dessin_Carte.h"

#include <vector>

namespace Pointeur_Carte {

// The POI whose marker is at `ecran`, the selected one first as it is drawn above the others;
// -1 for none.
int Repere_Sous(const Dessin_Carte::Vue& v, const std::vector<Dessin_Carte::Repere>& reperes,
                int choisi, QPointF ecran);

// "47.72,-3.99": the place at `ecran` in decimal degrees, latitude first, with no more
// decimals than a pixel of the chart resolves, as the position box takes it.
QString Texte_Lieu(const Dessin_Carte::Vue& v, QPointF ecran);

// "47°43,100′N 003°59,900′W — à 2,35 milles au 245° vrai de Concarneau": the place at `ecran`,
// and its distance and true bearing from the selected POI when it has a place.
QString Lecture(const Dessin_Carte::Vue& v, const std::vector<Dessin_Carte::Repere>& reperes,
                int choisi, QPointF ecran);

// "Concarneau : 47°52,182′N 003°54,750′W"; empty without a selected POI that has a place.
QString Position_Choisi(const std::vector<Dessin_Carte::Repere>& reperes, int choisi);

} // namespace Pointeur_Carte
