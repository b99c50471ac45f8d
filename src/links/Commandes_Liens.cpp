#include "links/Commandes_Liens.h"

#include "gpx/Echappements_XML.h"
#include "links/Caracteres_Simples.h"
#include "links/Cible_Ouverture.h"
#include "links/Gerer_liens.h"
#include "poi/Historique.h"
#include "ui/Contexte.h"

#include <QGroupBox>

namespace Gerer_liens {

namespace {

bool POI_Selectionne(const Contexte& c) {
    return c.ui.ListePOI->ListIndex() != -1;
}

// The slot of the selected link of POI_Courant, or 0 when no link (or no POI) is selected.
int Lien_Selectionne(const Contexte& c) {
    const int p = c.poi.POI_Courant;
    const int slot = c.ui.ListeLiens->ListIndex() + 1;
    if (!POI_Selectionne(c) || !Declarations::Est_POI(c.poi, p) || slot < 1 ||
        slot > c.poi.Nb_Liens[p])
        return 0;
    return slot;
}

// Empties the box and tells the user when it holds a character other than a plain one.
bool Verifier_Zone(Contexte& c, QLineEdit* zone, const QString& avant, const QString& apres) {
    const QString texte = zone->text();
    if (Caracteres_Simples::Tous_Simples(texte))
        return true;
    c.services.Message(avant + texte + apres);
    zone->clear();
    return false;
}

} // namespace

void Gestion_Liens_Click(Contexte& c) {
    if (!POI_Selectionne(c)) {
        c.services.Message(QStringLiteral("Selectionnez d'abord un POI à gérer"));
        return;
    }
    c.ui.POIS->hide();
    c.ui.LIENS->show();
}

void Fichier_lien_Click(Contexte& c) {
    if (!POI_Selectionne(c)) {
        c.services.Message(QStringLiteral("Choisisser d'abord un POI"));
        return;
    }
    const QString chemin = c.services.Ouvrir_Fichier(QStringLiteral("*"), QString());
    if (chemin.isEmpty())
        return;
    if (!Caracteres_Simples::Tous_Simples(chemin)) {
        c.services.Message(QStringLiteral("Nom du chemin ou de fichier accentué invalide"));
        return;
    }
    c.ui.Text2->setText(chemin);
}

void Valider_lien_Click(Contexte& c) {
    if (!POI_Selectionne(c)) {
        c.services.Message(QStringLiteral("Choisisser d'abord un POI"));
        return;
    }
    const Controles& ui = c.ui;
    if (!Verifier_Zone(c, ui.Text1, QStringLiteral("Le nom du lien "),
                       QStringLiteral(" est accentué invalide")) ||
        !Verifier_Zone(c, ui.Text2, QStringLiteral("Nom du chemin ou de fichier "),
                       QStringLiteral("  accentué invalide")) ||
        !Verifier_Zone(c, ui.Text3, QStringLiteral("Le nom du lien "),
                       QStringLiteral("  est accentué invalide")) ||
        !Verifier_Zone(c, ui.Text4, QStringLiteral("Nom de l'URL  "),
                       QStringLiteral(" est accentué invalide")))
        return;

    // A pair refused for want of room stays in its boxes; the others are emptied.
    const bool internet = Ajouter_Lien_Internet(c);
    const bool fichier = Ajouter_Lien_Fichier(c);
    Afficher_Liens(c);
    if (fichier) {
        ui.Text1->clear();
        ui.Text2->clear();
    }
    if (internet) {
        ui.Text3->clear();
        ui.Text4->clear();
    }
}

void Supprimer_Lien_Click(Contexte& c) {
    const int s = Lien_Selectionne(c);
    if (s == 0) {
        c.services.Message(QStringLiteral("Choisissez un lien à supprimer"));
        return;
    }
    const int p = c.poi.POI_Courant;
    const Declarations::Fiche avant = Declarations::Lire_Fiche(c.poi, p);
    Declarations::Retirer_Lien(c.poi, p, s);
    Historique::Noter_Fiche(
        c, p, avant,
        QStringLiteral("la suppression du lien « %1 » de %2")
            .arg(Echappements_XML::Decoder_References(avant.noms[s]), Historique::Nom(avant.nom)));
    Afficher_Liens(c);
}

void Tester_Lien_Click(Contexte& c) {
    const int s = Lien_Selectionne(c);
    if (s == 0) {
        c.services.Message(QStringLiteral("Choisissez un lien à tester"));
        return;
    }
    // A target read from a file keeps its XML spelling ("&amp;" in a query, a folder such as
    // "Tom &amp; Jerry"); the opener gets the address it stands for, as one argument, never
    // through a shell, a file as its path.
    const QString cible =
        Echappements_XML::Decoder_References(c.poi.Lien_URL[c.poi.POI_Courant][s]);
    const QString argument = Cible_Ouverture::Pour_Ouvrir(cible);
    if (const auto nom = Cible_Ouverture::Fichier_Local(cible);
        nom && !Cible_Ouverture::Existe(*nom)) {
        c.services.Message(
            QStringLiteral("Le lien ne peut pas être ouvert : le fichier « %1 » n'existe pas.")
                .arg(argument));
        return;
    }
    c.services.Ouvrir_Sinon(argument, [&c, argument] {
        c.services.Message(QStringLiteral("Le lien « %1 » n'a pas pu être ouvert : aucun programme "
                                          "de cet ordinateur n'ouvre ce genre de fichier ou "
                                          "d'adresse.")
                               .arg(argument));
    });
}

} // namespace Gerer_liens
