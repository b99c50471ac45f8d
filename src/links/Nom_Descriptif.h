#pragma once

// Where the description of a POI lives: "<name>.txt" in the folder of the GPX file.

#include "core/Declarations.h"

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

inline const QString Etiquette = QStringLiteral("Description");

// The slot of POI i's "Description" link to a local file, 0 when it has none.
int Lien_Description(const Declarations::Declarations& d, int i);

// The file of POI i's description: the one its "Description" link points to, wherever the POI
// has gone since and whatever its name; without a link, "<name>.txt" in the folder of the GPX
// file, or "<name> (2).txt" and on when another POI's link points there already. Nothing when
// the name cannot be a file's or no folder is known.
std::optional<QString> Chemin_POI(const Declarations::Declarations& d, int i);

} // namespace Nom_Descriptif
