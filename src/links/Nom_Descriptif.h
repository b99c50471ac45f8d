#pragma once

// Where the description of a POI lives: "<name>.txt" in the folder of the GPX file.

#include <QString>
#include <optional>

namespace Nom_Descriptif {

// True when "<nom>.txt" is a plain file name of the folder itself: never empty, "." or "..",
// no folder separator, no control character, and short enough for the file system.
bool Nom_Sur(const QString& nom);

// The full path of the description of POI `nom` in `dossier` (ending with its separator);
// nothing when the name is not safe or no folder is known.
std::optional<QString> Chemin(const QString& dossier, const QString& nom);

// The target of the "Description" link.
QString Cible_Lien(const QString& chemin);

} // namespace Nom_Descriptif
