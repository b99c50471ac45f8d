#pragma once

struct Contexte;
class QString;
class QWidget;

namespace Entree {

// Start-up: sizes the store, shows the main window at its stored place, creates the
// description window hidden at its stored place. `carte` stands in for the web map when given
// (the tests that never look at the map start faster without the web engine).
void Main(Contexte& c, QWidget* carte = nullptr);

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
