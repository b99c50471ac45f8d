#pragma once

// What the desktop's opener is handed for a link. The stored target stays as it is; only the
// form given to the opener changes, so that it reads the target as the user meant it.

#include <QString>

namespace Cible_Ouverture {

// For a target whose XML references are already decoded: a local file link ("file://" and an
// absolute path) becomes that path, so that "#", "%" and blanks in a name are plain
// characters of it (a path that only exists percent-decoded is taken decoded, as other tools
// write it); a target that begins with "-" gets "./" before it, so that it is never read as an
// option. Anything else is handed over unchanged.
QString Pour_Ouvrir(const QString& cible);

} // namespace Cible_Ouverture
