#pragma once

// Handlers of the GPX file: open (with backups and re-pointed file links), save, and the
// menu entry that brings the POI frame back.

#include "core/Declarations.h"

#include <QByteArrayView>
#include <QString>

struct Contexte;

namespace Fichiers {

void Charge_Fichier_Click(Contexte& c);
// Opens `nom` as a choice of ">>>" does: a name not on disk starts a new document; an existing
// file is backed up, re-pointed, read and listed; a failure is told and changes nothing.
void Charger(Contexte& c, const QString& nom);
// A file named from outside the program (command line, file manager): opened as a choice of
// ">>>" would be, except that a name not on disk is told and nothing changes.
void Ouvrir_Fichier_Nomme(Contexte& c, const QString& nom);
// A file dropped on the main window: the POI frame comes back and the file is opened as above.
void Fichier_Depose(Contexte& c, const QString& nom);
void Sauve_Fichier_Click(Contexte& c);
// The save of the menu entry; false when a file was to be written and could not be, so
// that quitting can keep the document instead of losing it.
bool Sauve_Fichier(Contexte& c);
void Montre_Fichier_Click(Contexte& c);

// The store takes the POIs of a file read, and what it keeps of it; they are listed, none
// selected.
void Lire_POI(Contexte& c, Declarations::Declarations&& lu);

} // namespace Fichiers
