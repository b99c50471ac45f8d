#pragma once

#include <QString>

namespace Nombres {

// The number at the start of a text: leading blanks skipped, an optional sign, digits with
// a point as decimal separator and an optional exponent, up to the first other character.
// A text with no leading number gives 0.
double Nombre_En_Tete(const QString& texte);

} // namespace Nombres
