#include "poi/Commandes_POI.h"

#include "poi/Gerer_POI.h"
#include "poi/Horodatage.h"
#include "poi/Saisie_Coordonnees.h"
#include "ui/Contexte.h"

namespace Fichiers {

bool Valider_Saisie_POI(Contexte& c) {
    Declarations::Declarations& d = c.poi;
    if (d.Nom_Fichier.isEmpty()) {
        c.services.Message(QStringLiteral("Définissez un nom de fichier"));
        return false;
    }
    const QString saisie = c.ui.Lat_Long->text();
    if (saisie.isEmpty()) {
        c.services.Message(QStringLiteral("Entrez une valeur valide latitude-longitude"));
        return false;
    }
    const auto coordonnees = Saisie_Coordonnees::Decouper(saisie);
    const int p = d.POI_Courant;
    // An index outside the document is a failure as well, never a write beside the tables.
    if (!coordonnees || !Declarations::Est_POI(d, p)) {
        c.services.Message(QStringLiteral("Latidute-Longitude incorrect"));
        return false;
    }
    d.Lat_POI[p] = coordonnees->lat;
    d.Long_POI[p] = coordonnees->lon;

    const QString nom = c.ui.Nom_WP->text();
    if (nom.isEmpty()) {
        c.services.Message(QStringLiteral("Le nom du POI n'est pas défini"));
        return false;
    }
    d.Nom_POI[p] = nom;
    if (d.Date_POI[p].isEmpty())
        d.Date_POI[p] = Horodatage::Maintenant();

    Gerer_POI::Afficher_POI(c);
    c.ui.ListePOI->SetListIndex(p - 1);
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

// Returns false when the entry was refused: the new POI is then withdrawn and the user keeps
// "Nouveau Poi" and what was typed, to correct it.
bool Creer(Contexte& c) {
    Declarations::Declarations& d = c.poi;
    if (d.Nb_POI >= d.Max_POI || d.Nb_POI >= Declarations::Capacite) {
        c.services.Message(QStringLiteral("Il y a déjà le nombre maximal ") +
                           QString::number(d.Max_POI) +
                           QStringLiteral(" POI enregistrés dans ce fichier. Créez un nouveau "
                                          "fichier"));
        c.ui.Option1->Eteindre(1);
        return false;
    }
    const qint16 nb_avant = d.Nb_POI;
    const qint16 courant_avant = d.POI_Courant;
    const int p = nb_avant + 1;
    const Declarations::Fiche avant = Declarations::Lire_Fiche(d, p);

    d.Nb_POI = qint16(p);
    d.POI_Courant = qint16(p);
    // Whatever a deleted POI left at this index: no name, no time, no links.
    Declarations::Vider_Fiche(d, p);

    if (!Fichiers::Valider_Saisie_POI(c)) {
        Declarations::Ecrire_Fiche(d, p, avant);
        d.Nb_POI = nb_avant;
        d.POI_Courant = courant_avant;
        return false;
    }
    Afficher_POI(c);
    c.ui.ListePOI->SetListIndex(-1);
    return true;
}

void Supprimer(Contexte& c) {
    Declarations::Retirer_POI(c.poi, c.poi.POI_Courant);
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
