#pragma once

// The description editor: a text file beside the GPX file, linked as "Description".

struct Contexte;

namespace Gerer_liens {

void Descriptif_Click(Contexte& c);
// Fills the description window's text from the file of POI_Courant.
void Ouverture(Contexte& c);
void Enregistrer_Click(Contexte& c);
void Fermer_Click(Contexte& c);
// The close box of the description window (unload mode 0) is refused.
void TexteLien1_QueryUnload(Contexte& c, bool& cancel, int unloadmode);

} // namespace Gerer_liens
