#pragma once

// The backups of a file move down one place (n + 1 becomes n) to free place 30. Until the
// opening is complete the move can be undone: the oldest backup, which it drops, is held
// aside under a temporary name meanwhile.

#include "Ouverture.h"

#include <QByteArray>
#include <utility>
#include <vector>

namespace Fichiers {

class Rotation {
  public:
    explicit Rotation(const Chemins& chemins);
    ~Rotation(); // the held backup goes, unless the move was undone
    Rotation(const Rotation&) = delete;
    Rotation& operator=(const Rotation&) = delete;

    // Every backup back in its place, the held one too.
    void Annuler();

  private:
    std::vector<std::pair<QByteArray, QByteArray>> faits_; // each move: from, to
    QByteArray garde_, place_;                             // the held backup, where it was
};

} // namespace Fichiers
