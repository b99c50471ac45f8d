#include "Disque.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

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

bool Lier(const QString& source, const QString& cible) {
#if defined(Q_OS_UNIX)
    return ::link(QFile::encodeName(source).constData(), QFile::encodeName(cible).constData()) == 0;
#else
    Q_UNUSED(source);
    Q_UNUSED(cible);
    return false; // the caller writes a copy instead
#endif
}

bool Remplacer_Par_Copie(const QString& source, const QString& cible) {
#if !defined(Q_OS_UNIX)
    // Elsewhere the same guarantee comes from QSaveFile, at the price of a second pass.
    const std::optional<QByteArray> octets = Lire_Tout(source);
    return octets && Ecrire_Atomique(cible, *octets);
#else
    const QString copie = cible + QStringLiteral(".quillvane");
    QFile::remove(copie);
    bool fait = QFile::copy(source, copie) && QFileInfo(copie).size() == QFileInfo(source).size();
    if (fait) {
        QFile fichier(copie);
        fait = fichier.open(QIODevice::ReadWrite) && ::fsync(fichier.handle()) == 0;
    }
    fait = fait && QFile::setPermissions(copie, QFileInfo(cible).permissions()) &&
           std::rename(QFile::encodeName(copie).constData(),
                       QFile::encodeName(cible).constData()) == 0;
    if (!fait)
        QFile::remove(copie);
    return fait;
#endif
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
