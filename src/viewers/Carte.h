#pragma once

struct Contexte;

namespace Carte {

// Sends the web map to POI_Courant; the chart, when the web view has one, shows it too.
void Afficher_Carte(Contexte& c);
// Gives the chart the POIs of the store.
void Afficher_Reperes(Contexte& c);

} // namespace Carte
