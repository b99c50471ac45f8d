#pragma once

struct Contexte;

namespace Carte {

// Sends the web map to POI_Courant.
void Afficher_Carte(Contexte& c);

} // namespace Carte
