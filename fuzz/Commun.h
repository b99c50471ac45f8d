#pragma once

// Shared by the GPX fuzz targets: a failed check stops the run, and a store read from bytes
// stays within its tables and holds valid text.

#include "gpx/Lecture_GPX.h"

#include <QStringList>

// qFatal aborts, which libFuzzer reports as a crash, keeping the input.
inline void Exiger(bool condition, const char* raison) {
    if (!condition)
        qFatal("fuzz: %s", raison);
}

// Reads `octets` into `poi` and gives what it then holds, to be compared: Nb_POI, then every
// field of POIs 1..Nb_POI and of their links.
inline QStringList Lire(Declarations::Declarations& poi, QByteArrayView octets) {
    poi.Max_POI = Declarations::Capacite;
    Fichiers::Lire_Fichier(poi, QByteArray::fromRawData(octets.data(), octets.size()));
    Exiger(poi.Nb_POI >= 0 && poi.Nb_POI <= Declarations::Capacite &&
               poi.POI_Courant == poi.Nb_POI + 1,
           "Nb_POI or POI_Courant out of range");
    QStringList t{QString::number(poi.Nb_POI)};
    for (int i = 1; i <= poi.Nb_POI; ++i) {
        Exiger(poi.Nb_Liens[i] >= 0 && poi.Nb_Liens[i] <= Declarations::Liens_Max, "Nb_Liens");
        t << poi.Lat_POI[i] << poi.Long_POI[i] << poi.Date_POI[i] << poi.Nom_POI[i]
          << QString::number(poi.Nb_Liens[i]);
        for (int l = 1; l <= poi.Nb_Liens[i]; ++l)
            t << poi.Lien_URL[i][l] << poi.Lien_Nom[i][l];
    }
    Exiger(t.join(u'\n').isValidUtf16(), "invalid UTF-16 in a value");
    return t;
}
