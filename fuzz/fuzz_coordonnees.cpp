// The coordinates typed as "latitude,longitude": what is accepted is exactly the typed text
// cut at its first comma, and each side is a plain number on the globe.

#include "poi/Saisie_Coordonnees.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Echec(const char* raison) {
    std::fprintf(stderr, "fuzz: %s\n", raison);
    std::abort();
}

// A plain decimal number in [-limite, limite] read by the C library as Qt reads it.
void Verifier(const QString& cote, double limite) {
    for (const QChar ch : cote)
        if (!(ch.isDigit() && ch.unicode() < 128) && ch != u' ' && ch != u'.' && ch != u'+' &&
            ch != u'-')
            Echec("a side holds something else than a number");
    bool ok = false;
    const double valeur = cote.trimmed().toDouble(&ok);
    if (!ok || valeur < -limite || valeur > limite)
        Echec("a side is not a number on the globe");
    const QByteArray ascii = cote.trimmed().toLatin1();
    char* fin = nullptr;
    const double c = std::strtod(ascii.constData(), &fin);
    if (fin != ascii.constData() + ascii.size() || c != valeur)
        Echec("the C library reads the number differently");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString saisie = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<Saisie_Coordonnees::Coordonnees> c = Saisie_Coordonnees::Decouper(saisie);
    if (!c)
        return 0;
    if (c->lat + u',' + c->lon != saisie || c->lat.contains(u','))
        Echec("the sides are not the typed text cut at its first comma");
    Verifier(c->lat, 90);
    Verifier(c->lon, 180);
    return 0;
}
