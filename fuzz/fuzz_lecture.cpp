// The GPX reader on any bytes, into a new store and into one full of another document's
// values: both stay within their tables, hold valid text, and hold the same.

#include "Commun.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Declarations::Declarations neuf, sale;
    const QString a = u"ancien"_qs;
    const Declarations::Liens liens{a, a, a, a, a, a};
    for (int i = 0; i <= Declarations::Capacite; ++i)
        Declarations::Ecrire_Fiche(sale, i, {a, a, a, a, Declarations::Liens_Max, liens, liens});
    const QByteArrayView octets(data, qsizetype(size));
    Exiger(Lire(neuf, octets) == Lire(sale, octets), "an earlier document shows through");
    return 0;
}
