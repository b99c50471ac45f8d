#pragma once

// Shared by the fuzz targets: a store read from bytes, and its content as a list to compare.

#include "core/Declarations.h"
#include "gpx/Lecture_GPX.h"

#include <QByteArrayView>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

using Magasin = Declarations::Declarations;

inline void Echec(const char* raison) {
    std::fprintf(stderr, "fuzz: %s\n", raison);
    std::abort();
}

inline void Lire(Magasin& poi, QByteArrayView octets) {
    poi.Max_POI = Declarations::Capacite;
    Fichiers::Lire_Fichier(poi, octets);
}

// Nb_POI, then every field of POIs 1..Nb_POI and of their links.
inline QStringList Contenu(const Magasin& poi) {
    QStringList t{QString::number(poi.Nb_POI)};
    for (int i = 1; i <= poi.Nb_POI; ++i) {
        t << poi.Lat_POI[i] << poi.Long_POI[i] << poi.Date_POI[i] << poi.Nom_POI[i]
          << QString::number(poi.Nb_Liens[i]);
        for (int l = 1; l <= poi.Nb_Liens[i]; ++l)
            t << poi.Lien_URL[i][l] << poi.Lien_Nom[i][l];
    }
    return t;
}
