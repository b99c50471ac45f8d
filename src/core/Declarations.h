#pragma once

// The POI store: the only copy of the open document, shared by every handler.
// POIs live at indices 1..Nb_POI; index 0 is never a POI and link slot 0 is never a link.

#include <QString>
#include <array>

namespace Declarations {

inline constexpr int Capacite = 100; // entries 0..Capacite exist in every table
inline constexpr int Liens_Max = 5;  // slots 0..Liens_Max exist for every POI

template <typename T> using Table = std::array<T, Capacite + 1>;
using Liens = std::array<QString, Liens_Max + 1>;

struct Declarations {
    qint16 Max_POI = 0; // set to Capacite by start-up
    qint16 Nb_POI = 0;
    qint16 POI_Courant = 0;
    QString Nom_Fichier;
    QString Nom_Court;
    QString Dossier_Fichier;

    Table<QString> Nom_POI;
    Table<QString> Date_POI;
    Table<QString> Lat_POI;
    Table<QString> Long_POI;
    Table<qint16> Nb_Liens{};
    Table<Liens> Lien_URL;
    Table<Liens> Lien_Nom;

    // Empties the name, time and coordinate tables (the links are kept).
    void Vider_POI();
    // Empties both link tables and every link count.
    void Vider_Liens();
};

// The store's own operations: every handler that changes a POI or its links goes through
// them, so that a field added to the store has one place to be copied.

// The one test of whether `i` names a POI of the document (1 to Nb_POI).
bool Est_POI(const Declarations& d, int i);

// One entry of every table, links included.
struct Fiche {
    QString nom, date, lat, lon;
    qint16 nb_liens = 0;
    Liens urls, noms;
};
Fiche Lire_Fiche(const Declarations& d, int i);
void Ecrire_Fiche(Declarations& d, int i, const Fiche& fiche);
// POI i emptied: no name, time, coordinates or links.
void Vider_Fiche(Declarations& d, int i);
// POI i taken out: the POIs after it move down one place and Nb_POI drops by one.
void Retirer_POI(Declarations& d, int i);

// Appends a link to POI i; false, and nothing changed, when it has five already.
bool Ajouter_Lien(Declarations& d, int i, const QString& url, const QString& nom);
// The link takes `slot` of POI i; the links from there move up one slot, the fifth is lost.
void Inserer_Lien(Declarations& d, int i, int slot, const QString& url, const QString& nom);
// Link `slot` of POI i taken out; the links after it move down one slot.
void Retirer_Lien(Declarations& d, int i, int slot);

} // namespace Declarations
