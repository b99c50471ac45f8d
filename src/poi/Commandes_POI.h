#pragma once

struct Contexte;

namespace Fichiers {
// Checks Lat_Long and Nom_WP and stores them at POI_Courant; true when stored.
bool Valider_Saisie_POI(Contexte& c);
} // namespace Fichiers

namespace Gerer_POI {
// The "Valider" button of the POI frame: modify, create or delete as the options say.
void Validation_Click(Contexte& c);
} // namespace Gerer_POI
