#pragma once

#include <QString>
#include <optional>

namespace Nombres {

// The number at the start of a text: leading blanks skipped, an optional sign, digits with
// a point as decimal separator and an optional exponent, up to the first other character.
// Nothing when the text does not start with a number (or it is too large for a double): a
// text that starts with "0" is the number 0, not the lack of one.
std::optional<double> Nombre_En_Tete(const QString& texte);

} // namespace Nombres
