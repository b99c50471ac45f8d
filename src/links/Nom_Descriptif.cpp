#include "links/Nom_Descriptif.h"

#include "links/Lien_Fichier.h"

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

} // namespace Nom_Descriptif
