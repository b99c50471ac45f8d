#include "Position_Fenetre.h"

#include "core/Reglages.h"
#include "ui/Contexte.h"
#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace Position_Fenetre {

namespace {

// The height of a title bar, while the window's frame is not known yet.
constexpr int Titre_Minimal = 20;

int Distance(const QRect& ecran, const QPoint& point) {
    const int dx = std::max({ecran.left() - point.x(), 0, point.x() - ecran.right()});
    const int dy = std::max({ecran.top() - point.y(), 0, point.y() - ecran.bottom()});
    return dx + dy;
}

// Puts the window's outer corner at `coin`. Once the frame is known, the inside is placed,
// which no window manager reads otherwise; before, the position is the frame's by Qt's rule.
void Deplacer(QWidget* fenetre, const QPoint& coin) {
    const QPoint marges = fenetre->geometry().topLeft() - fenetre->frameGeometry().topLeft();
    if (fenetre->isVisible() && !marges.isNull())
        fenetre->setGeometry(QRect(coin + marges, fenetre->geometry().size()));
    else
        fenetre->move(coin);
}

} // namespace

QPoint Sur_Ecran(const QRect& cadre, int titre, const QList<QRect>& ecrans) {
    const QRect bande(cadre.topLeft(), QSize(cadre.width(), std::max(titre, 1)));
    const QRect* proche = nullptr;
    int distance = std::numeric_limits<int>::max();
    for (const QRect& ecran : ecrans) {
        if (ecran.intersects(bande))
            return cadre.topLeft();
        if (const int d = Distance(ecran, cadre.center()); d < distance) {
            distance = d;
            proche = &ecran;
        }
    }
    if (!proche)
        return cadre.topLeft();
    const auto borner = [](int valeur, int debut, int taille, int place) {
        return std::max(debut, std::min(valeur, debut + place - taille));
    };
    return {borner(cadre.x(), proche->x(), cadre.width(), proche->width()),
            borner(cadre.y(), proche->y(), cadre.height(), proche->height())};
}

void Placer_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                    const QString& cleHaut) {
    // Each coordinate on its own: a bad value keeps that one where it is.
    QRect cadre = fenetre->frameGeometry();
    if (const auto gauche = Reglages::Texte_Vers_Position(
            c.services.Lire_Reglage(Reglages::Section, cleGauche), c.locale))
        cadre.moveLeft(Twips::Vers_Pixels(*gauche));
    if (const auto haut = Reglages::Texte_Vers_Position(
            c.services.Lire_Reglage(Reglages::Section, cleHaut), c.locale))
        cadre.moveTop(Twips::Vers_Pixels(*haut));
    QList<QRect> ecrans;
    for (const QScreen* ecran : QGuiApplication::screens())
        ecrans << ecran->availableGeometry();
    const int titre =
        std::max(Titre_Minimal, fenetre->geometry().top() - fenetre->frameGeometry().top());
    Deplacer(fenetre, Sur_Ecran(cadre, titre, ecrans));
}

void Memoriser_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                       const QString& cleHaut) {
    const QPoint place = fenetre->frameGeometry().topLeft();
    c.services.Ecrire_Reglage(
        Reglages::Section, cleGauche,
        Reglages::Position_Vers_Texte(float(Twips::De_Pixels(place.x())), c.locale));
    c.services.Ecrire_Reglage(
        Reglages::Section, cleHaut,
        Reglages::Position_Vers_Texte(float(Twips::De_Pixels(place.y())), c.locale));
}

} // namespace Position_Fenetre
