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
#include <cerrno>

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

// The file as this program leaves it now, and the document.
void Retenir_Version(Contexte& c, std::optional<Disque::Identite> identite) {
    c.suivi = {identite, c.poi};
}

// The open document's file has vanished (or the folder of the name given): emptying the
// document would lose its unsaved edits without a word. True when it may go.
bool Abandon_Accepte(Contexte& c, const QString& nom) {
    const bool disparu =
        nom == c.poi.Nom_Fichier || !QFileInfo(QFileInfo(nom).absolutePath()).isDir();
    if (!disparu || Texte_GPX(c.poi) == Texte_GPX(c.suivi.document))
        return true;
    return !c.services.Question(
        QStringLiteral("Le fichier « %1 » n'existe plus, et le document ouvert a des "
                       "modifications qui n'ont pas été enregistrées.\n\nGarder le document "
                       "ouvert ? (Non : un document vide commence sous ce nom et ces "
                       "modifications sont perdues.)")
            .arg(nom));
}

// A version that another program (or another Quillvane) wrote since this one opened or saved
// the file is kept as the newest backup before it is replaced, and the user told where.
// False, with the cause told, when it could not be kept: then nothing is written.
bool Garder_Autre_Version(Contexte& c) {
    const QString& nom = c.poi.Nom_Fichier;
    const std::optional<Disque::Identite> actuelle = Disque::Identite_De(nom);
    if (!actuelle || actuelle == c.suivi.identite)
        return true;
    const Chemins chemins = Decouper_Chemin(nom);
    const QString sauvegarde = Chemin_Sauvegarde(chemins, Nb_Sauvegardes);
    const int erreur = En_Attente([&] {
        const Disque::Lecture lu = Disque::Lire(nom);
        return lu.octets ? Garder_Sauvegarde(chemins, *lu.octets, lu.proprietes) : lu.erreur;
    });
    // Not a file (a folder, a pipe): there is no version to keep, and the save refuses it.
    if (erreur == Disque::Pas_Ordinaire)
        return true;
    const QString debut = QStringLiteral("Le fichier « %1 » a été modifié par un autre programme "
                                         "depuis que Quillvane l'a ouvert ou enregistré.")
                              .arg(nom);
    if (erreur != 0) {
        c.services.Message(debut +
                           QStringLiteral(" Cette version n'a pas pu être gardée dans la "
                                          "sauvegarde « %1 » : le fichier n'a pas été enregistré.")
                               .arg(sauvegarde) +
                           Cause(erreur));
        return false;
    }
    c.services.Message(
        debut +
        QStringLiteral(" Cette version est gardée dans la sauvegarde « %1 ».").arg(sauvegarde));
    return true;
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
        if (!Abandon_Accepte(c, nom))
            return;
        Retenir_Nom(c, chemins);
        Commencer_Document(c);
        Retenir_Version(c, std::nullopt);
        return;
    }
    Ouverture ouverture = En_Attente([&] { return Preparer_Ouverture(chemins); });
    if (!ouverture.erreur.isEmpty()) {
        c.services.Message(ouverture.erreur);
        return;
    }
    Retenir_Nom(c, chemins);
    En_Attente([&] { Lire_POI(c, std::move(ouverture.document)); });
    Retenir_Version(c, ouverture.identite);
    // Told at once, while the backup still holds the file as it was opened.
    const QString avertissement = Avertissement(ouverture.inventaire, c.poi.Nb_POI, chemins.court,
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
    if (!Garder_Autre_Version(c))
        return false;
    int erreur = 0;
    if (En_Attente([&] {
            const bool fait = Ecrire_GPX(c.poi, c.poi.Nom_Fichier);
            erreur = errno;
            return fait;
        })) {
        Retenir_Version(c, Disque::Identite_De(c.poi.Nom_Fichier));
        return true;
    }
    c.services.Message(QStringLiteral("Le fichier « %1 » n'a pas pu être enregistré ; la "
                                      "version précédente est restée intacte.")
                           .arg(c.poi.Nom_Fichier) +
                       Cause(erreur));
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
