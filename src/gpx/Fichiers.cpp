#include "gpx/Fichiers.h"

#include "gpx/Ecriture_GPX.h"
#include "gpx/Inventaire.h"
#include "gpx/Lecture_GPX.h"
#include "gpx/Messages_Fichier.h"
#include "gpx/Ouverture.h"
#include "poi/Gerer_POI.h"
#include "ui/Contexte.h"
#include "ui/Curseur_Attente.h"
#include "viewers/Carte.h"

#include <QFileInfo>
#include <QGroupBox>

namespace Fichiers {

namespace {

void Retenir_Nom(Contexte& c, const Chemins& chemins) {
    c.historique.clear(); // another document: the edits of this one cannot be undone there
    c.descriptif = {};
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

// The file as this program leaves it now, where its name leads, and the document.
void Retenir_Version(Contexte& c, std::optional<Disque::Identite> identite) {
    c.suivi = {identite, Disque::Cible_Finale(c.poi.Nom_Fichier), c.poi};
    c.historique.setClean();
}

// Unsaved edits are never dropped unseen: the user may save them first, drop them, or keep
// the document and open nothing. True when the opening may go on.
bool Remplacement_Accepte(Contexte& c, const QString& nom) {
    if (c.historique.isClean())
        return true;
    const QString question =
        QStringLiteral("Le document « %1 » a des modifications qui n'ont pas été enregistrées.\n\n"
                       "Les enregistrer avant d'ouvrir « %2 » ?")
            .arg(c.poi.Nom_Fichier.isEmpty() ? QStringLiteral("sans nom") : c.poi.Nom_Fichier, nom);
    switch (c.services.Demander(question, true)) {
    case Services::Reponse::Oui:
        return Sauve_Fichier(c) && !c.poi.Nom_Fichier.isEmpty();
    case Services::Reponse::Non:
        return true;
    case Services::Reponse::Annuler:
        break;
    }
    return false;
}

// A version that another program (or another Quillvane) wrote since this one opened or saved
// the file is kept as the newest backup before it is replaced, and the user told where.
// What failed when it could not be kept: then nothing is written.
Disque::Erreur Garder_Autre_Version(Contexte& c) {
    const QString& nom = c.poi.Nom_Fichier;
    const std::optional<Disque::Identite> actuelle = Disque::Identite_De(nom);
    if (!actuelle || actuelle == c.suivi.identite)
        return {};
    const Chemins chemins = Decouper_Chemin(nom);
    const Disque::Erreur erreur = En_Attente([&] {
        const Disque::Lecture lu = Disque::Lire(nom);
        return lu.octets ? Garder_Sauvegarde(chemins, lu) : lu.erreur;
    });
    // Not a file (a folder, a pipe): there is no version to keep, and the save refuses it.
    if (erreur.numero == Disque::Pas_Ordinaire)
        return {};
    if (erreur.etape == Disque::Etape::Lecture)
        return {Disque::Etape::Autre_Version, erreur.numero,
                Chemin_Sauvegarde(chemins, Nb_Sauvegardes)};
    if (!erreur)
        c.services.Message(Message_Version_Gardee(nom, Chemin_Sauvegarde(chemins, Nb_Sauvegardes)));
    return erreur;
}

} // namespace

void Lire_POI(Contexte& c, Declarations::Declarations&& lu) {
    c.ui.ListePOI->clear();
    Declarations::Vider_Document(c.poi);
    for (int i = 1; i <= lu.Nb_POI; ++i)
        Declarations::Ecrire_Fiche(c.poi, i, Declarations::Lire_Fiche(lu, i));
    c.poi.Nb_POI = lu.Nb_POI;
    c.poi.Garde_Document = std::move(lu.Garde_Document);
    c.poi.POI_Courant = lu.POI_Courant;
    c.ui.ListePOI->SetListIndex(-1);
    Gerer_POI::Afficher_POI(c);
    Carte::Cadrer_Reperes(c);
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
    if (!Remplacement_Accepte(c, nom))
        return;
    const Chemins chemins = Decouper_Chemin(nom);
    if (!QFileInfo::exists(nom)) {
        Retenir_Nom(c, chemins);
        Commencer_Document(c);
        Retenir_Version(c, std::nullopt);
        return;
    }
    Ouverture ouverture = En_Attente([&] { return Preparer_Ouverture(chemins); });
    if (ouverture.erreur) {
        c.services.Message(Message(ouverture.erreur, nom));
        return;
    }
    Retenir_Nom(c, chemins);
    En_Attente([&] { Lire_POI(c, std::move(ouverture.document)); });
    Retenir_Version(c, ouverture.identite);
    // Told at once, while the backup still holds the file as it was opened.
    const QString avertissement = Avertissement(ouverture.inventaire, c.poi.Nb_POI, chemins.court,
                                                Chemin_Sauvegarde(chemins, Nb_Sauvegardes));
    for (const QString& message : {ouverture.avis, avertissement})
        if (!message.isEmpty())
            c.services.Message(message);
}

void Ouvrir_Fichier_Nomme(Contexte& c, const QString& nom) {
    c.ui.Option1->Tout_Eteindre();
    if (!QFileInfo::exists(nom)) {
        c.services.Message(Message({Disque::Etape::Lecture, 0, nom}, nom));
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
    const QString& nom = c.poi.Nom_Fichier;
    // Only the file opened, or a plain file put in its place, is written: never through a
    // link that came since, nor is what such a link leads to kept as a backup.
    Disque::Erreur erreur = Disque::Verifier_Cible(nom, c.suivi.cible);
    if (!erreur)
        erreur = Garder_Autre_Version(c);
    if (!erreur)
        erreur = En_Attente(
            [&] { return Disque::Ecrire_Document(nom, c.suivi.cible, Texte_GPX(c.poi)); });
    if (!erreur) {
        Retenir_Version(c, Disque::Identite_De(nom));
        return true;
    }
    c.services.Message(Message(erreur, nom));
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
