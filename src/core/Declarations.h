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

} // namespace Declarations
