#pragma once

struct Contexte;

namespace Gerer_liens {

void Gestion_Liens_Click(Contexte& c);
void Fichier_lien_Click(Contexte& c);
void Valider_lien_Click(Contexte& c);
void Supprimer_Lien_Click(Contexte& c);
void Tester_Lien_Click(Contexte& c);

} // namespace Gerer_liens
