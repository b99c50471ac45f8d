#pragma once

// What the desktop's opener is handed for a link. The stored target stays as it is; only the
// form given to the opener changes, so that it reads the target as the user meant it.

#include <QByteArray>
#include <QString>
#include <optional>

namespace Cible_Ouverture {

// For a local file link ("file://" and an absolute path, XML references already decoded): the
// name of the file on disk, as bytes. The path is tried as written, percent-decoded, and, for
// a name from an older disk read byte for byte, in Latin-1; the first that is on disk wins,
// the path as written when none is. Nothing for any other target.
std::optional<QByteArray> Fichier_Local(const QString& cible);

// True when something stands on disk at that name.
bool Existe(const QByteArray& nom);

// For a target whose XML references are already decoded: a local file link becomes the path of
// its file, so that "#", "%" and blanks in a name are plain characters of it; a name that is
// not UTF-8 goes as a "file://" address with its bytes percent-encoded, which the opener reads
// back to those bytes. A target that begins with "-" gets "./" before it, so that it is never
// read as an option. Anything else is handed over unchanged.
QString Pour_Ouvrir(const QString& cible);

} // namespace Cible_Ouverture
