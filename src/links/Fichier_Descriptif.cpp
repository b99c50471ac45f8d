#include "links/Fichier_Descriptif.h"

#include "gpx/UTF8.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Fichier_Descriptif {

std::optional<QString> Lire(const QString& chemin) {
    if (!QFileInfo::exists(chemin))
        return QString();
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError)
        return std::nullopt;

    // Lines end with CR LF, or a lone LF or CR from other editors; each line is decoded
    // on its own so that one old line does not spoil the others.
    QString texte;
    qsizetype debut = 0;
    while (debut < octets.size()) {
        qsizetype fin = debut;
        while (fin < octets.size() && octets[fin] != '\r' && octets[fin] != '\n')
            ++fin;
        texte += UTF8::UTF8_Vers_Texte(QByteArrayView(octets).sliced(debut, fin - debut));
        texte += QStringLiteral("\r\n");
        if (fin + 1 < octets.size() && octets[fin] == '\r' && octets[fin + 1] == '\n')
            ++fin;
        debut = fin + 1;
    }
    return texte;
}

bool Ecrire(const QString& chemin, const QString& texte) {
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        return false;
    fichier.write(UTF8::Texte_Vers_UTF8(texte + QStringLiteral("\r\n")));
    return fichier.commit();
}

} // namespace Fichier_Descriptif
