#include "Disque.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Disque {

std::optional<QByteArray> Lire_Tout(const QString& chemin) {
    if (QFileInfo(chemin).isDir())
        return std::nullopt;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError)
        return std::nullopt;
    return octets;
}

// Unbuffered: with Qt's buffer, a short write at flush time (full disk, size limit) is
// reported as a success; written directly, the short count shows.
bool Ecrire_Atomique(const QString& chemin, QByteArrayView octets) {
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (fichier.write(octets.data(), octets.size()) != octets.size()) {
        fichier.cancelWriting();
        return false;
    }
    return fichier.commit();
}

bool Ecrire(const QString& chemin, QByteArrayView octets) {
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    const bool ecrit = fichier.write(octets.data(), octets.size()) == octets.size();
    fichier.close();
    return ecrit && fichier.error() == QFileDevice::NoError;
}

} // namespace Disque
