// What the user types, on the same bytes read two ways:
// - as UTF-8, coordinates "latitude,longitude": what is accepted is exactly the typed text
//   cut at its first comma, each side a plain number on the globe, read alike by Qt and C;
// - as UTF-16 (lone surrogates included), the name of a description file: a name accepted
//   always gives a plain, short file name of the GPX file's folder.

#include "Commun.h"
#include "links/Nom_Descriptif.h"
#include "poi/Saisie_Coordonnees.h"

#include <QDir>
#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QRegularExpression autre_que_nombre(u"[^0-9 .+-]"_qs);
    // UTF-8 makes no ASCII byte of another character: the file system sees these as typed.
    static const QRegularExpression separateur_ou_controle(u"[/\\\\\\r\\n\\x{0}]"_qs);

    const QString saisie = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto c = Saisie_Coordonnees::Decouper(saisie)) {
        Exiger(c->lat + u',' + c->lon == saisie && !c->lat.contains(u','),
               "the sides are not the typed text cut at its first comma");
        for (const auto& [cote, limite] : {std::pair(c->lat, 90.0), std::pair(c->lon, 180.0)}) {
            bool ok = false;
            const double valeur = cote.trimmed().toDouble(&ok);
            Exiger(ok && qAbs(valeur) <= limite && !cote.contains(autre_que_nombre),
                   "a side is not a plain number on the globe");
            const QByteArray ascii = cote.trimmed().toLatin1();
            char* fin = nullptr;
            Exiger(std::strtod(ascii.constData(), &fin) == valeur && fin == ascii.constEnd(),
                   "the C library reads the number differently");
        }
    }

    const QString nom(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QString dossier = u"/home/anne/Bord/"_qs;
    const std::optional<QString> chemin = Nom_Descriptif::Chemin(dossier, nom);
    Exiger(chemin.has_value() == Nom_Descriptif::Nom_Sur(nom), "Chemin and Nom_Sur disagree");
    Exiger(!chemin || (*chemin == dossier + nom + u".txt"_qs && nom != u"."_qs && nom != u".."_qs &&
                       !nom.contains(separateur_ou_controle) &&
                       QFile::encodeName(nom + u".txt"_qs).size() <= 255 - 7 &&
                       QFileInfo(QDir::cleanPath(*chemin)).absolutePath() + u'/' == dossier),
           "an accepted name does not give a short plain file of the folder");
    return 0;
}
