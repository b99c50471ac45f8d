#pragma once

// The description editor: a text file beside the GPX file, linked as "Description". The
// description window shows, places and closes itself; these handlers do the rest.

#include <QString>
#include <optional>

struct Contexte;

namespace Gerer_liens {

// The main window's button: false, after a message, while no POI is chosen.
bool Descriptif_Click(Contexte& c);
// The text of POI_Courant's description file; nothing when the file cannot be read.
std::optional<QString> Ouverture(const Contexte& c);
// Writes the window's text (lines ending in CR LF) and links the file to the POI.
void Enregistrer_Click(Contexte& c, const QString& texte);
// The close box of the description window (unload mode 0) is refused.
void TexteLien1_QueryUnload(Contexte& c, bool& cancel, int unloadmode);

} // namespace Gerer_liens
