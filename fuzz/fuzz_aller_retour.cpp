// Read, write, read again: once a file has been written by the program, reading and writing
// it again must give back the same store and the same bytes.
//   S1 = read(input), W1 = write(S1), S2 = read(W1), W2 = write(S2), S3 = read(W2);
//   W2 == W1 and S3 == S2.
// The one change a first write may bring is the reader's own: a POI whose closing line was
// missing, with a time and no name, is named "(Sans nom)" once it is closed. It is applied to
// S1 before the first write, after checking that reading the unchanged write gives the same.

#include "Magasin.h"
#include "gpx/Ecriture_GPX.h"

namespace {

void Nommer_Comme_Fermes(Magasin& poi) {
    for (int i = 1; i <= poi.Nb_POI; ++i)
        if (poi.Nom_POI[i].isEmpty() && !poi.Date_POI[i].isEmpty())
            poi.Nom_POI[i] = u"(Sans nom)"_qs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Magasin s1, s2, s3, brut;
    Lire(s1, QByteArrayView(data, qsizetype(size)));
    Lire(brut, Fichiers::Texte_GPX(s1));
    Nommer_Comme_Fermes(s1);
    const QByteArray w1 = Fichiers::Texte_GPX(s1);
    Lire(s2, w1);
    if (Contenu(brut) != Contenu(s2))
        Echec("naming a closed POI is not the only change");
    const QByteArray w2 = Fichiers::Texte_GPX(s2);
    Lire(s3, w2);
    if (w2 != w1)
        Echec("the bytes change after a first write");
    if (Contenu(s3) != Contenu(s2))
        Echec("the store changes after a first write");
    return 0;
}
