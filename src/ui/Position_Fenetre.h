#pragma once

// The stored places of the windows, read at start-up and written when the program quits. The
// stored place is the window's outer corner, frame included, both ways: a window shown and
// closed any number of times comes back where it was.

#include <QList>
#include <QPoint>
#include <QRect>

struct Contexte;
class QString;
class QWidget;

namespace Position_Fenetre {

// Places a window from the two settings keys, each coordinate on its own, then onto a screen.
void Placer_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                    const QString& cleHaut);
// Stores a window's outer position under the two keys.
void Memoriser_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                       const QString& cleHaut);

// Where a window whose outside is `cadre` goes: where it is while the strip of its title bar
// (`titre` high) is on one of the `ecrans`; otherwise onto the screen nearest to it, whole
// when it fits.
QPoint Sur_Ecran(const QRect& cadre, int titre, const QList<QRect>& ecrans);

} // namespace Position_Fenetre
