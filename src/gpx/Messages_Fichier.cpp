#include "Messages_Fichier.h"

#include <cerrno>
#include <cstring>

namespace Fichiers {

namespace {

QString Guillemets(const QString& texte) {
    return QStringLiteral("« %1 »").arg(texte);
}

// The first sentence of both messages of another program's version.
QString Autre_Version(const QString& fichier) {
    return QStringLiteral("Le fichier %1 a été modifié par un autre programme depuis que "
                          "Quillvane l'a ouvert ou enregistré.")
        .arg(Guillemets(fichier));
}

} // namespace

QString Message_Temp_Mis_De_Cote(const QString& travail, const QString& garde) {
    return QStringLiteral("Le fichier %1, qui n'est pas une copie de travail de Quillvane, a été "
                          "mis de côté sous le nom %2 : Quillvane écrit sa copie de travail sous "
                          "ce nom.")
        .arg(Guillemets(travail), Guillemets(garde));
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
    case ENOENT:
        texte = QStringLiteral("le dossier n'existe plus");
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

QString Message_Version_Gardee(const QString& fichier, const QString& sauvegarde) {
    return Autre_Version(fichier) +
           QStringLiteral(" Cette version est gardée dans la sauvegarde %1.")
               .arg(Guillemets(sauvegarde));
}

QString Message(const Disque::Erreur& erreur, const QString& fichier) {
    using Disque::Etape;
    const QString nom = Guillemets(fichier), autre = Guillemets(erreur.chemin);
    const QString pas_ouvert = QStringLiteral(" Le fichier %1 n'a pas été ouvert.").arg(nom);
    QString texte;
    switch (erreur.etape) {
    case Etape::Aucune:
        return {};
    case Etape::Lecture:
        texte = QStringLiteral("Le fichier %1 n'a pas pu être lu.").arg(nom);
        break;
    case Etape::Pas_GPX:
        texte = QStringLiteral("Le fichier %1 n'est pas un fichier GPX ; il n'a pas été ouvert.")
                    .arg(nom);
        break;
    case Etape::Trop_Gros:
        texte = QStringLiteral("Le fichier %1 est trop gros pour être ouvert ici ; il n'a pas été "
                               "ouvert.")
                    .arg(nom);
        break;
    case Etape::Lien_Sauvegardes:
        texte = QStringLiteral("Le dossier des sauvegardes %1 est un lien qui n'est pas à vous.")
                    .arg(autre) +
                pas_ouvert;
        break;
    case Etape::Dossier_Sauvegardes:
        texte = QStringLiteral("Le dossier des sauvegardes %1 n'a pas pu être créé.").arg(autre) +
                pas_ouvert;
        break;
    case Etape::Sauvegarde:
        texte = QStringLiteral("La sauvegarde %1 n'a pas pu être écrite.").arg(autre) + pas_ouvert;
        break;
    case Etape::Copie_Travail:
        texte = QStringLiteral("La copie de travail %1 n'a pas pu être écrite.").arg(autre) +
                pas_ouvert;
        break;
    case Etape::Reecriture:
        texte = QStringLiteral("Le fichier %1 n'a pas pu être réécrit ; il est resté tel qu'il "
                               "était.")
                    .arg(nom);
        break;
    case Etape::Lien_Apparu:
        texte = QStringLiteral("Le fichier %1 n'a pas été enregistré : depuis son ouverture, il a "
                               "été remplacé par un lien symbolique vers %2, qui pourrait être "
                               "un autre fichier à vous. Le document reste ouvert avec ses "
                               "modifications.")
                    .arg(nom, autre);
        break;
    case Etape::Autre_Version:
        texte = Autre_Version(fichier) +
                QStringLiteral(" Cette version n'a pas pu être gardée dans la sauvegarde %1 : le "
                               "fichier n'a pas été enregistré.")
                    .arg(autre);
        break;
    case Etape::Enregistrement:
        texte = QStringLiteral("Le fichier %1 n'a pas pu être enregistré ; la version précédente "
                               "est restée intacte.")
                    .arg(nom);
        break;
    }
    return texte + Cause(erreur.numero);
}

} // namespace Fichiers
