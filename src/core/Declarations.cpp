#include "Declarations.h"

#include "poi/Saisie_Coordonnees.h"

namespace Declarations {

void Vider_Document(Declarations& d) {
    d.Nb_POI = 0;
    for (int i = 0; i <= Capacite; ++i)
        Vider_Fiche(d, i);
    d.Garde_Document = {};
}

bool Est_POI(const Declarations& d, int i) {
    return i >= 1 && i <= d.Nb_POI && i <= Capacite;
}

Fiche Lire_Fiche(const Declarations& d, int i) {
    return {d.Nom_POI[i],  d.Date_POI[i], d.Lat_POI[i],  d.Long_POI[i],
            d.Nb_Liens[i], d.Lien_URL[i], d.Lien_Nom[i], d.Garde[i]};
}

void Ecrire_Fiche(Declarations& d, int i, const Fiche& f) {
    d.Nom_POI[i] = f.nom;
    d.Date_POI[i] = f.date;
    d.Lat_POI[i] = f.lat;
    d.Long_POI[i] = f.lon;
    d.Nb_Liens[i] = f.nb_liens;
    d.Lien_URL[i] = f.urls;
    d.Lien_Nom[i] = f.noms;
    d.Garde[i] = f.garde;
}

void Vider_Fiche(Declarations& d, int i) {
    Ecrire_Fiche(d, i, Fiche{});
}

void Retirer_POI(Declarations& d, int i) {
    const int n = --d.Nb_POI;
    for (int k = i; k <= n; ++k)
        Ecrire_Fiche(d, k, Lire_Fiche(d, k + 1));
}

QString Modifier_POI(Declarations& d, const Saisie& saisie) {
    if (d.Nom_Fichier.isEmpty())
        return QStringLiteral("Définissez un nom de fichier");
    if (saisie.lat_long.isEmpty())
        return QStringLiteral("Entrez une valeur valide latitude-longitude");
    const auto coordonnees = Saisie_Coordonnees::Decouper(saisie.lat_long);
    const int p = d.POI_Courant;
    // An index outside the document is a failure as well, never a write beside the tables.
    if (!coordonnees || !Est_POI(d, p))
        return QStringLiteral("Latidute-Longitude incorrect");
    d.Lat_POI[p] = coordonnees->lat;
    d.Long_POI[p] = coordonnees->lon;
    if (saisie.nom.isEmpty())
        return QStringLiteral("Le nom du POI n'est pas défini");
    d.Nom_POI[p] = saisie.nom;
    if (d.Date_POI[p].isEmpty())
        d.Date_POI[p] = saisie.maintenant;
    return QString();
}

QString Message_Plein(const Declarations& d) {
    return QStringLiteral("Il y a déjà le nombre maximal ") + QString::number(d.Max_POI) +
           QStringLiteral(" POI enregistrés dans ce fichier. Créez un nouveau fichier");
}

QString Creer_POI(Declarations& d, const Saisie& saisie) {
    if (d.Nb_POI >= d.Max_POI || d.Nb_POI >= Capacite)
        return Message_Plein(d);
    const qint16 nb_avant = d.Nb_POI;
    const qint16 courant_avant = d.POI_Courant;
    const int p = nb_avant + 1;
    const Fiche avant = Lire_Fiche(d, p);
    d.Nb_POI = qint16(p);
    d.POI_Courant = qint16(p);
    // Whatever a deleted POI left at this index: no name, no time, no links, nothing kept.
    Vider_Fiche(d, p);
    const QString refus = Modifier_POI(d, saisie);
    if (!refus.isEmpty()) {
        Ecrire_Fiche(d, p, avant);
        d.Nb_POI = nb_avant;
        d.POI_Courant = courant_avant;
    }
    return refus;
}

bool Ajouter_Lien(Declarations& d, int i, const QString& url, const QString& nom) {
    if (d.Nb_Liens[i] >= Liens_Max)
        return false;
    const int n = ++d.Nb_Liens[i];
    d.Lien_URL[i][n] = url;
    d.Lien_Nom[i][n] = nom;
    d.Garde[i].liens[n].clear();
    return true;
}

void Inserer_Lien(Declarations& d, int i, int slot, const QString& url, const QString& nom) {
    auto& gardes = d.Garde[i].liens;
    for (int k = Liens_Max; k > slot; --k) {
        d.Lien_URL[i][k] = d.Lien_URL[i][k - 1];
        d.Lien_Nom[i][k] = d.Lien_Nom[i][k - 1];
        gardes[k] = gardes[k - 1];
    }
    d.Lien_URL[i][slot] = url;
    d.Lien_Nom[i][slot] = nom;
    gardes[slot].clear();
    if (d.Nb_Liens[i] < Liens_Max)
        ++d.Nb_Liens[i];
}

void Retirer_Lien(Declarations& d, int i, int slot) {
    auto& gardes = d.Garde[i].liens;
    for (int k = slot; k < d.Nb_Liens[i]; ++k) {
        d.Lien_URL[i][k] = d.Lien_URL[i][k + 1];
        d.Lien_Nom[i][k] = d.Lien_Nom[i][k + 1];
        gardes[k] = gardes[k + 1];
    }
    gardes[d.Nb_Liens[i]].clear();
    --d.Nb_Liens[i];
}

void Inserer_POI(Declarations& d, int i, const Fiche& fiche) {
    for (int k = d.Nb_POI; k >= i; --k)
        Ecrire_Fiche(d, k + 1, Lire_Fiche(d, k));
    Ecrire_Fiche(d, i, fiche);
    ++d.Nb_POI;
}

namespace {
void Appliquer(Declarations& d, Changement::Sorte sorte, int i, const Fiche& fiche) {
    switch (sorte) {
    case Changement::Remplacement:
        Ecrire_Fiche(d, i, fiche);
        break;
    case Changement::Insertion:
        Inserer_POI(d, i, fiche);
        break;
    case Changement::Retrait:
        Retirer_POI(d, i);
        break;
    }
}
} // namespace

void Refaire(Declarations& d, const Changement& ch) {
    Appliquer(d, ch.sorte, ch.poi, ch.apres);
}

Changement::Sorte Inverse(Changement::Sorte sorte) {
    return sorte == Changement::Insertion ? Changement::Retrait
           : sorte == Changement::Retrait ? Changement::Insertion
                                          : Changement::Remplacement;
}

void Defaire(Declarations& d, const Changement& ch) {
    Appliquer(d, Inverse(ch.sorte), ch.poi, ch.avant);
}

} // namespace Declarations
