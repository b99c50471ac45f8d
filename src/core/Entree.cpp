#include "Entree.h"

#include "core/Reglages.h"
#include "gpx/Fichiers.h"
#include "ui/Contexte.h"
#include "ui/Creer_POI.h"
#include "ui/TexteLien1.h"
#include "ui/Twips.h"
#include "viewers/Adresses_Carte.h"

#include <QCoreApplication>
#include <QGroupBox>

namespace Entree {

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

void Main(Contexte& c, QWidget* carte) {
    c.poi.Max_POI = Declarations::Capacite;
    c.poi.Nb_POI = 0;
    c.poi.POI_Courant = 0;
    c.poi.Vider_POI();
    c.poi.Vider_Liens();

    c.fenetre = std::make_unique<Creer_POI>(c, carte);
    c.services.Naviguer(Carte::Adresse_Depart());
    const int huit = Twips::Vers_Pixels(8);
    c.ui.LIENS->move(huit, huit);
    c.fenetre->show();
    c.ui.ListeLiens->clear();
    c.ui.ListePOI->clear();

    Placer_Fenetre(c, c.fenetre.get(), Reglages::Creer_POI_MargeG, Reglages::Creer_POI_Haut);
    c.texteLien1 = std::make_unique<TexteLien1>(c);
    Placer_Fenetre(c, c.texteLien1.get(), Reglages::TexteLien1_MargeG, Reglages::TexteLien1_Haut);
}

void Quitter_Click(Contexte& c) {
    // A save that fails keeps the program open: quitting would lose the document.
    if (c.services.Question(QStringLiteral("Voulez-vous sauver le fichier ?")) &&
        !Fichiers::Sauve_Fichier(c))
        return;

    c.services.Supprimer_Section(Reglages::Section);
    if (c.fenetre)
        Memoriser_Fenetre(c, c.fenetre.get(), Reglages::Creer_POI_MargeG, Reglages::Creer_POI_Haut);
    // A description window closed by "Fermer" is made afresh to be read.
    if (!c.texteLien1)
        c.texteLien1 = std::make_unique<TexteLien1>(c);
    Memoriser_Fenetre(c, c.texteLien1.get(), Reglages::TexteLien1_MargeG,
                      Reglages::TexteLien1_Haut);

    if (c.fenetre)
        c.fenetre->Decharger();
    c.texteLien1->Decharger();
    QCoreApplication::quit();
}

void Form_QueryUnload(Contexte& c, bool& cancel, int unloadmode) {
    if (unloadmode != 0)
        return;
    Quitter_Click(c);
    // Still loaded: quitting was stopped by a failed save.
    cancel = c.fenetre && !c.fenetre->Decharge();
}

} // namespace Entree
