// Read, write, read again, on any bytes. The reader gives the same into a new store and into
// one full of another document's values. Once the program has written a file, reading and
// writing it again gives back the same store and the same bytes, what the store only keeps
// included. The one change a first write may bring is the reader's own: a POI whose closing
// tag was missing, with a time and no name, is named "(Sans nom)" once closed; it is made
// before the first write, once checked to be the only one. A GPX document that XML reads is
// read by XML the same way once written. The reading takes a time in proportion to the bytes.

#include "Commun.h"
#include "gpx/Ecriture_GPX.h"

#include "../tests/support/Lecture_XML.h"

#include <QElapsedTimer>
#include <limits>

namespace {

// The best of three readings: a busy machine only ever makes one slower.
qint64 Duree_Lecture(QByteArrayView octets) {
    qint64 meilleure = std::numeric_limits<qint64>::max();
    for (int essai = 0; essai < 3; ++essai) {
        Declarations::Declarations poi;
        QElapsedTimer chrono;
        chrono.start();
        Lire(poi, octets);
        meilleure = qMin(meilleure, chrono.nsecsElapsed());
    }
    return meilleure;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Declarations::Declarations s1, s2, s3, brut, sale;
    const QString a = u"ancien"_qs;
    const Declarations::Liens liens{a, a, a, a, a, a};
    for (int i = 0; i <= Declarations::Capacite; ++i)
        Declarations::Ecrire_Fiche(sale, i, {a, a, a, a, Declarations::Liens_Max, liens, liens});
    const QByteArrayView octets(data, qsizetype(size));
    Exiger(Lire(s1, octets) == Lire(sale, octets), "an earlier document shows through");
    const QByteArray w0 = Fichiers::Texte_GPX(s1);
    const QByteArray entree = QByteArray::fromRawData(octets.data(), octets.size());
    // Read as UTF-8 (Windows-1252 where not valid) whatever other encoding it declares.
    QXmlStreamReader declaration(entree);
    declaration.readNext();
    const bool utf8 = declaration.documentEncoding().isEmpty() ||
                      declaration.documentEncoding().compare(u"utf-8", Qt::CaseInsensitive) == 0;
    if (utf8 && !Elements_XML(entree).filter(QRegularExpression(u"^gpx#1:"_qs)).isEmpty())
        Exiger(Ecarts_XML(entree, w0).isEmpty(), "XML reads the file written otherwise");
    const QStringList sans_noms = Lire(brut, w0);
    for (int i = 1; i <= s1.Nb_POI; ++i)
        if (s1.Nom_POI[i].isEmpty() && !s1.Date_POI[i].isEmpty())
            s1.Nom_POI[i] = u"(Sans nom)"_qs;
    const QByteArray w1 = Fichiers::Texte_GPX(s1);
    const QStringList relu = Lire(s2, w1);
    Exiger(relu == sans_noms, "naming a closed POI is not the only change");
    const QByteArray w2 = Fichiers::Texte_GPX(s2);
    Exiger(w2 == w1 && Lire(s3, w2) == relu, "a written file changes when written again");

    // Linear: at most 2 µs a byte, and the bytes repeated 32 times read in at most 64 times
    // as long, give or take half a second for a busy machine (a square law would take minutes).
    const qint64 une = Duree_Lecture(octets);
    Exiger(une <= 500'000'000 + 2'000 * qint64(size), "the reading is slow for its size");
    const QByteArray fois = entree.repeated(32);
    Exiger(Duree_Lecture(fois) <= 64 * une + 500'000'000,
           "the reading time grows faster than the file");
    return 0;
}
