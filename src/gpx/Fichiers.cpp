#include "gpx/Fichiers.h"

#include "ui/Contexte.h"

// Being built: opening and saving GPX files.
namespace Fichiers {
void Charge_Fichier_Click(Contexte&) {}
void Sauve_Fichier_Click(Contexte&) {}
void Montre_Fichier_Click(Contexte&) {}
} // namespace Fichiers
