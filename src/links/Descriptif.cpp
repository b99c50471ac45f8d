#include "links/Descriptif.h"

#include "links/Fichier_Descriptif.h"
#include "links/Gerer_liens.h"
#include "links/Nom_Descriptif.h"
#include "poi/Historique.h"
#include "ui/Contexte.h"

#include <QFileInfo>

namespace Gerer_liens {

bool Descriptif_Click(Contexte& c) {
    if (c.ui.ListePOI->ListIndex() == -1) {
        c.services.Message(QStringLiteral("Choisisser d'abord un POI"));
        return false;
    }
    Descriptif_Suivre(c, c.poi.POI_Courant);
    return true;
}

void Descriptif_Suivre(Contexte& c, int poi) {
    c.descriptif = {poi, Nom_Descriptif::Chemin_POI(c.poi, poi).value_or(QString()), false};
}

std::optional<QString> Ouverture(Contexte& c) {
    // A name that cannot be a file of the folder has no description to show.
    const auto texte = c.descriptif.chemin.isEmpty()
                           ? std::optional(QString())
                           : Fichier_Descriptif::Lire(c.descriptif.chemin);
    c.descriptif.lu = texte.has_value();
    return texte;
}

void Enregistrer_Click(Contexte& c, const QString& texte) {
    const int p = c.descriptif.poi;
    const QString& chemin = c.descriptif.chemin;
    if (!Declarations::Est_POI(c.poi, p))
        return;
    if (c.poi.Dossier_Fichier.isEmpty()) {
        c.services.Message(QStringLiteral("Définissez un nom de fichier"));
        return;
    }
    if (chemin.isEmpty()) {
        c.services.Message(QStringLiteral("Ce nom de POI ne peut pas servir de nom de fichier"));
        return;
    }
    if (!c.descriptif.lu) {
        c.services.Message(QStringLiteral("La description « %1 » n'a pas pu être lue : elle n'est "
                                          "pas remplacée.")
                               .arg(chemin));
        return;
    }
    const bool lie = Nom_Descriptif::Lien_Description(c.poi, p) != 0;
    // Written without a link, the file would be no POI's.
    if (!lie && c.poi.Nb_Liens[p] >= Declarations::Liens_Max) {
        c.services.Message(QStringLiteral("La description n'a pas été enregistrée : le POI %1 a "
                                          "déjà cinq liens, le plus qu'un POI puisse avoir. "
                                          "Supprimez-en un pour faire place à la description.")
                               .arg(Historique::Nom(c.poi.Nom_POI[p])));
        return;
    }
    if (!Fichier_Descriptif::Ecrire(chemin, texte)) {
        c.services.Message(QStringLiteral("Impossible d'enregistrer le fichier ") + chemin);
        return;
    }
    if (c.ui.Nom_WP->text().isEmpty()) {
        c.services.Message(QStringLiteral("Pas de POI défini pour le descriptif"));
        return;
    }
    if (lie || !QFileInfo::exists(chemin))
        return;
    const Declarations::Fiche avant = Declarations::Lire_Fiche(c.poi, p);
    Declarations::Inserer_Lien(c.poi, p, 1, Nom_Descriptif::Cible_Lien(chemin),
                               Nom_Descriptif::Etiquette);
    Historique::Noter_Fiche(
        c, p, avant, QStringLiteral("l'ajout de la description de ") + Historique::Nom(avant.nom));
    if (p == c.poi.POI_Courant)
        Afficher_Liens(c);
}

void TexteLien1_QueryUnload(Contexte&, bool& cancel, int unloadmode) {
    cancel = unloadmode == 0;
}

} // namespace Gerer_liens
