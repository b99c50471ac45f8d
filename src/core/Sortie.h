#pragma once

// Quitting, as far as the document and the settings go; the main window then stores the
// window positions and unloads the windows.

struct Contexte;

namespace Sortie {

// The save question. False when it is put aside (Escape, its close box) or when the save
// fails: the program stays open, as quitting would lose the document. Otherwise the stored
// positions are cleared, to be written afresh.
bool Quitter_Click(Contexte& c);

} // namespace Sortie
