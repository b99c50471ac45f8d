// Read, write, read again, on any bytes. The reader gives the same into a new store and into
// one full of another document's values. Once the program has written a file, reading and
// writing it again gives back the same store and the same bytes, what the store only keeps
// included. The one change a first write may bring is the reader's own: a POI whose closing
// tag was missing, with a time and no name, is named "(Sans nom)" once closed; it is made
// before the first write, once checked to be the only one.

#include "Commun.h"
#include "gpx/Ecriture_GPX.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Declarations::Declarations s1, s2, s3, brut, sale;
    const QString a = u"ancien"_qs;
    const Declarations::Liens liens{a, a, a, a, a, a};
    for (int i = 0; i <= Declarations::Capacite; ++i)
        Declarations::Ecrire_Fiche(sale, i, {a, a, a, a, Declarations::Liens_Max, liens, liens});
    const QByteArrayView octets(data, qsizetype(size));
    Exiger(Lire(s1, octets) == Lire(sale, octets), "an earlier document shows through");
    const QStringList sans_noms = Lire(brut, Fichiers::Texte_GPX(s1));
    for (int i = 1; i <= s1.Nb_POI; ++i)
        if (s1.Nom_POI[i].isEmpty() && !s1.Date_POI[i].isEmpty())
            s1.Nom_POI[i] = u"(Sans nom)"_qs;
    const QByteArray w1 = Fichiers::Texte_GPX(s1);
    const QStringList relu = Lire(s2, w1);
    Exiger(relu == sans_noms, "naming a closed POI is not the only change");
    const QByteArray w2 = Fichiers::Texte_GPX(s2);
    Exiger(w2 == w1 && Lire(s3, w2) == relu, "a written file changes when written again");
    return 0;
}
