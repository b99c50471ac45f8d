#include "poi/Commandes_POI.h"

#include "poi/Gerer_POI.h"
#include "poi/Historique.h"
#include "poi/Horodatage.h"
#include "poi/Saisie_Coordonnees.h"
#include "ui/Contexte.h"

namespace Fichiers {

namespace {
Declarations::Saisie Saisie_Tapee(Contexte& c) {
    return {c.ui.Lat_Long->text(), c.ui.Nom_WP->text(), Horodatage::Maintenant()};
}
} // namespace

bool Valider_Saisie_POI(Contexte& c) {
    const int p = c.poi.POI_Courant;
    const bool existe = Declarations::Est_POI(c.poi, p);
    const Declarations::Fiche avant =
        existe ? Declarations::Lire_Fiche(c.poi, p) : Declarations::Fiche{};
    const QString refus = Declarations::Modifier_POI(c.poi, Saisie_Tapee(c));
    // Refused for its name, the entry has stored its coordinates: a change all the same.
    if (existe && (avant.lat != c.poi.Lat_POI[p] || avant.lon != c.poi.Long_POI[p] ||
                   avant.nom != c.poi.Nom_POI[p] || avant.date != c.poi.Date_POI[p]))
        Historique::Noter_Fiche(c, p, avant,
                                QStringLiteral("la modification de ") + Historique::Nom(avant.nom));
    if (!refus.isEmpty()) {
        c.services.Message(refus);
        return false;
    }
    Gerer_POI::Afficher_POI(c);
    c.ui.ListePOI->SetListIndex(c.poi.POI_Courant - 1);
    return true;
}

} // namespace Fichiers

namespace Gerer_POI {

namespace {

bool POI_Choisi(Contexte& c) {
    if (Declarations::Est_POI(c.poi, c.poi.POI_Courant))
        return true;
    c.services.Message(QStringLiteral("Sélectionnez d'abord un POI"));
    return false;
}

// Returns false when the entry was refused: the user keeps "Nouveau Poi" and what was typed,
// to correct it, unless the store is full.
bool Creer(Contexte& c) {
    Declarations::Declarations& d = c.poi;
    const QString refus = Declarations::Creer_POI(d, Fichiers::Saisie_Tapee(c));
    if (!refus.isEmpty()) {
        c.services.Message(refus);
        if (refus == Declarations::Message_Plein(d))
            c.ui.Option1->Eteindre(1);
        return false;
    }
    const int p = d.POI_Courant;
    Historique::Noter(c,
                      {Declarations::Changement::Insertion, p, {}, Declarations::Lire_Fiche(d, p)},
                      QStringLiteral("la création de ") + Historique::Nom(d.Nom_POI[p]));
    Afficher_POI(c);
    c.ui.ListePOI->SetListIndex(d.POI_Courant - 1);
    Afficher_POI(c);
    c.ui.ListePOI->SetListIndex(-1);
    return true;
}

void Supprimer(Contexte& c) {
    const int p = c.poi.POI_Courant;
    const Declarations::Fiche avant = Declarations::Lire_Fiche(c.poi, p);
    Declarations::Retirer_POI(c.poi, p);
    Historique::Noter(c, {Declarations::Changement::Retrait, p, avant, {}},
                      QStringLiteral("la suppression de ") + Historique::Nom(avant.nom));
    Afficher_POI(c);
    c.ui.ListeLiens->SetListIndex(-1);
    c.ui.ListePOI->SetListIndex(-1);
}

} // namespace

void Validation_Click(Contexte& c) {
    Options& options = *c.ui.Option1;
    if (!options.Value(0) && !options.Value(1) && !options.Value(2)) {
        c.services.Message(
            QStringLiteral("Indiquer ce qu'il faut faire : modifier, ajouter, supprimer ?"));
        return;
    }
    if (options.Value(0)) {
        if (!POI_Choisi(c))
            return;
        Fichiers::Valider_Saisie_POI(c);
    } else if (options.Value(1)) {
        if (!Creer(c))
            return;
    } else {
        if (!POI_Choisi(c))
            return;
        Supprimer(c);
    }
    options.Tout_Eteindre();
}

} // namespace Gerer_POI
