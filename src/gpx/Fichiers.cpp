#include "gpx/Fichiers.h"

#include "gpx/Ecriture_GPX.h"
#include "gpx/Inventaire.h"
#include "gpx/Lecture_GPX.h"
#include "gpx/Ouverture.h"
#include "poi/Gerer_POI.h"
#include "ui/Contexte.h"
#include "ui/Curseur_Attente.h"

#include <QFileInfo>
#include <QGroupBox>

namespace Fichiers {

namespace {

void Retenir_Nom(Contexte& c, const Chemins& chemins) {
    c.poi.Nom_Fichier = chemins.nom;
    c.poi.Dossier_Fichier = chemins.dossier;
    c.poi.Nom_Court = chemins.court;
    c.ui.LeNomFichier->setText(Nom_Affiche(chemins.nom));
}

// A name that does not exist yet: an empty document, the file comes with the first save.
void Commencer_Document(Contexte& c) {
    Declarations::Vider_Document(c.poi);
    c.ui.ListePOI->clear();
    c.ui.ListeLiens->clear();
    c.ui.Lat_Long->clear();
    c.ui.Nom_WP->clear();
    c.ui.Text1->clear();
    c.ui.Text2->clear();
    c.ui.Text3->clear();
    c.ui.Text4->clear();
    c.ui.Option1->Tout_Eteindre();
}

} // namespace

void Lire_POI(Contexte& c, QByteArrayView contenu) {
    c.ui.ListePOI->clear();
    Lire_Fichier(c.poi, contenu);
    c.ui.ListePOI->SetListIndex(-1);
    Gerer_POI::Afficher_POI(c);
}

void Charge_Fichier_Click(Contexte& c) {
    c.ui.Option1->Tout_Eteindre();
    const QString nom = c.services.Ouvrir_Fichier(QStringLiteral("*.gpx"), QString());
    // A cancel keeps the open file's name, so the document can still be saved where it was.
    if (nom.isEmpty())
        return;
    Charger(c, nom);
}

void Charger(Contexte& c, const QString& nom) {
    const Chemins chemins = Decouper_Chemin(nom);
    if (!QFileInfo::exists(nom)) {
        Retenir_Nom(c, chemins);
        Commencer_Document(c);
        return;
    }
    const Ouverture ouverture = En_Attente([&] { return Preparer_Ouverture(chemins); });
    if (!ouverture.erreur.isEmpty()) {
        c.services.Message(ouverture.erreur);
        return;
    }
    Retenir_Nom(c, chemins);
    En_Attente([&] { Lire_POI(c, ouverture.contenu); });
    // Told at once, while the backup still holds the file as it was opened.
    const QString avertissement =
        Avertissement(Inventorier(ouverture.contenu), c.poi.Nb_POI, chemins.court,
                      Chemin_Sauvegarde(chemins, Nb_Sauvegardes));
    if (!avertissement.isEmpty())
        c.services.Message(avertissement);
}

void Ouvrir_Fichier_Nomme(Contexte& c, const QString& nom) {
    c.ui.Option1->Tout_Eteindre();
    if (!QFileInfo::exists(nom)) {
        c.services.Message(Message_Illisible(nom));
        return;
    }
    Charger(c, nom);
}

void Fichier_Depose(Contexte& c, const QString& nom) {
    Montre_Fichier_Click(c);
    Ouvrir_Fichier_Nomme(c, nom);
}

bool Sauve_Fichier(Contexte& c) {
    if (c.poi.Nom_Fichier.isEmpty()) {
        c.services.Message(QStringLiteral("Il n'y a pas de nom de fichier"));
        return true;
    }
    if (En_Attente([&] { return Ecrire_GPX(c.poi, c.poi.Nom_Fichier); }))
        return true;
    c.services.Message(QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré ; la "
                                      "version précédente est restée intacte.")
                           .arg(c.poi.Nom_Fichier));
    return false;
}

void Sauve_Fichier_Click(Contexte& c) {
    Sauve_Fichier(c);
}

void Montre_Fichier_Click(Contexte& c) {
    c.ui.POIS->setVisible(true);
    c.ui.LIENS->setVisible(false);
}

} // namespace Fichiers
