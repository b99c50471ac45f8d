#include "links/Commandes_Liens.h"

#include "ui/Contexte.h"

// Being built: link commands.
namespace Gerer_liens {
void Gestion_Liens_Click(Contexte&) {}
void Fichier_lien_Click(Contexte&) {}
void Valider_lien_Click(Contexte&) {}
void Supprimer_Lien_Click(Contexte&) {}
void Tester_Lien_Click(Contexte&) {}
} // namespace Gerer_liens
