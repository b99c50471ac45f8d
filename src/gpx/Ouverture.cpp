#include "Ouverture.h"

#include "Disque.h"
#include "Lecture_GPX.h"
#include "Messages_Fichier.h"
#include "Restes.h"
#include "Rotation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <cerrno>
#include <climits>
#include <new>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace Fichiers {

namespace {

struct stat Etat_Lien(const QString& chemin, bool& existe) {
    struct stat s {};
    existe = ::lstat(QFile::encodeName(chemin).constData(), &s) == 0;
    return s;
}

// The two names are one entry of the folder (the same name, whatever its case).
bool Meme_Entree(const QString& a, const QString& b) {
    bool ea = false, eb = false;
    const struct stat sa = Etat_Lien(a, ea), sb = Etat_Lien(b, eb);
    return ea && eb && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool Nom_Trop_Long(const QString& chemin) {
    return QFile::encodeName(QFileInfo(chemin).fileName()).size() > NAME_MAX;
}

// The folder "tmp", created when missing. `cree` tells that it was made here, so that a
// failed opening takes it away again.
Disque::Erreur Dossier_Sauvegardes(const Chemins& chemins, bool& cree) {
    const QString tmp = chemins.dossier + QStringLiteral("tmp");
    cree = false;
    if (QFileInfo(tmp).isDir())
        return {};
    if (::mkdir(QFile::encodeName(tmp).constData(), 0777) != 0)
        return {Disque::Etape::Dossier_Sauvegardes, errno, tmp};
    cree = true;
    return {};
}

// The mark of the working copies this program writes: a "Temp.gpx" without it is the user's.
constexpr char Marque_Travail[] = "user.quillvane.copie_de_travail";

// A "Temp.gpx" of the user's own is moved into "tmp" under a free name that says whose it is,
// out of the way of the working copy: its new name, the empty text when there was none to
// move, nothing when it could not be moved. One that holds the new working copy's bytes
// already loses nothing (a file system without the mark, the same file opened again).
std::optional<QString> Garder_Temp_Utilisateur(const QString& travail, const QString& tmp,
                                               const QByteArray& copie) {
    bool existe = false;
    const struct stat s = Etat_Lien(travail, existe);
    const QByteArray nom = QFile::encodeName(travail);
    if (!existe || !S_ISREG(s.st_mode) ||
        ::lgetxattr(nom.constData(), Marque_Travail, nullptr, 0) >= 0 ||
        (s.st_size == copie.size() && Disque::Lire(travail).octets == copie))
        return QString();
    for (int n = 1;; ++n) {
        const QString garde = tmp + QDir::separator() +
                              (n == 1 ? QStringLiteral("Temp (à vous).gpx")
                                      : QStringLiteral("Temp (à vous %1).gpx").arg(n));
        bool pris = false;
        Etat_Lien(garde, pris);
        if (pris)
            continue;
        if (::rename(nom.constData(), QFile::encodeName(garde).constData()) != 0)
            return std::nullopt;
        return garde;
    }
}

// The file, its bytes and what the opening keeps of them, must fit in memory several times.
bool Trop_Gros(qint64 taille) {
    const qint64 memoire = qint64(::sysconf(_SC_PHYS_PAGES)) * ::sysconf(_SC_PAGESIZE);
    return memoire > 0 && taille > memoire / 4;
}

// The refusal of a file told by its first bytes, before it is read whole: nothing when it may
// be read.
Disque::Erreur Refus_Des_Premiers_Octets(const QString& chemin) {
    using Disque::Etape;
    const QFileInfo info(chemin);
    if (!info.isFile()) // a pipe or a device is not opened here: the reading tells what it is
        return {};
    QFile fichier(chemin);
    if (fichier.open(QIODevice::ReadOnly) && Debut_GPX(fichier.read(64 * 1024)) == 0)
        return {Etape::Pas_GPX, 0, chemin};
    if (Trop_Gros(info.size()))
        return {Etape::Trop_Gros, 0, chemin};
    return {};
}

} // namespace

Chemins Decouper_Chemin(const QString& nomFichier) {
    // The dialog gives the path with the platform's own separator.
    const qsizetype barre = nomFichier.lastIndexOf(QDir::separator());
    return {nomFichier, nomFichier.left(barre + 1), nomFichier.mid(barre + 1)};
}

QString Nom_Affiche(const QString& nomFichier) {
    if (nomFichier.size() > 30)
        return QStringLiteral("....") + nomFichier.right(31);
    return nomFichier;
}

QString Chemin_Sauvegarde(const Chemins& chemins, int numero) {
    return chemins.dossier + QStringLiteral("tmp") + QDir::separator() + chemins.court + u'.' +
           QString::number(numero);
}

Ouverture Preparer_Ouverture(const Chemins& chemins) {
    using Disque::Etape;
    const auto Echec = [](Etape etape, int numero, const QString& chemin) {
        return Ouverture{{}, {etape, numero, chemin}, {}};
    };
    if (const Disque::Erreur refus = Refus_Des_Premiers_Octets(chemins.nom))
        return {{}, refus, {}};
    // Read once: the store, the count of what it holds and the link targets to re-point.
    Ouverture ouverture;
    std::optional<Disque::Lecture> lue;
    Lecture lecture;
    try {
        lue.emplace(Disque::Lire(chemins.nom));
        if (!lue->octets)
            return {{}, lue->erreur, {}};
        ouverture.document.Max_POI = Declarations::Capacite;
        lecture = Lire_Fichier(ouverture.document, *lue->octets, &chemins.dossier);
    } catch (const std::bad_alloc&) {
        return Echec(Etape::Trop_Gros, 0, chemins.nom);
    }
    const Disque::Lecture& lu = *lue;
    const QByteArray& contenu = *lu.octets;
    // Saving would replace any other document by a GPX file: it is not opened at all.
    if (!contenu.isEmpty() && !lecture.gpx)
        return Echec(Etape::Pas_GPX, 0, chemins.nom);
    // What a save stopped in its course left beside the file, whether or not it is rewritten.
    const QString cible = Disque::Cible_Finale(chemins.nom);
    Restes::Nettoyer(cible);

    const QString tmp = chemins.dossier + QStringLiteral("tmp");
    // A "tmp" link that someone else planted would take the backups out of the folder.
    bool existe = false;
    if (const struct stat s = Etat_Lien(tmp, existe);
        existe && S_ISLNK(s.st_mode) && s.st_uid != ::geteuid())
        return Echec(Etape::Lien_Sauvegardes, 0, tmp);
    bool cree = false;
    if (const Disque::Erreur erreur = Dossier_Sauvegardes(chemins, cree))
        return {{}, erreur, {}};
    // Once something is in it, the new folder stays.
    const auto retirer = qScopeGuard([&] {
        if (cree)
            ::rmdir(QFile::encodeName(tmp).constData());
    });

    const QString sauvegarde = Chemin_Sauvegarde(chemins, Nb_Sauvegardes);
    if (Nom_Trop_Long(sauvegarde))
        return Echec(Etape::Sauvegarde, ENAMETOOLONG, sauvegarde);
    // Every file is written in full before the first is put in place. The backup is the
    // kernel's copy of the file read, when it still is that version; the disk writes it while
    // the links are re-pointed.
    Disque::Fichier_Neuf copie(sauvegarde, lu.ouvert.fd, lu.identite, contenu, lu.proprietes,
                               Etape::Sauvegarde);
    if (const Disque::Erreur erreur = copie.Erreur())
        return {{}, erreur, {}};
    const bool change = !lecture.cibles.isEmpty();
    QByteArray corrige = Remplacer_Cibles(lecture.Texte(contenu), lecture.cibles);
    const QString travail = chemins.dossier + QStringLiteral("Temp.gpx");
    // The working copy may be the opened file itself: then the rewrite is all there is.
    std::optional<Disque::Fichier_Neuf> copieTravail;
    if (!Meme_Entree(travail, chemins.nom)) {
        // The working copy is a scratch file: its bytes are also in the rewritten file or
        // in memory, so it is not flushed to the disk.
        Disque::Proprietes marquees = lu.proprietes;
        marquees.attributs.emplace_back(Marque_Travail, "1");
        copieTravail.emplace(travail, corrige, marquees, Etape::Copie_Travail, false);
        if (const Disque::Erreur erreur = copieTravail->Erreur())
            return {{}, erreur, {}};
    }
    // The file is rewritten only for a link that points elsewhere now, and only when the user
    // may write it: a file without one, or someone else's file, stays
    // as it is on disk until the user saves. A symbolic link is the user's own: its target is
    // rewritten and the link stays.
    std::optional<Disque::Fichier_Neuf> reecrit;
    if (change && Disque::Modifiable(cible)) {
        reecrit.emplace(cible, corrige, lu.proprietes, Etape::Reecriture);
        if (const Disque::Erreur erreur = reecrit->Erreur())
            return {{}, erreur, {}};
    }

    // Nothing is put in place before every file is on the disk; the disk wrote them together.
    for (Disque::Fichier_Neuf* f :
         {&copie, copieTravail ? &*copieTravail : nullptr, reecrit ? &*reecrit : nullptr})
        if (const Disque::Erreur erreur = f ? f->Terminer() : Disque::Erreur{})
            return {{}, erreur, {}};
    Rotation rotation(chemins);
    if (const Disque::Erreur erreur = copie.Poser()) {
        rotation.Annuler();
        return {{}, erreur, {}};
    }
    // A late failure takes back the new backup and the rotation: the folder is as it was.
    const auto Defaire = [&](const Disque::Erreur& erreur) {
        ::unlink(QFile::encodeName(sauvegarde).constData());
        rotation.Annuler();
        return Ouverture{{}, erreur, {}};
    };
    const std::optional<QString> gardee =
        copieTravail ? Garder_Temp_Utilisateur(travail, tmp, corrige) : QString();
    if (!gardee)
        return Defaire({Etape::Copie_Travail, errno, travail});
    const auto Rendre = [&](const Disque::Erreur& erreur) {
        if (!gardee->isEmpty()) // the user's own file back in its place
            ::rename(QFile::encodeName(*gardee).constData(),
                     QFile::encodeName(travail).constData());
        return Defaire(erreur);
    };
    if (const Disque::Erreur erreur = copieTravail ? copieTravail->Poser() : Disque::Erreur{})
        return Rendre(erreur);
    if (const Disque::Erreur erreur = reecrit ? reecrit->Poser() : Disque::Erreur{})
        return Rendre(erreur);
    ouverture.contenu = std::move(corrige);
    ouverture.identite = reecrit ? reecrit->Identite_Ecrite() : lu.identite;
    ouverture.inventaire = lecture.inventaire;
    if (!gardee->isEmpty())
        ouverture.avis = Message_Temp_Mis_De_Cote(travail, *gardee);
    return ouverture;
}

Disque::Erreur Garder_Sauvegarde(const Chemins& chemins, const Disque::Lecture& lu) {
    using Disque::Etape;
    const QString sauvegarde = Chemin_Sauvegarde(chemins, Nb_Sauvegardes);
    bool cree = false;
    if (const Disque::Erreur erreur = Dossier_Sauvegardes(chemins, cree))
        return {Etape::Autre_Version, erreur.numero, sauvegarde};
    if (Nom_Trop_Long(sauvegarde))
        return {Etape::Autre_Version, ENAMETOOLONG, sauvegarde};
    Disque::Fichier_Neuf copie(sauvegarde, lu.ouvert.fd, lu.identite, *lu.octets, lu.proprietes,
                               Etape::Autre_Version);
    if (const Disque::Erreur erreur = copie.Erreur())
        return erreur;
    Rotation rotation(chemins);
    const Disque::Erreur erreur = copie.Poser();
    if (erreur)
        rotation.Annuler();
    return erreur;
}

} // namespace Fichiers
