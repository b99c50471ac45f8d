#pragma once

// Reads the waypoints and links of a GPX file into the store. Not an XML parser: each line
// is searched for fixed tags and values are cut at fixed distances from the tag and from the
// end of the line, the layout OpenCPN and this program write. The file's bytes are read
// once; each value is then decoded from UTF-8 (Windows-1252 when not valid UTF-8).

#include "core/Declarations.h"

#include <QByteArrayView>

namespace Fichiers {

// The bytes of one POI in the file: from the start of its waypoint line to the end of its
// closing line (or to the next waypoint line, or the end of the file, when it has none).
struct Etendue {
    qsizetype debut = 0;
    qsizetype fin = 0;
};
using Etendues = Declarations::Table<Etendue>;

// Fills Nb_POI and the names, times and coordinates (at most Max_POI waypoints) and tells
// where each POI stands.
Etendues Lire_Points(Declarations::Declarations& poi, QByteArrayView contenu);

// Fills the links of every POI from its own lines, at most five each; POI_Courant is left at
// Nb_POI + 1.
void Lire_Liens(Declarations::Declarations& poi, QByteArrayView contenu, const Etendues& etendues);

// Both, in that order.
void Lire_Fichier(Declarations::Declarations& poi, QByteArrayView contenu);

} // namespace Fichiers
