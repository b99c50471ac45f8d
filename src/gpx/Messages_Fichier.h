#pragma once

// Every French message that tells a failure of the work on files: one per step, naming the
// file the user opened or saves, and the system's cause.

#include "Disque.h"

#include <QString>

namespace Fichiers {

// `fichier`: the document's file, as the user named it.
QString Message(const Disque::Erreur& erreur, const QString& fichier);

// Another program's version of `fichier`, found at a save, is kept as `sauvegarde`.
QString Message_Version_Gardee(const QString& fichier, const QString& sauvegarde);

// A "Temp.gpx" of the user's own, `travail`, was moved to `garde` out of the working copy's way.
QString Message_Temp_Mis_De_Cote(const QString& travail, const QString& garde);

// " Cause : le disque est plein." and the like, for an errno (or Disque::Pas_Ordinaire);
// empty for 0.
QString Cause(int erreur);

} // namespace Fichiers
