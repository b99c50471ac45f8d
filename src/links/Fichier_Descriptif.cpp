#include "links/Fichier_Descriptif.h"

#include "gpx/Disque.h"
#include "gpx/Lignes.h"
#include "gpx/UTF8.h"

#include <QFileInfo>

namespace Fichier_Descriptif {

std::optional<QString> Lire(const QString& chemin) {
    if (!QFileInfo::exists(chemin))
        return QString();
    const std::optional<QByteArray> octets = Disque::Lire(chemin).octets;
    if (!octets)
        return std::nullopt;
    // Lines end with CR LF, or a lone LF or CR from other editors; each line is decoded
    // on its own so that one old line does not spoil the others.
    QString texte;
    Fichiers::Lignes lignes(*octets);
    QByteArrayView ligne;
    while (lignes.Suivante(ligne))
        texte += UTF8::UTF8_Vers_Texte(ligne) + QStringLiteral("\r\n");
    return texte;
}

bool Ecrire(const QString& chemin, const QString& texte) {
    // A link planted under the description's name is replaced, never written through.
    return !Disque::Remplacer(chemin, UTF8::Texte_Vers_UTF8(texte + QStringLiteral("\r\n")));
}

} // namespace Fichier_Descriptif
