#include "poi/Saisie_Coordonnees.h"

#include <QRegularExpression>

namespace Saisie_Coordonnees {

namespace {

// Blanks, an optional sign, then "12", "12.5" or ".5", then blanks; ASCII digits only.
std::optional<double> Nombre_Decimal(const QString& texte) {
    // Anchored at the very end: "$" alone would let a final line feed through.
    static const QRegularExpression forme(QRegularExpression::anchoredPattern(
        QStringLiteral(" *[+-]?(?:[0-9]+(?:\\.[0-9]+)?|\\.[0-9]+) *")));
    if (!forme.match(texte).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double valeur = texte.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return valeur;
}

bool Entre(std::optional<double> valeur, double limite) {
    return valeur && *valeur >= -limite && *valeur <= limite;
}

} // namespace

std::optional<Coordonnees> Decouper(const QString& saisie) {
    const qsizetype virgule = saisie.indexOf(u',');
    if (virgule < 0)
        return std::nullopt;
    Coordonnees resultat{saisie.left(virgule), saisie.mid(virgule + 1)};
    if (!Entre(Nombre_Decimal(resultat.lat), 90) || !Entre(Nombre_Decimal(resultat.lon), 180))
        return std::nullopt;
    return resultat;
}

} // namespace Saisie_Coordonnees
