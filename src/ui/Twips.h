#pragma once

// The window geometry is designed in twips: 1440 to the inch of the screen's logical
// resolution, so 15 twips make one pixel at 96 dpi.

#include <QPoint>
#include <QRect>

namespace Twips {

double Par_Pixel();
int Vers_Pixels(double twips);
double De_Pixels(int pixels);
QRect Rect(int gauche, int haut, int largeur, int hauteur);

} // namespace Twips
