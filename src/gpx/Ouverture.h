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
    QString erreur;            // French, naming the file, what failed and why; empty on success
    Disque::Identite identite; // the file as the opening left it
    Declarations::Declarations document; // the file read, its links re-pointed
    Inventaire inventaire;               // what it holds beyond the store
};

// "Le fichier « nom » n'a pas pu être lu."
QString Message_Illisible(const QString& nomFichier);

// " Cause : le disque est plein." and the like, for an errno (or Disque::Pas_Ordinaire);
// empty for 0.
QString Cause(int erreur);

// Reads the file once (a file whose first bytes are no GPX document, or too large to be held,
// is refused before it is read whole), keeps it as backup 30 (rotating the older ones down),
// re-points its file links and writes them to "Temp.gpx", and over the file when a link now points
// elsewhere and the user may write it. Every file is written in full before any is put in
// place: on failure nothing on disk has changed.
Ouverture Preparer_Ouverture(const Chemins& chemins);

// Keeps `contenu` as backup 30 of the file, the older ones rotated down; errno, 0 when done.
int Garder_Sauvegarde(const Chemins& chemins, QByteArrayView contenu,
                      const Disque::Proprietes& proprietes);

} // namespace Fichiers
