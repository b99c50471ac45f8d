#pragma once

// What the program knows of the open file since it last opened or saved it: the version on
// disk then, so that another program's version is never replaced unseen, and what a save
// would have written then, so that unsaved edits are never dropped unseen.

#include "Disque.h"

#include <QByteArray>
#include <optional>

namespace Fichiers {

struct Suivi_Fichier {
    std::optional<Disque::Identite> identite; // nothing: no file on disk under that name
    QByteArray texte;                         // null before any file was opened or named
};

} // namespace Fichiers
