#include "Declarations.h"

namespace Declarations {

void Declarations::Vider_POI() {
    Nom_POI.fill(QString());
    Date_POI.fill(QString());
    Lat_POI.fill(QString());
    Long_POI.fill(QString());
}

void Declarations::Vider_Liens() {
    Lien_URL.fill(Liens{});
    Lien_Nom.fill(Liens{});
    Nb_Liens.fill(0);
}

bool Est_POI(const Declarations& d, int i) {
    return i >= 1 && i <= d.Nb_POI && i <= Capacite;
}

Fiche Lire_Fiche(const Declarations& d, int i) {
    return {d.Nom_POI[i],  d.Date_POI[i], d.Lat_POI[i], d.Long_POI[i],
            d.Nb_Liens[i], d.Lien_URL[i], d.Lien_Nom[i]};
}

void Ecrire_Fiche(Declarations& d, int i, const Fiche& f) {
    d.Nom_POI[i] = f.nom;
    d.Date_POI[i] = f.date;
    d.Lat_POI[i] = f.lat;
    d.Long_POI[i] = f.lon;
    d.Nb_Liens[i] = f.nb_liens;
    d.Lien_URL[i] = f.urls;
    d.Lien_Nom[i] = f.noms;
}

void Vider_Fiche(Declarations& d, int i) {
    Ecrire_Fiche(d, i, Fiche{});
}

void Retirer_POI(Declarations& d, int i) {
    const int n = --d.Nb_POI;
    for (int k = i; k <= n; ++k)
        Ecrire_Fiche(d, k, Lire_Fiche(d, k + 1));
}

bool Ajouter_Lien(Declarations& d, int i, const QString& url, const QString& nom) {
    if (d.Nb_Liens[i] >= Liens_Max)
        return false;
    const int n = ++d.Nb_Liens[i];
    d.Lien_URL[i][n] = url;
    d.Lien_Nom[i][n] = nom;
    return true;
}

void Inserer_Lien(Declarations& d, int i, int slot, const QString& url, const QString& nom) {
    for (int k = Liens_Max; k > slot; --k) {
        d.Lien_URL[i][k] = d.Lien_URL[i][k - 1];
        d.Lien_Nom[i][k] = d.Lien_Nom[i][k - 1];
    }
    d.Lien_URL[i][slot] = url;
    d.Lien_Nom[i][slot] = nom;
    if (d.Nb_Liens[i] < Liens_Max)
        ++d.Nb_Liens[i];
}

void Retirer_Lien(Declarations& d, int i, int slot) {
    for (int k = slot; k < d.Nb_Liens[i]; ++k) {
        d.Lien_URL[i][k] = d.Lien_URL[i][k + 1];
        d.Lien_Nom[i][k] = d.Lien_Nom[i][k + 1];
    }
    --d.Nb_Liens[i];
}

} // namespace Declarations
