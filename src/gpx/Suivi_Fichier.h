#pragma once

// What the program knows of the open file since it last opened or saved it: the version on
// disk then, so that another program's version is never replaced unseen, and the document
// then, so that unsaved edits are never dropped unseen.

#include "Disque.h"
#include "core/Declarations.h"

#include <optional>

namespace Fichiers {

struct Suivi_Fichier {
    std::optional<Disque::Identite> identite; // nothing: no file on disk under that name
    QString cible; // the file the name led to (itself when it was no link)
    // A copy shares its texts with the store (Qt's implicit sharing): keeping it costs nothing
    // at each opening; only the rare comparison writes both out.
    Declarations::Declarations document;
};

} // namespace Fichiers
