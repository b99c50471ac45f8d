#include "Ouverture.h"

#include "Disque.h"
#include "Lecture_GPX.h"
#include "Rotation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <cerrno>
#include <climits>
#include <cstring>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace Fichiers {

namespace {

QString Guillemets(const QString& texte) {
    return QStringLiteral("« %1 »").arg(texte);
}

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

// The folder "tmp", created when missing: errno, 0 when it is there. `cree` tells that it
// was made here, so that a failed opening takes it away again.
int Dossier_Sauvegardes(const Chemins& chemins, bool& cree) {
    const QString tmp = chemins.dossier + QStringLiteral("tmp");
    cree = false;
    if (QFileInfo(tmp).isDir())
        return 0;
    if (::mkdir(QFile::encodeName(tmp).constData(), 0777) != 0)
        return errno;
    cree = true;
    return 0;
}

QString Pas_GPX(const QString& nom) {
    return QStringLiteral("Le fichier %1 n'est pas un fichier GPX ; il n'a pas été ouvert.")
        .arg(nom);
}

QString Trop_Gros(const QString& nom) {
    return QStringLiteral("Le fichier %1 est trop gros pour être ouvert ici ; il n'a pas été "
                          "ouvert.")
        .arg(nom);
}

// The file, its bytes and what the opening keeps of them, must fit in memory several times.
bool Trop_Gros(qint64 taille) {
    const qint64 memoire = qint64(::sysconf(_SC_PHYS_PAGES)) * ::sysconf(_SC_PAGESIZE);
    return memoire > 0 && taille > memoire / 4;
}

// The refusal of a file told by its first bytes, before it is read whole: empty when it may
// be read.
QString Refus_Des_Premiers_Octets(const QString& chemin, const QString& nom) {
    const QFileInfo info(chemin);
    if (!info.isFile()) // a pipe or a device is not opened here: the reading tells what it is
        return {};
    QFile fichier(chemin);
    if (fichier.open(QIODevice::ReadOnly) && Debut_GPX(fichier.read(64 * 1024)) == 0)
        return Pas_GPX(nom);
    return Trop_Gros(info.size()) ? Trop_Gros(nom) : QString();
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

QString Message_Illisible(const QString& nomFichier) {
    return QStringLiteral("Le fichier %1 n'a pas pu être lu.").arg(Guillemets(nomFichier));
}

QString Cause(int erreur) {
    QString texte;
    switch (erreur) {
    case 0:
        return {};
    case ENOSPC:
    case EDQUOT:
    case EFBIG: // a size limit set for the user: the same as a full disk to him
        texte = QStringLiteral("le disque est plein");
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        texte = QStringLiteral("permission refusée");
        break;
    case ENAMETOOLONG:
        texte = QStringLiteral("le nom est trop long");
        break;
    case Disque::Pas_Ordinaire:
    case EISDIR:
        texte = QStringLiteral("ce n'est pas un fichier ordinaire");
        break;
    default:
        texte = QString::fromLocal8Bit(std::strerror(erreur));
    }
    return QStringLiteral(" Cause : %1.").arg(texte);
}

Ouverture Preparer_Ouverture(const Chemins& chemins) {
    const QString nom = Guillemets(chemins.nom);
    if (const QString refus = Refus_Des_Premiers_Octets(chemins.nom, nom); !refus.isEmpty())
        return {{}, refus, {}};
    // Read once: the store, the count of what it holds and the link targets to re-point.
    Ouverture ouverture;
    Disque::Lecture lu;
    Lecture lecture;
    try {
        lu = Disque::Lire(chemins.nom);
        if (!lu.octets)
            return {{}, Message_Illisible(chemins.nom) + Cause(lu.erreur), {}};
        ouverture.document.Max_POI = Declarations::Capacite;
        lecture = Lire_Fichier(ouverture.document, *lu.octets, &chemins.dossier);
    } catch (const std::bad_alloc&) {
        return {{}, Trop_Gros(nom), {}};
    }
    const QByteArray& contenu = *lu.octets;
    // Saving would replace any other document by a GPX file: it is not opened at all.
    if (!contenu.isEmpty() && !lecture.gpx)
        return {{}, Pas_GPX(nom), {}};

    const QString tmp = chemins.dossier + QStringLiteral("tmp");
    // A "tmp" link that someone else planted would take the backups out of the folder.
    bool existe = false;
    if (const struct stat s = Etat_Lien(tmp, existe);
        existe && S_ISLNK(s.st_mode) && s.st_uid != ::geteuid())
        return {{},
                QStringLiteral("Le dossier des sauvegardes %1 est un lien qui n'est pas à vous. "
                               "Le fichier %2 n'a pas été ouvert.")
                    .arg(Guillemets(tmp), nom),
                {}};
    bool cree = false;
    if (const int erreur = Dossier_Sauvegardes(chemins, cree))
        return {{},
                QStringLiteral("Le dossier des sauvegardes %1 n'a pas pu être créé. Le fichier "
                               "%2 n'a pas été ouvert.")
                        .arg(Guillemets(tmp), nom) +
                    Cause(erreur),
                {}};
    // Once something is in it, the new folder stays.
    const auto retirer = qScopeGuard([&] {
        if (cree)
            ::rmdir(QFile::encodeName(tmp).constData());
    });

    const bool change = !lecture.cibles.isEmpty();
    QByteArray corrige = Remplacer_Cibles(lecture.Texte(contenu), lecture.cibles);
    const QString sauvegarde = Chemin_Sauvegarde(chemins, Nb_Sauvegardes);
    const auto Echec = [](const QString& message, int erreur) {
        return Ouverture{{}, message + Cause(erreur), {}};
    };
    const QString echecSauvegarde =
        QStringLiteral("La sauvegarde %1 n'a pas pu être écrite. Le fichier %2 n'a pas été "
                       "ouvert.")
            .arg(Guillemets(sauvegarde), nom);
    if (Nom_Trop_Long(sauvegarde))
        return Echec(echecSauvegarde, ENAMETOOLONG);
    // Every file is written in full before the first is put in place.
    Disque::Fichier_Neuf copie(sauvegarde, contenu, lu.proprietes);
    if (copie.Erreur())
        return Echec(echecSauvegarde, copie.Erreur());
    const QString travail = chemins.dossier + QStringLiteral("Temp.gpx");
    const QString echecTravail =
        QStringLiteral("La copie de travail %1 n'a pas pu être écrite. Le fichier %2 n'a pas "
                       "été ouvert.")
            .arg(Guillemets(travail), nom);
    // The working copy may be the opened file itself: then the rewrite is all there is.
    std::optional<Disque::Fichier_Neuf> copieTravail;
    if (!Meme_Entree(travail, chemins.nom)) {
        // The working copy is a scratch file: its bytes are also in the rewritten file or
        // in memory, so it is not flushed to the disk.
        copieTravail.emplace(travail, corrige, lu.proprietes, false);
        if (copieTravail->Erreur())
            return Echec(echecTravail, copieTravail->Erreur());
    }
    // The file is rewritten only for a link that points elsewhere now, and only when the user
    // may write it: a file without one, or someone else's file, stays
    // as it is on disk until the user saves. A symbolic link is the user's own: its target is
    // rewritten and the link stays.
    const QString echecReecriture =
        QStringLiteral("Le fichier %1 n'a pas pu être réécrit ; il est resté tel qu'il était.")
            .arg(nom);
    std::optional<Disque::Fichier_Neuf> reecrit;
    if (const QString cible = Disque::Cible_Finale(chemins.nom);
        change && Disque::Modifiable(cible)) {
        reecrit.emplace(cible, corrige, lu.proprietes);
        if (reecrit->Erreur())
            return Echec(echecReecriture, reecrit->Erreur());
    }

    Rotation rotation(chemins);
    if (const int erreur = copie.Poser()) {
        rotation.Annuler();
        return Echec(echecSauvegarde, erreur);
    }
    const auto Defaire = [&](const QString& message, int erreur) {
        ::unlink(QFile::encodeName(sauvegarde).constData());
        rotation.Annuler();
        return Echec(message, erreur);
    };
    if (const int erreur = copieTravail ? copieTravail->Poser() : 0)
        return Defaire(echecTravail, erreur);
    if (const int erreur = reecrit ? reecrit->Poser() : 0)
        return Defaire(echecReecriture, erreur);
    ouverture.contenu = std::move(corrige);
    ouverture.identite = reecrit ? reecrit->Identite_Ecrite() : lu.identite;
    ouverture.inventaire = lecture.inventaire;
    return ouverture;
}

int Garder_Sauvegarde(const Chemins& chemins, QByteArrayView contenu,
                      const Disque::Proprietes& proprietes) {
    bool cree = false;
    if (const int erreur = Dossier_Sauvegardes(chemins, cree))
        return erreur;
    const QString sauvegarde = Chemin_Sauvegarde(chemins, Nb_Sauvegardes);
    if (Nom_Trop_Long(sauvegarde))
        return ENAMETOOLONG;
    Disque::Fichier_Neuf copie(sauvegarde, contenu, proprietes);
    if (copie.Erreur())
        return copie.Erreur();
    Rotation rotation(chemins);
    const int erreur = copie.Poser();
    if (erreur)
        rotation.Annuler();
    return erreur;
}

} // namespace Fichiers
