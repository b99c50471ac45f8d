#include "Sortie.h"

#include "core/Reglages.h"
#include "gpx/Fichiers.h"
#include "ui/Contexte.h"

namespace Sortie {

bool Quitter_Click(Contexte& c) {
    switch (c.services.Demander(QStringLiteral("Voulez-vous sauver le fichier ?"), false)) {
    case Services::Reponse::Annuler:
        return false;
    case Services::Reponse::Oui:
        if (!Fichiers::Sauve_Fichier(c))
            return false;
        break;
    case Services::Reponse::Non:
        break;
    }
    c.services.Supprimer_Section(Reglages::Section);
    return true;
}

} // namespace Sortie
