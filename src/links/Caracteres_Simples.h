#pragma once

// Link texts typed by the user may only hold plain characters, U+0020 to U+007F.

#include <QString>

namespace Caracteres_Simples {

// True when every character of `texte` is plain; the empty text is.
bool Tous_Simples(const QString& texte);

} // namespace Caracteres_Simples
