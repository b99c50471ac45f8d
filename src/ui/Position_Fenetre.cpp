#include "Position_Fenetre.h"

#include "core/Reglages.h"
#include "ui/Contexte.h"
#include "ui/Twips.h"

#include <QWidget>

namespace Position_Fenetre {

void Placer_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                    const QString& cleHaut) {
    // Each coordinate on its own: a bad value keeps that one where it is, unclamped otherwise.
    if (const auto gauche = Reglages::Texte_Vers_Position(
            c.services.Lire_Reglage(Reglages::Section, cleGauche), c.locale))
        fenetre->move(Twips::Vers_Pixels(*gauche), fenetre->pos().y());
    if (const auto haut = Reglages::Texte_Vers_Position(
            c.services.Lire_Reglage(Reglages::Section, cleHaut), c.locale))
        fenetre->move(fenetre->pos().x(), Twips::Vers_Pixels(*haut));
}

void Memoriser_Fenetre(Contexte& c, QWidget* fenetre, const QString& cleGauche,
                       const QString& cleHaut) {
    const QPoint place = fenetre->pos();
    c.services.Ecrire_Reglage(
        Reglages::Section, cleGauche,
        Reglages::Position_Vers_Texte(float(Twips::De_Pixels(place.x())), c.locale));
    c.services.Ecrire_Reglage(
        Reglages::Section, cleHaut,
        Reglages::Position_Vers_Texte(float(Twips::De_Pixels(place.y())), c.locale));
}

} // namespace Position_Fenetre
