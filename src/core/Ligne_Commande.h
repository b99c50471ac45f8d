#pragma once

// The command line: `quillvane [FICHIER.gpx]`, --help, --version. Read before any window or
// the web engine exists, so that the help and the version answer without a display.

#include <QString>
#include <QStringList>

namespace Ligne_Commande {

enum class Action {
    Demarrer, // start the program, on `fichier` when it is not empty
    Afficher, // print `texte` on the standard output and end with status 0
    Refuser,  // print `texte` on the standard error and end with status 2
};

struct Demande {
    Action action = Action::Demarrer;
    QString fichier; // absolute, with the platform's own separators
    QString texte;
};

inline constexpr int Statut_Refus = 2;

// `arguments` as the program received them, its own name first.
Demande Analyser(const QStringList& arguments);

// The program's version, that of the build ("1.12").
QString Version();

} // namespace Ligne_Commande
