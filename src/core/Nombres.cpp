#include "Nombres.h"

namespace Nombres {

namespace {
bool Chiffre(const QString& t, qsizetype i) {
    return i < t.size() && t[i].isDigit() && t[i].unicode() < 128;
}
} // namespace

std::optional<double> Nombre_En_Tete(const QString& t) {
    qsizetype i = 0;
    while (i < t.size() && (t[i] == u' ' || t[i] == u'\t'))
        ++i;
    const qsizetype debut = i;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    qsizetype chiffres = 0;
    while (Chiffre(t, i)) {
        ++i;
        ++chiffres;
    }
    if (i < t.size() && t[i] == u'.') {
        ++i;
        while (Chiffre(t, i)) {
            ++i;
            ++chiffres;
        }
    }
    if (chiffres == 0)
        return std::nullopt;
    qsizetype fin = i;
    if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < t.size() && (t[j] == u'+' || t[j] == u'-'))
            ++j;
        if (Chiffre(t, j)) {
            while (Chiffre(t, j))
                ++j;
            fin = j;
        }
    }
    bool ok = false;
    const double valeur = t.mid(debut, fin - debut).toDouble(&ok);
    return ok ? std::optional(valeur) : std::nullopt;
}

} // namespace Nombres
