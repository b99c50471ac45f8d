#include "links/Nom_Descriptif.h"

#include "gpx/Echappements_XML.h"
#include "links/Cible_Ouverture.h"
#include "links/Lien_Fichier.h"

#include <QFile>

#include <algorithm>

namespace Nom_Descriptif {

namespace {
const QString Extension = QStringLiteral(".txt");
// NAME_MAX of the usual file systems, less the suffix of the temporary file QSaveFile
// writes beside the final one, so that the save stays atomic.
constexpr qsizetype Octets_Max = 255 - 7;
} // namespace

bool Nom_Sur(const QString& nom) {
    if (nom.isEmpty() || nom == u"." || nom == u".." || !nom.isValidUtf16())
        return false;
    const bool interdit = std::any_of(nom.cbegin(), nom.cend(), [](QChar ch) {
        return ch == u'/' || ch == u'\\' || ch.category() == QChar::Other_Control;
    });
    return !interdit && (nom + Extension).toUtf8().size() <= Octets_Max;
}

std::optional<QString> Chemin(const QString& dossier, const QString& nom) {
    if (dossier.isEmpty() || !Nom_Sur(nom))
        return std::nullopt;
    return dossier + nom + Extension;
}

QString Cible_Lien(const QString& chemin) {
    return QString::fromLatin1(Lien_Fichier::Prefixe) + chemin;
}

namespace {

// The local path a link points to, or the empty text.
QString Chemin_Lien(const QString& url) {
    const auto nom = Cible_Ouverture::Fichier_Local(Echappements_XML::Decoder_References(url));
    return nom ? QFile::decodeName(*nom) : QString();
}

// Another POI than i has a link to `chemin`.
bool Pris(const Declarations::Declarations& d, int i, const QString& chemin) {
    for (int q = 1; q <= d.Nb_POI; ++q)
        for (int k = 1; q != i && k <= d.Nb_Liens[q]; ++k)
            if (Chemin_Lien(d.Lien_URL[q][k]) == chemin)
                return true;
    return false;
}

} // namespace

int Lien_Description(const Declarations::Declarations& d, int i) {
    if (!Declarations::Est_POI(d, i))
        return 0;
    for (int k = 1; k <= d.Nb_Liens[i]; ++k)
        if (d.Lien_Nom[i][k] == Etiquette && !Chemin_Lien(d.Lien_URL[i][k]).isEmpty())
            return k;
    return 0;
}

std::optional<QString> Chemin_POI(const Declarations::Declarations& d, int i) {
    if (!Declarations::Est_POI(d, i))
        return std::nullopt;
    if (const int k = Lien_Description(d, i))
        return Chemin_Lien(d.Lien_URL[i][k]);
    const QString& nom = d.Nom_POI[i];
    for (int n = 1; n <= Declarations::Capacite + 1; ++n) {
        const auto chemin =
            Chemin(d.Dossier_Fichier, n == 1 ? nom : QStringLiteral("%1 (%2)").arg(nom).arg(n));
        if (!chemin || !Pris(d, i, *chemin))
            return chemin;
    }
    return std::nullopt;
}

} // namespace Nom_Descriptif
