#include "Reglages.h"

#include <cmath>

namespace Reglages {

QString Position_Vers_Texte(float twips, const QLocale& locale) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    // Seven significant digits: what a single-precision number holds.
    return l.toString(double(twips), 'g', 7);
}

std::optional<float> Texte_Vers_Position(const QString& texte, const QLocale& locale) {
    bool ok = false;
    const float valeur = locale.toFloat(texte.trimmed(), &ok);
    if (!ok || !std::isfinite(valeur))
        return std::nullopt;
    return valeur;
}

} // namespace Reglages
