#pragma once

// The file work of an opening: backups in "tmp", file links re-pointed through "Temp.gpx",
// the opened file replaced at once. Every path is formed from the file's own folder.

#include "Disque.h"
#include "Lecture_GPX.h"

#include <QByteArray>
#include <QString>

namespace Fichiers {

inline constexpr int Nb_Sauvegardes = 30;

struct Chemins {
    QString nom;     // full path
    QString dossier; // up to and including the last separator ("/" here)
    QString court;   // after the last separator
};
Chemins Decouper_Chemin(const QString& nomFichier);

// What LeNomFichier shows: a path longer than 30 characters as "...." and its last 31.
QString Nom_Affiche(const QString& nomFichier);

// tmp/<name>.n, n from 1 (oldest) to 30 (newest).
QString Chemin_Sauvegarde(const Chemins& chemins, int numero);

struct Ouverture {
    QByteArray contenu;        // the file with its links re-pointed
    Disque::Erreur erreur;     // what failed, and why; nothing on success
    Disque::Identite identite; // the file as the opening left it
    QString avis = {};         // French, what the user should know of the opening; often empty
    Declarations::Declarations document = {}; // the file read, its links re-pointed
    Inventaire inventaire = {};                // what it holds beyond the store
};

// Reads the file once (a file whose first bytes are no GPX document, or too large to be held,
// is refused before it is read whole), removes what a stopped save left beside it, keeps it as
// backup 30 (rotating the older ones down), re-points its file links and writes them to
// "Temp.gpx", and over the file when a link now points elsewhere and the user may write it.
// Every file is written in full before any is put in place: on failure nothing on disk has
// changed. A "Temp.gpx" that is no working copy of this program is moved into "tmp" first,
// never replaced.
Ouverture Preparer_Ouverture(const Chemins& chemins);

// Keeps the file as `lu` read it as backup 30, the older ones rotated down.
Disque::Erreur Garder_Sauvegarde(const Chemins& chemins, const Disque::Lecture& lu);

} // namespace Fichiers
