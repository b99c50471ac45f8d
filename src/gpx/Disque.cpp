#include "Disque.h"

#include "Restes.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace Disque {

namespace {

QByteArray Nom_Systeme(const QString& chemin) {
    return QFile::encodeName(chemin);
}

Identite Identite_Stat(const struct stat& s) {
    return {quint64(s.st_dev), quint64(s.st_ino), qint64(s.st_size),
            qint64(s.st_mtim.tv_sec) * 1000000000 + s.st_mtim.tv_nsec};
}

// The attributes of a file, ACLs included (they are attributes on this system).
std::vector<std::pair<QByteArray, QByteArray>> Attributs(const QByteArray& nom) {
    std::vector<std::pair<QByteArray, QByteArray>> liste;
    const ssize_t taille = ::listxattr(nom.constData(), nullptr, 0);
    if (taille <= 0)
        return liste;
    QByteArray noms(taille, '\0');
    const ssize_t lus = ::listxattr(nom.constData(), noms.data(), size_t(noms.size()));
    for (const QByteArray& attribut : noms.left(qMax<ssize_t>(lus, 0)).split('\0')) {
        const ssize_t t =
            attribut.isEmpty() ? -1 : ::getxattr(nom.constData(), attribut.constData(), nullptr, 0);
        QByteArray valeur(qMax<ssize_t>(t, 0), '\0');
        if (t >= 0 &&
            ::getxattr(nom.constData(), attribut.constData(), valeur.data(), size_t(t)) == t)
            liste.emplace_back(attribut, valeur);
    }
    return liste;
}

Proprietes Proprietes_De(const QByteArray& nom, const struct stat& s) {
    return {true, mode_t(s.st_mode & 07777), s.st_uid, s.st_gid, Attributs(nom)};
}

// Owner and group where the user may give them (one's own groups, or anything as root),
// then the mode, then the attributes: an ACL set last gives the mode's group bits back.
void Donner(int fd, const Proprietes& p) {
    if (fchown(fd, p.proprietaire, p.groupe) != 0 && fchown(fd, uid_t(-1), p.groupe) != 0) {
        // Someone else's group: the file keeps the user's own.
    }
    fchmod(fd, p.mode & 0777);
    for (const auto& [nom, valeur] : p.attributs)
        fsetxattr(fd, nom.constData(), valeur.constData(), size_t(valeur.size()), 0);
}

int Ecrire_Tout(int fd, QByteArrayView octets) {
    const char* p = octets.data();
    qsizetype reste = octets.size();
    while (reste > 0) {
        const ssize_t n = ::write(fd, p, size_t(reste));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : ENOSPC;
        p += n;
        reste -= n;
    }
    return 0;
}

} // namespace

Lecture Lire(const QString& chemin) {
    Lecture lecture;
    // Without waiting: a pipe opens at once, and is then refused as not a regular file.
    const int fd =
        ::open(Nom_Systeme(chemin).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        lecture.erreur = errno == EISDIR ? Pas_Ordinaire : errno;
        return lecture;
    }
    struct stat s {};
    if (fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) {
        lecture.erreur = S_ISREG(s.st_mode) ? errno : Pas_Ordinaire;
        ::close(fd);
        return lecture;
    }
    QByteArray octets;
    octets.reserve(qsizetype(s.st_size));
    char bloc[1 << 16];
    ssize_t n = 0;
    while ((n = ::read(fd, bloc, sizeof bloc)) != 0) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            lecture.erreur = errno;
            ::close(fd);
            return lecture;
        }
        octets.append(bloc, n);
    }
    fstat(fd, &s); // the version read, should it have changed while it was read
    lecture.identite = Identite_Stat(s);
    lecture.proprietes = Proprietes_De(Nom_Systeme(chemin), s);
    ::close(fd);
    lecture.octets = std::move(octets);
    return lecture;
}

std::optional<QByteArray> Lire_Tout(const QString& chemin) {
    return Lire(chemin).octets;
}

std::optional<Identite> Identite_De(const QString& chemin) {
    struct stat s {};
    if (::stat(Nom_Systeme(chemin).constData(), &s) != 0)
        return std::nullopt;
    return Identite_Stat(s);
}

QString Cible_Finale(const QString& chemin) {
    QString nom = chemin;
    for (int saut = 0; saut < 40; ++saut) {
        const QFileInfo info(nom);
        if (!info.isSymLink())
            return nom;
        nom = info.symLinkTarget(); // absolute, even for a relative or dangling link
    }
    return nom;
}

bool Modifiable(const QString& chemin) {
    return ::faccessat(AT_FDCWD, Nom_Systeme(chemin).constData(), W_OK, AT_EACCESS) == 0;
}

Fichier_Neuf::Fichier_Neuf(const QString& cible, QByteArrayView octets,
                           const Proprietes& proprietes, bool durable)
    : cible_(Nom_Systeme(cible)) {
    Restes::Nettoyer(cible);
    // A name no one else chose: created here, never an existing file or link.
    int fd = -1;
    for (int essai = 0; fd < 0 && essai < 100; ++essai) {
        temporaire_ = Nom_Systeme(Restes::Nom_Temporaire(cible));
        fd = ::open(temporaire_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                    proprietes.connues ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        erreur_ = errno;
        temporaire_.clear();
        return;
    }
    erreur_ = Ecrire_Tout(fd, octets);
    if (erreur_ == 0 && proprietes.connues)
        Donner(fd, proprietes);
    struct stat s {};
    if (erreur_ == 0 && ((durable && ::fsync(fd) != 0) || fstat(fd, &s) != 0))
        erreur_ = errno;
    identite_ = Identite_Stat(s);
    if (::close(fd) != 0 && erreur_ == 0)
        erreur_ = errno;
}

Fichier_Neuf::~Fichier_Neuf() {
    if (!pose_ && !temporaire_.isEmpty())
        ::unlink(temporaire_.constData());
}

int Fichier_Neuf::Poser() {
    if (erreur_ != 0)
        return erreur_;
    if (::rename(temporaire_.constData(), cible_.constData()) != 0)
        return errno;
    pose_ = true;
    return 0;
}

bool Ecrire_Atomique(const QString& chemin, QByteArrayView octets) {
    const QString cible = Cible_Finale(chemin);
    const QByteArray nom = Nom_Systeme(cible);
    int erreur = 0;
    Proprietes proprietes;
    if (struct stat s{}; ::stat(nom.constData(), &s) == 0) {
        if (!S_ISREG(s.st_mode))
            erreur = EISDIR;
        else if (!Modifiable(cible))
            erreur = EACCES;
        proprietes = Proprietes_De(nom, s);
    }
    if (erreur == 0) {
        Fichier_Neuf neuf(cible, octets, proprietes);
        erreur = neuf.Poser();
    }
    errno = erreur;
    return erreur == 0;
}

int Remplacer(const QString& chemin, QByteArrayView octets) {
    const QByteArray nom = Nom_Systeme(chemin);
    Proprietes proprietes;
    if (struct stat s{}; ::lstat(nom.constData(), &s) == 0 && S_ISREG(s.st_mode)) {
        if (!Modifiable(chemin))
            return EACCES;
        proprietes = Proprietes_De(nom, s);
    }
    Fichier_Neuf neuf(chemin, octets, proprietes);
    return neuf.Poser();
}

} // namespace Disque
