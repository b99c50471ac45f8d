#include "links/Descriptif.h"

#include "ui/Contexte.h"

// Being built: the description editor.
namespace Gerer_liens {
void Descriptif_Click(Contexte&) {}
void Ouverture(Contexte&) {}
void Enregistrer_Click(Contexte&) {}
void Fermer_Click(Contexte&) {}
void TexteLien1_QueryUnload(Contexte&, bool& cancel, int unloadmode) { cancel = unloadmode == 0; }
} // namespace Gerer_liens
