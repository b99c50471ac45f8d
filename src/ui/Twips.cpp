#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace Twips {

double Par_Pixel() {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    const double dpi = ecran ? ecran->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int Vers_Pixels(double twips) {
    return int(std::lround(twips / Par_Pixel()));
}

double De_Pixels(int pixels) {
    return pixels * Par_Pixel();
}

QRect Rect(int gauche, int haut, int largeur, int hauteur) {
    return QRect(Vers_Pixels(gauche), Vers_Pixels(haut), Vers_Pixels(largeur),
                 Vers_Pixels(hauteur));
}

} // namespace Twips
