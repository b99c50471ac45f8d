#pragma once

// Reads a GPX file's bytes into the store, as XML means them whatever the layout: attributes
// by name, elements wherever they stand. A file that is not well-formed is read as far as it
// goes. Values are kept as written (UTF-8, or Windows-1252 when not valid UTF-8); names are
// decoded. Everything the store does not hold is kept, to be written back as it came.

#include "core/Declarations.h"

#include <QByteArrayView>

namespace Fichiers {

// Fills the store: at most Max_POI waypoints with their first five links, then what is kept;
// POI_Courant is left at Nb_POI + 1.
void Lire_Fichier(Declarations::Declarations& poi, QByteArrayView contenu);

// Whether the bytes are a GPX document: its root element is "gpx".
bool Est_GPX(QByteArrayView contenu);

} // namespace Fichiers
