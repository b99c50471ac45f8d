// What the user types, on the same bytes read two ways:
// - as UTF-8, a position in any notation: what is stored for it is two plain decimal numbers
//   without blanks, on the globe, read alike by Qt and C, within 1e-6° of the position read;
// - as UTF-16 (lone surrogates included), the name of a description file: a name accepted
//   always gives a plain, short file name of the GPX file's folder.

#include "Commun.h"
#include "links/Nom_Descriptif.h"
#include "poi/Saisie_Coordonnees.h"

#include <QDir>
#include <QRegularExpression>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QRegularExpression autre_que_nombre(u"[^0-9.+-]"_qs);
    // UTF-8 makes no ASCII byte of another character: the file system sees these as typed.
    static const QRegularExpression separateur_ou_controle(u"[/\\\\\\r\\n\\x{0}]"_qs);

    const QString saisie = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto c = Saisie_Coordonnees::Decouper(saisie)) {
        const auto position = Saisie_Coordonnees::Lire(saisie);
        Exiger(position.has_value(), "texts stored for a text that is no position");
        for (const auto& [cote, limite, lu] :
             {std::tuple(c->lat, 90.0, position->lat), std::tuple(c->lon, 180.0, position->lon)}) {
            bool ok = false;
            const double valeur = cote.toDouble(&ok);
            Exiger(ok && qAbs(valeur) <= limite && !cote.contains(autre_que_nombre) &&
                       qAbs(valeur - lu) < 1e-6,
                   "a side is not a plain number on the globe, at the position read");
            const QByteArray ascii = cote.toLatin1();
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
