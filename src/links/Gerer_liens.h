#pragma once

#include <QString>

struct Contexte;

namespace Gerer_liens {

// Text of the link list entry for slot `numero`: number, two blanks, label, " = ", target.
QString Texte_Entree(int numero, const QString& nom, const QString& url);

// Refills ListeLiens with the links of POI_Courant, none selected.
void Afficher_Liens(Contexte& c);
// Appends the internet link of Text3 (label) and Text4 (address) to POI_Courant. False, after
// a message, when the POI already holds five links.
bool Ajouter_Lien_Internet(Contexte& c);
// Appends the file link of Text1 (label) and Text2 (path) to POI_Courant; false as above.
bool Ajouter_Lien_Fichier(Contexte& c);

} // namespace Gerer_liens
