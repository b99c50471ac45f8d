#include "Gerer_liens.h"

#include "gpx/Echappements_XML.h"
#include "links/Lien_Fichier.h"
#include "poi/Historique.h"
#include "ui/Contexte.h"

namespace Gerer_liens {

QString Texte_Entree(int numero, const QString& nom, const QString& url) {
    return QString::number(numero) + QStringLiteral("  ") + nom + QStringLiteral(" = ") + url;
}

void Afficher_Liens(Contexte& c) {
    c.ui.ListeLiens->clear();
    const int p = c.poi.POI_Courant;
    const int n = Declarations::Est_POI(c.poi, p) ? c.poi.Nb_Liens[p] : 0;
    // The store keeps the spelling of the file ("Tom &amp; Jerry"); the user reads the text.
    for (int i = 1; i <= n; ++i)
        c.ui.ListeLiens->AddItem(
            Texte_Entree(i, Echappements_XML::Decoder_References(c.poi.Lien_Nom[p][i]),
                         Echappements_XML::Decoder_References(c.poi.Lien_URL[p][i])));
    c.ui.ListeLiens->SetListIndex(-1);
}

namespace {

// Appends the link (label, prefix + entry); the entry is the address or the path as typed.
// False when the POI has no room left for it: the boxes keep it, to be added elsewhere.
bool Ajouter(Contexte& c, const QString& nom, const QString& entree, const QString& prefixe) {
    if (nom.isEmpty() && entree.isEmpty())
        return true;
    if (nom.isEmpty() || entree.isEmpty() || c.ui.ListePOI->ListIndex() == -1) {
        c.services.Message(
            QStringLiteral("Il manque la définition d'un paramètre du lien à valider"));
        return true;
    }
    const int p = c.poi.POI_Courant;
    if (!Declarations::Est_POI(c.poi, p))
        return true;
    const Declarations::Fiche avant = Declarations::Lire_Fiche(c.poi, p);
    if (!Declarations::Ajouter_Lien(c.poi, p, prefixe + entree, nom)) {
        c.services.Message(QStringLiteral("Le lien « %1 » n'a pas été ajouté : un POI a au plus "
                                          "cinq liens. Supprimez-en un pour faire de la place.")
                               .arg(nom));
        return false;
    }
    Historique::Noter_Fiche(
        c, p, avant,
        QStringLiteral("l'ajout du lien « %1 » à %2").arg(nom, Historique::Nom(avant.nom)));
    Afficher_Liens(c);
    return true;
}

} // namespace

bool Ajouter_Lien_Internet(Contexte& c) {
    return Ajouter(c, c.ui.Text3->text(), c.ui.Text4->text(), QString());
}

bool Ajouter_Lien_Fichier(Contexte& c) {
    return Ajouter(c, c.ui.Text1->text(), c.ui.Text2->text(),
                   QString::fromLatin1(Lien_Fichier::Prefixe));
}

} // namespace Gerer_liens
