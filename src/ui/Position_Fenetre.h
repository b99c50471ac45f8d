#pragma once

// The stored places of the windows, read at start-up and written when the program quits.

struct Contexte;
class QString;
class QWidget;

namespace Position_Fenetre {

// Places a window from the two settings keys, each coordinate on its own.
void Placer_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                    const QString& cleHaut);
// Stores a window's outer position under the two keys.
void Memoriser_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                       const QString& cleHaut);

} // namespace Position_Fenetre
