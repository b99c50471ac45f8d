#include "Restes.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Restes {

namespace {

// ".quillvane-<target>-": the part shared by every temporary file of one target.
QByteArray Prefixe(const QString& cible) {
    const QByteArray nom = QFile::encodeName(QFileInfo(cible).fileName());
    return ".quillvane-" +
           QCryptographicHash::hash(nom, QCryptographicHash::Sha256).toHex().left(16) + '-';
}

QString Dossier(const QString& cible) {
    return QFileInfo(cible).absolutePath() + u'/';
}

bool Processus_Fini(QByteArrayView pid) {
    bool ok = false;
    const pid_t numero = pid_t(pid.toLongLong(&ok));
    return ok && numero > 0 && numero != getpid() && ::kill(numero, 0) != 0 && errno == ESRCH;
}

} // namespace

QString Nom_Temporaire(const QString& cible) {
    return Dossier(cible) + QFile::decodeName(Prefixe(cible)) + QString::number(getpid()) + u'-' +
           QString::number(QRandomGenerator::global()->generate() & 0xffffff, 16);
}

void Nettoyer(const QString& cible) {
    const QByteArray dossier = QFile::encodeName(Dossier(cible));
    const QByteArray prefixe = Prefixe(cible);
    DIR* d = ::opendir(dossier.constData());
    if (!d)
        return;
    while (const dirent* entree = ::readdir(d)) {
        const QByteArrayView nom(entree->d_name);
        if (!nom.startsWith(prefixe))
            continue;
        const QByteArrayView reste = nom.sliced(prefixe.size());
        if (Processus_Fini(reste.first(qMax<qsizetype>(reste.indexOf('-'), 0))))
            ::unlink((dossier + nom.toByteArray()).constData());
    }
    ::closedir(d);
    const QByteArray ancienne = QFile::encodeName(cible) + ".quillvane";
    struct stat s {};
    if (::lstat(ancienne.constData(), &s) == 0 && S_ISREG(s.st_mode))
        ::unlink(ancienne.constData());
}

} // namespace Restes
