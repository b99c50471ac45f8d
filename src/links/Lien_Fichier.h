#pragma once

// A file link's target: this prefix, then the path as the user's system writes it.

#include <QByteArrayView>

namespace Lien_Fichier {

inline constexpr QByteArrayView Prefixe = "file://";

} // namespace Lien_Fichier
