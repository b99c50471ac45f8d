#include "Ouverture.h"

#include "Corriger_Liens.h"
#include "Disque.h"
#include "Lecture_GPX.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Fichiers {

namespace {

QString Guillemets(const QString& texte) {
    return QStringLiteral("« %1 »").arg(texte);
}

// Backup n + 1 becomes backup n, from the oldest up; a missing one leaves its place as it
// was, and a failing step is skipped so that the opening goes on.
void Tourner_Sauvegardes(const Chemins& chemins) {
    for (int n = 1; n < Nb_Sauvegardes; ++n) {
        const QString suivante = Chemin_Sauvegarde(chemins, n + 1);
        if (!QFileInfo::exists(suivante))
            continue;
        const QString place = Chemin_Sauvegarde(chemins, n);
        QFile::remove(place);
        QFile::rename(suivante, place);
    }
}

bool Meme_Fichier(const QString& a, const QString& b) {
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
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

Ouverture Preparer_Ouverture(const Chemins& chemins) {
    const QString nom = Guillemets(chemins.nom);
    const std::optional<QByteArray> lu = Disque::Lire_Tout(chemins.nom);
    if (!lu)
        return {{}, Message_Illisible(chemins.nom)};
    const QByteArray& contenu = *lu;
    // Saving would replace any other document by a GPX file: it is not opened at all.
    if (!contenu.isEmpty() && !Est_GPX(contenu))
        return {{},
                QStringLiteral("Le fichier %1 n'est pas un fichier GPX ; il n'a pas été ouvert.")
                    .arg(nom)};

    const QString tmp = chemins.dossier + QStringLiteral("tmp");
    if (!QFileInfo(tmp).isDir() && !QDir().mkdir(tmp))
        return {{},
                QStringLiteral("Le dossier des sauvegardes %1 n'a pas pu être créé. Le fichier "
                               "%2 n'a pas été ouvert.")
                    .arg(Guillemets(tmp), nom)};

    Tourner_Sauvegardes(chemins);
    // The file is rewritten only for a link that points elsewhere now: a file without one
    // stays as it is on disk until the user saves.
    bool change = false;
    QByteArray corrige = Corriger_Liens_Fichier(contenu, chemins.dossier, &change);
    const QString sauvegarde = Chemin_Sauvegarde(chemins, Nb_Sauvegardes);
    // When the file is about to be replaced, its present content can become the backup
    // under a second name instead of being copied.
    QFile::remove(sauvegarde);
    const bool liee = change && Disque::Lier(chemins.nom, sauvegarde);
    if (!liee && !Disque::Ecrire_Atomique(sauvegarde, contenu))
        return {{},
                QStringLiteral("La sauvegarde %1 n'a pas pu être écrite. Le fichier %2 n'a pas "
                               "été ouvert.")
                    .arg(Guillemets(sauvegarde), nom)};

    const QString travail = chemins.dossier + QStringLiteral("Temp.gpx");
    const QString echecReecriture =
        QStringLiteral("Le fichier %1 n'a pas pu être réécrit ; il est resté tel qu'il était.")
            .arg(nom);
    // A backup that still shares the unchanged file must become a copy of its own.
    const auto Echec = [&](const QString& message) {
        if (liee)
            Disque::Ecrire_Atomique(sauvegarde, contenu);
        return Ouverture{{}, message};
    };
    // The working copy may be the opened file itself: then it is replaced at once, never
    // truncated in place.
    if (Meme_Fichier(travail, chemins.nom)) {
        if (change && !Disque::Ecrire_Atomique(chemins.nom, corrige))
            return Echec(echecReecriture);
        return {std::move(corrige), {}};
    }
    if (!Disque::Ecrire(travail, corrige))
        return Echec(QStringLiteral("La copie de travail %1 n'a pas pu être écrite. Le fichier "
                                    "%2 n'a pas été ouvert.")
                         .arg(Guillemets(travail), nom));
    if (change && !Disque::Remplacer_Par_Copie(travail, chemins.nom))
        return Echec(echecReecriture);
    return {std::move(corrige), {}};
}

} // namespace Fichiers
