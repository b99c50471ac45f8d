#pragma once

struct Contexte;

namespace Gerer_POI {

// Rebuilds ListePOI from the store (no entry selected; POI_Courant unchanged).
void Afficher_POI(Contexte& c);

// Selection handler of ListePOI: makes the selected POI current and brings the window to it.
void ListePOI_Click(Contexte& c);
// Clicks into the entry boxes: remove the prompt while "Nouveau Poi" is chosen.
void Lat_Long_Click(Contexte& c);
void Nom_WP_Click(Contexte& c);
// An action option has just been switched on.
void Option1_Click(Contexte& c, int index);

} // namespace Gerer_POI
