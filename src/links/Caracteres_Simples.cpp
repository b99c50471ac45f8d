#include "links/Caracteres_Simples.h"

#include <algorithm>

namespace Caracteres_Simples {

bool Tous_Simples(const QString& texte) {
    // UTF-16 units: a character outside the BMP is made of surrogates, refused as well.
    return std::all_of(texte.cbegin(), texte.cend(),
                       [](QChar ch) { return ch.unicode() >= 0x20 && ch.unicode() <= 0x7F; });
}

} // namespace Caracteres_Simples
