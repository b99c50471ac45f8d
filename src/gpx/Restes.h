#pragma once

// The program's own temporary files: one name for each file being written, that tells which
// target and which process it belongs to, so that what a stopped program left can be found
// again and nothing else is ever taken for it.

#include <QString>

namespace Restes {

// A new name beside `cible`: ".quillvane-" + 16 hex digits of the target's name + "-" + the
// process + "-" + a random part. Always short, whatever the target's length.
QString Nom_Temporaire(const QString& cible);

// Removes the temporary files of `cible` whose process has ended, and the copy that earlier
// versions left as `cible` + ".quillvane".
void Nettoyer(const QString& cible);

} // namespace Restes
