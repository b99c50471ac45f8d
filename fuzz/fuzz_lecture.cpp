// The GPX reader on any bytes: the store stays within its tables, holds valid text, and
// nothing of an earlier document shows through.

#include "Magasin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView octets(data, qsizetype(size));
    Magasin neuf;
    Lire(neuf, octets);
    if (neuf.Nb_POI < 0 || neuf.Nb_POI > Declarations::Capacite)
        Echec("Nb_POI out of range");
    if (neuf.POI_Courant != neuf.Nb_POI + 1)
        Echec("POI_Courant is not Nb_POI + 1");
    for (int i = 1; i <= neuf.Nb_POI; ++i)
        if (neuf.Nb_Liens[i] < 0 || neuf.Nb_Liens[i] > Declarations::Liens_Max)
            Echec("Nb_Liens out of range");
    const QStringList contenu = Contenu(neuf);
    for (const QString& valeur : contenu)
        if (!valeur.isValidUtf16())
            Echec("invalid UTF-16 in a value");

    // The same bytes read into a store full of another document's values.
    Magasin sale;
    for (int i = 0; i <= Declarations::Capacite; ++i) {
        sale.Nom_POI[i] = sale.Date_POI[i] = sale.Lat_POI[i] = sale.Long_POI[i] = u"ancien"_qs;
        sale.Nb_Liens[i] = Declarations::Liens_Max;
        sale.Lien_URL[i].fill(u"ancien"_qs);
        sale.Lien_Nom[i].fill(u"ancien"_qs);
    }
    Lire(sale, octets);
    if (Contenu(sale) != contenu)
        Echec("an earlier document shows through");
    return 0;
}
