#include "links/Cible_Ouverture.h"

#include "links/Lien_Fichier.h"

#include <QFileInfo>
#include <QUrl>

namespace Cible_Ouverture {

QString Pour_Ouvrir(const QString& cible) {
    const QString prefixe = QString::fromLatin1(Lien_Fichier::Prefixe);
    if (cible.startsWith(prefixe) && cible.mid(prefixe.size()).startsWith(u'/')) {
        const QString chemin = cible.mid(prefixe.size());
        const QString decode = QUrl::fromPercentEncoding(chemin.toUtf8());
        return !QFileInfo::exists(chemin) && QFileInfo::exists(decode) ? decode : chemin;
    }
    if (cible.startsWith(u'-'))
        return QStringLiteral("./") + cible;
    return cible;
}

} // namespace Cible_Ouverture
