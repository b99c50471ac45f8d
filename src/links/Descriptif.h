#pragma once

// The description editor: a text file beside the GPX file, linked as "Description". The
// description window shows, places and closes itself; these handlers do the rest. The window
// belongs to one POI at a time (Contexte::descriptif).

#include <QString>
#include <optional>

struct Contexte;

namespace Gerer_liens {

// The main window's button: false, after a message, while no POI is chosen; otherwise the
// window now belongs to POI_Courant.
bool Descriptif_Click(Contexte& c);
// The window now belongs to POI `poi` and its description file.
void Descriptif_Suivre(Contexte& c, int poi);
// The text of the window's description file; nothing when the file cannot be read.
std::optional<QString> Ouverture(Contexte& c);
// Writes the window's text (lines ending in CR LF) into the file it showed and links the file
// to the window's POI.
void Enregistrer_Click(Contexte& c, const QString& texte);
// The close box of the description window (unload mode 0) is refused.
void TexteLien1_QueryUnload(Contexte& c, bool& cancel, int unloadmode);

} // namespace Gerer_liens
