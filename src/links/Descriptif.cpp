#include "links/Descriptif.h"

#include "links/Fichier_Descriptif.h"
#include "links/Gerer_liens.h"
#include "links/Nom_Descriptif.h"
#include "ui/Contexte.h"

#include <QFileInfo>

namespace Gerer_liens {

namespace {

const QString Etiquette = QStringLiteral("Description");

bool POI_Valide(const Contexte& c) {
    return Declarations::Est_POI(c.poi, c.poi.POI_Courant);
}

std::optional<QString> Chemin_Courant(const Contexte& c) {
    if (!POI_Valide(c))
        return std::nullopt;
    return Nom_Descriptif::Chemin(c.poi.Dossier_Fichier, c.poi.Nom_POI[c.poi.POI_Courant]);
}

// Slot 1 takes the description; the others move up one slot and the fifth is lost.
void Inserer_Lien(Contexte& c, const QString& chemin) {
    Declarations::Inserer_Lien(c.poi, c.poi.POI_Courant, 1, Nom_Descriptif::Cible_Lien(chemin),
                               Etiquette);
    Afficher_Liens(c);
}

} // namespace

bool Descriptif_Click(Contexte& c) {
    if (c.ui.ListePOI->ListIndex() == -1) {
        c.services.Message(QStringLiteral("Choisisser d'abord un POI"));
        return false;
    }
    return true;
}

std::optional<QString> Ouverture(const Contexte& c) {
    // A name that cannot be a file of the folder has no description to show.
    const auto chemin = Chemin_Courant(c);
    return chemin ? Fichier_Descriptif::Lire(*chemin) : std::optional(QString());
}

void Enregistrer_Click(Contexte& c, const QString& texte) {
    if (!POI_Valide(c))
        return;
    if (c.poi.Dossier_Fichier.isEmpty()) {
        c.services.Message(QStringLiteral("Définissez un nom de fichier"));
        return;
    }
    const auto chemin = Chemin_Courant(c);
    if (!chemin) {
        c.services.Message(QStringLiteral("Ce nom de POI ne peut pas servir de nom de fichier"));
        return;
    }
    if (!Fichier_Descriptif::Ecrire(*chemin, texte)) {
        c.services.Message(QStringLiteral("Impossible d'enregistrer le fichier ") + *chemin);
        return;
    }
    if (c.ui.Nom_WP->text().isEmpty()) {
        c.services.Message(QStringLiteral("Pas de POI défini pour le descriptif"));
        return;
    }
    if (QFileInfo::exists(*chemin) && c.poi.Lien_Nom[c.poi.POI_Courant][1] != Etiquette)
        Inserer_Lien(c, *chemin);
}

void TexteLien1_QueryUnload(Contexte&, bool& cancel, int unloadmode) {
    cancel = unloadmode == 0;
}

} // namespace Gerer_liens
