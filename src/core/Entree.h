#pragma once

struct Contexte;
class QString;
class QWidget;

namespace Entree {

// Start-up: sizes the store, shows the main window at its stored place, creates the
// description window hidden at its stored place.
void Main(Contexte& c);

// Places a window from the two settings keys, each coordinate on its own.
void Placer_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                    const QString& cleHaut);
// Stores a window's outer position under the two keys.
void Memoriser_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                       const QString& cleHaut);

// Quitting: the save question, the window positions, then the end of the program.
void Quitter_Click(Contexte& c);
// unloadmode 0: the user closes the main window; other values: the program or the system.
void Form_QueryUnload(Contexte& c, bool& cancel, int unloadmode);

} // namespace Entree
