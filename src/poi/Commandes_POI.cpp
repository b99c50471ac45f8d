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
    if (!coordonnees || p < 1 || p > d.Nb_POI) {
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
    const int p = c.poi.POI_Courant;
    if (p >= 1 && p <= c.poi.Nb_POI)
        return true;
    c.services.Message(QStringLiteral("Sélectionnez d'abord un POI"));
    return false;
}

// One entry of every table of the store, links included.
struct Entree_POI {
    QString nom, date, lat, lon;
    qint16 nb_liens = 0;
    Declarations::Liens urls, noms;
};

Entree_POI Lire_Entree(const Declarations::Declarations& d, int i) {
    return {d.Nom_POI[i],  d.Date_POI[i], d.Lat_POI[i], d.Long_POI[i],
            d.Nb_Liens[i], d.Lien_URL[i], d.Lien_Nom[i]};
}

void Ecrire_Entree(Declarations::Declarations& d, int i, const Entree_POI& e) {
    d.Nom_POI[i] = e.nom;
    d.Date_POI[i] = e.date;
    d.Lat_POI[i] = e.lat;
    d.Long_POI[i] = e.lon;
    d.Nb_Liens[i] = e.nb_liens;
    d.Lien_URL[i] = e.urls;
    d.Lien_Nom[i] = e.noms;
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
    const Entree_POI avant = Lire_Entree(d, p);

    d.Nb_POI = qint16(p);
    d.POI_Courant = qint16(p);
    // Whatever a deleted POI left at this index: no name, no time, no links.
    d.Nom_POI[p].clear();
    d.Lat_POI[p].clear();
    d.Long_POI[p].clear();
    d.Date_POI[p].clear();
    d.Nb_Liens[p] = 0;

    if (!Fichiers::Valider_Saisie_POI(c)) {
        Ecrire_Entree(d, p, avant);
        d.Nb_POI = nb_avant;
        d.POI_Courant = courant_avant;
        return false;
    }
    Afficher_POI(c);
    c.ui.ListePOI->SetListIndex(-1);
    return true;
}

void Supprimer(Contexte& c) {
    Declarations::Declarations& d = c.poi;
    const int n = --d.Nb_POI;
    for (int k = d.POI_Courant; k <= n; ++k)
        Ecrire_Entree(d, k, Lire_Entree(d, k + 1));
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
