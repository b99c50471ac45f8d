#pragma once

// What the main window accepts from a drag: one local file whose name ends in ".gpx", in any
// case.

#include <QString>

class QMimeData;

namespace Depot {

// The file's full path with the platform's own separators, or the empty text when the data
// is anything else.
QString Fichier_GPX(const QMimeData* donnees);

} // namespace Depot
