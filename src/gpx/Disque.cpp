#include "Disque.h"

#include "Restes.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
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

// The whole of `source`, from its start, into `fd` by the kernel's own copy (a shared
// extent where the file system has them); errno, 0 when done.
int Copier_Noyau(int source, int fd) {
    loff_t depart = 0;
    for (;;) {
        const ssize_t n = ::copy_file_range(source, &depart, fd, nullptr, 1 << 30, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : 0;
    }
}

} // namespace

void Limite_Taille_En_Erreur() {
    std::signal(SIGXFSZ, SIG_IGN);
}

Lecture Lire(const QString& chemin) {
    Lecture lecture;
    const auto Echec = [&](int numero) {
        Lecture echec;
        echec.erreur = {Etape::Lecture, numero, chemin};
        return echec;
    };
    // Without waiting: a pipe opens at once, and is then refused as not a regular file.
    const int fd =
        ::open(Nom_Systeme(chemin).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Echec(errno == EISDIR ? Pas_Ordinaire : errno);
    struct stat s {};
    if (fstat(fd, &s) != 0 || !S_ISREG(s.st_mode)) {
        const int numero = S_ISREG(s.st_mode) ? errno : Pas_Ordinaire;
        ::close(fd);
        return Echec(numero);
    }
    // Straight into the array, which grows should the file grow while it is read.
    QByteArray octets(qMax<qsizetype>(qsizetype(s.st_size), 0) + 1, Qt::Uninitialized);
    qsizetype lus = 0;
    for (ssize_t n = 1; n != 0;) {
        if (lus == octets.size())
            octets.resize(2 * lus);
        n = ::read(fd, octets.data() + lus, size_t(octets.size() - lus));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int numero = errno;
            ::close(fd);
            return Echec(numero);
        }
        lus += n;
    }
    octets.truncate(lus);
    fstat(fd, &s); // the version read, should it have changed while it was read
    lecture.identite = Identite_Stat(s);
    lecture.proprietes = Proprietes_De(Nom_Systeme(chemin), s);
    lecture.ouvert.fd = fd;
    lecture.octets = std::move(octets);
    return lecture;
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

// A name no one else chose: created here, never an existing file or link.
void Fichier_Neuf::Creer(const Proprietes& proprietes) {
    Restes::Nettoyer(nom_);
    for (int essai = 0; fd_ < 0 && essai < 100; ++essai) {
        temporaire_ = Nom_Systeme(Restes::Nom_Temporaire(nom_));
        fd_ = ::open(temporaire_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     proprietes.connues ? 0600 : 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        erreur_ = errno;
        temporaire_.clear();
    }
}

// The bytes are written: the file takes its properties, and the disk starts on it.
void Fichier_Neuf::Commencer(const Proprietes& proprietes, int erreur) {
    erreur_ = erreur;
    if (erreur_ == 0 && proprietes.connues)
        Donner(fd_, proprietes);
    if (erreur_ == 0 && durable_)
        ::sync_file_range(fd_, 0, 0, SYNC_FILE_RANGE_WRITE);
}

Fichier_Neuf::Fichier_Neuf(const QString& cible, QByteArrayView octets,
                           const Proprietes& proprietes, Etape etape, bool durable)
    : nom_(cible), etape_(etape), durable_(durable), cible_(Nom_Systeme(cible)) {
    Creer(proprietes);
    if (fd_ >= 0)
        Commencer(proprietes, Ecrire_Tout(fd_, octets));
}

Fichier_Neuf::Fichier_Neuf(const QString& cible, int source, const Identite& lue,
                           QByteArrayView octets, const Proprietes& proprietes, Etape etape)
    : nom_(cible), etape_(etape), cible_(Nom_Systeme(cible)) {
    Creer(proprietes);
    if (fd_ < 0)
        return;
    struct stat s {};
    int erreur = Copier_Noyau(source, fd_);
    // Written over meanwhile, or a copy the kernel cannot make here: the bytes read instead.
    if (erreur != 0 || fstat(source, &s) != 0 || !(Identite_Stat(s) == lue)) {
        erreur = ::ftruncate(fd_, 0) == 0 && ::lseek(fd_, 0, SEEK_SET) == 0
                     ? Ecrire_Tout(fd_, octets)
                     : errno;
    }
    Commencer(proprietes, erreur);
}

Descripteur::~Descripteur() {
    if (fd >= 0)
        ::close(fd);
}

Erreur Fichier_Neuf::Erreur() const {
    if (erreur_ == 0)
        return {};
    return {etape_, erreur_, nom_};
}

Fichier_Neuf::~Fichier_Neuf() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!pose_ && !temporaire_.isEmpty())
        ::unlink(temporaire_.constData());
}

Erreur Fichier_Neuf::Terminer() {
    if (erreur_ == 0 && fd_ >= 0) {
        struct stat s {};
        if ((durable_ && ::fsync(fd_) != 0) || fstat(fd_, &s) != 0)
            erreur_ = errno;
        identite_ = Identite_Stat(s);
        if (::close(std::exchange(fd_, -1)) != 0 && erreur_ == 0)
            erreur_ = errno;
    }
    return Erreur();
}

Erreur Fichier_Neuf::Poser() {
    if (Disque::Erreur erreur = Terminer())
        return erreur;
    if (::rename(temporaire_.constData(), cible_.constData()) != 0)
        return {etape_, errno, nom_};
    pose_ = true;
    return {};
}

Erreur Verifier_Cible(const QString& chemin, const QString& cible_ouverte) {
    const QString cible = Cible_Finale(chemin);
    if (cible == chemin || cible == cible_ouverte)
        return {};
    return {Etape::Lien_Apparu, 0, cible};
}

Erreur Ecrire_Document(const QString& chemin, const QString& cible_ouverte, QByteArrayView octets) {
    if (Erreur erreur = Verifier_Cible(chemin, cible_ouverte))
        return erreur;
    const QString cible = Cible_Finale(chemin);
    const QByteArray nom = Nom_Systeme(cible);
    Proprietes proprietes;
    if (struct stat s{}; ::stat(nom.constData(), &s) == 0) {
        if (!S_ISREG(s.st_mode))
            return {Etape::Enregistrement, EISDIR, chemin};
        if (!Modifiable(cible))
            return {Etape::Enregistrement, EACCES, chemin};
        proprietes = Proprietes_De(nom, s);
    }
    Fichier_Neuf neuf(cible, octets, proprietes, Etape::Enregistrement);
    if (Erreur erreur = neuf.Poser())
        return {Etape::Enregistrement, erreur.numero, chemin};
    return {};
}

Erreur Remplacer(const QString& chemin, QByteArrayView octets) {
    const QByteArray nom = Nom_Systeme(chemin);
    Proprietes proprietes;
    if (struct stat s{}; ::lstat(nom.constData(), &s) == 0 && S_ISREG(s.st_mode)) {
        if (!Modifiable(chemin))
            return {Etape::Enregistrement, EACCES, chemin};
        proprietes = Proprietes_De(nom, s);
    }
    Fichier_Neuf neuf(chemin, octets, proprietes, Etape::Enregistrement);
    return neuf.Poser();
}

} // namespace Disque
