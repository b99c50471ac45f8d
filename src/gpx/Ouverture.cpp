#include "Ouverture.h"

#include "Corriger_Liens.h"
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
#include <sys/stat.h>
#include <sys/xattr.h>
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
        (s.st_size == copie.size() && Disque::Lire_Tout(travail) == copie))
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
    const Disque::Lecture lu = Disque::Lire(chemins.nom);
    if (!lu.octets)
        return {{}, Message_Illisible(chemins.nom) + Cause(lu.erreur), {}};
    const QByteArray& contenu = *lu.octets;
    // Saving would replace any other document by a GPX file: it is not opened at all.
    if (!contenu.isEmpty() && !Est_GPX(contenu))
        return {{},
                QStringLiteral("Le fichier %1 n'est pas un fichier GPX ; il n'a pas été ouvert.")
                    .arg(nom),
                {}};

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

    bool change = false;
    QByteArray corrige = Corriger_Liens_Fichier(contenu, chemins.dossier, &change);
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
        Disque::Proprietes marquees = lu.proprietes;
        marquees.attributs.emplace_back(Marque_Travail, "1");
        copieTravail.emplace(travail, corrige, marquees, false);
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
    const std::optional<QString> gardee =
        copieTravail ? Garder_Temp_Utilisateur(travail, tmp, corrige) : QString();
    if (!gardee)
        return Defaire(echecTravail, errno);
    const auto Rendre = [&](const QString& message, int erreur) {
        if (!gardee->isEmpty()) // the user's own file back in its place
            ::rename(QFile::encodeName(*gardee).constData(),
                     QFile::encodeName(travail).constData());
        return Defaire(message, erreur);
    };
    if (const int erreur = copieTravail ? copieTravail->Poser() : 0)
        return Rendre(echecTravail, erreur);
    if (const int erreur = reecrit ? reecrit->Poser() : 0)
        return Rendre(echecReecriture, erreur);
    Ouverture ouverte{std::move(corrige), {}, reecrit ? reecrit->Identite_Ecrite() : lu.identite};
    if (!gardee->isEmpty())
        ouverte.avis = QStringLiteral("Le fichier %1, qui n'est pas une copie de travail de "
                                      "Quillvane, a été mis de côté sous le nom %2 : Quillvane "
                                      "écrit sa copie de travail sous ce nom.")
                           .arg(Guillemets(travail), Guillemets(*gardee));
    return ouverte;
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
