#include "links/Cible_Ouverture.h"

#include "links/Lien_Fichier.h"

#include <QFile>
#include <algorithm>
#include <sys/stat.h>

namespace Cible_Ouverture {

namespace {

bool Latin1(const QString& texte) {
    return std::all_of(texte.cbegin(), texte.cend(), [](QChar ch) { return ch.unicode() < 0x100; });
}

// The name as the file system takes it back: UTF-8 that decodes and encodes to itself.
bool Nom_Texte(const QByteArray& nom) {
    return QFile::encodeName(QFile::decodeName(nom)) == nom;
}

} // namespace

bool Existe(const QByteArray& nom) {
    struct stat s {};
    return ::lstat(nom.constData(), &s) == 0;
}

std::optional<QByteArray> Fichier_Local(const QString& cible) {
    const QString prefixe = QString::fromLatin1(Lien_Fichier::Prefixe);
    if (!cible.startsWith(prefixe) || !cible.mid(prefixe.size()).startsWith(u'/'))
        return std::nullopt;
    const QString chemin = cible.mid(prefixe.size());
    QList<QByteArray> formes{QFile::encodeName(chemin),
                             QByteArray::fromPercentEncoding(chemin.toUtf8())};
    if (Latin1(chemin))
        formes << chemin.toLatin1() << QByteArray::fromPercentEncoding(chemin.toLatin1());
    for (const QByteArray& forme : formes)
        if (Existe(forme))
            return forme;
    return formes.constFirst();
}

QString Pour_Ouvrir(const QString& cible) {
    if (const auto nom = Fichier_Local(cible)) {
        if (Nom_Texte(*nom))
            return QFile::decodeName(*nom);
        return QString::fromLatin1(Lien_Fichier::Prefixe) +
               QString::fromLatin1(nom->toPercentEncoding("/"));
    }
    if (cible.startsWith(u'-'))
        return QStringLiteral("./") + cible;
    return cible;
}

} // namespace Cible_Ouverture
