#pragma once

// Reads a GPX file's bytes into the store, as XML means them whatever the layout: attributes
// by name, elements wherever they stand, namespaces resolved. The waypoints are the "wpt"
// children of the root in the GPX namespace; nothing in a comment, a CDATA section, an
// instruction or another namespace's element is one. A file that is not well-formed is read
// as far as it goes. Values are kept as written (UTF-8, or Windows-1252 when not valid UTF-8);
// names are decoded. Everything the store does not hold is kept, to be written back as it
// came. The bytes are read once: what the warning counts and the link targets to re-point
// come from the same reading.

#include "Corriger_Liens.h"
#include "Inventaire.h"
#include "core/Declarations.h"

#include <QByteArrayView>

namespace Fichiers {

struct Lecture {
    bool gpx = false;      // the root element is "gpx"
    Inventaire inventaire; // what the file holds, the store aside
    QList<Cible> cibles;   // link targets that point elsewhere once re-pointed
    QByteArray converti;   // the text read, in UTF-8, when the file was in UTF-16
    // The bytes the targets stand in.
    QByteArrayView Texte(QByteArrayView contenu) const {
        return converti.isNull() ? contenu : QByteArrayView(converti);
    }
};

// Fills the store: at most Max_POI waypoints with their first five links, then what is kept;
// POI_Courant is left at Nb_POI + 1. With a folder, the file links of the waypoints, routes
// and tracks (and of their points) are re-pointed into it, in the store and in what is kept.
// What is kept shares the memory of `contenu` where it can.
Lecture Lire_Fichier(Declarations::Declarations& poi, const QByteArray& contenu,
                     const QString* dossier = nullptr);

// Whether the bytes begin a GPX document: 1 when its root element is "gpx", 0 when it is
// another or there can be none, -1 when these first bytes do not tell yet.
int Debut_GPX(QByteArrayView debut);

} // namespace Fichiers
