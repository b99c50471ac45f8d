#pragma once

// The description text file: lines ended by CR LF, written in UTF-8, read as UTF-8 with the
// Windows-1252 reading for lines from older programs.

#include <QString>
#include <optional>

namespace Fichier_Descriptif {

// The text of the file, each line followed by CR LF; the empty text when nothing stands at
// `chemin`; nothing when the file cannot be read.
std::optional<QString> Lire(const QString& chemin);

// Replaces the file, atomically, by `texte` followed by CR LF (a link at its name is replaced,
// never followed); false when it could not.
bool Ecrire(const QString& chemin, const QString& texte);

} // namespace Fichier_Descriptif
