#pragma once

// Writes the store as a GPX file in the layout OpenCPN writes for its waypoints: UTF-8,
// one element per line, every line ended by CR LF.

#include "Disque.h"
#include "core/Declarations.h"

#include <QByteArray>
#include <QString>

namespace Fichiers {

// The whole file: head, what the file held before its waypoints, one block per POI
// 1..Nb_POI with its links and what it held besides, what the file held after, "</gpx>".
QByteArray Texte_GPX(const Declarations::Declarations& poi);

// Replaces the file `chemin` at once: on failure the previous file stays whole.
Disque::Erreur Ecrire_GPX(const Declarations::Declarations& poi, const QString& chemin);

} // namespace Fichiers
