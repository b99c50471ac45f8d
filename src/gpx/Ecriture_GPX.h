#pragma once

// Writes the store as a GPX file in the layout OpenCPN writes for its waypoints: UTF-8,
// one element per line, every line ended by CR LF.

#include "core/Declarations.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace Fichiers {

// The whole file: head, one block per POI 1..Nb_POI with its links, "</gpx>".
QByteArray Texte_GPX(const Declarations::Declarations& poi);

// Writes the file on an open device; false when the device refuses part of it.
bool Ecrire_GPX(const Declarations::Declarations& poi, QIODevice& sortie);

// Replaces the file `chemin` at once: on failure the previous file stays whole.
bool Ecrire_GPX(const Declarations::Declarations& poi, const QString& chemin);

} // namespace Fichiers
