#include "Sortie.h"

#include "core/Reglages.h"
#include "gpx/Fichiers.h"
#include "ui/Contexte.h"

namespace Sortie {

bool Quitter_Click(Contexte& c) {
    if (c.services.Question(QStringLiteral("Voulez-vous sauver le fichier ?")) &&
        !Fichiers::Sauve_Fichier(c))
        return false;
    c.services.Supprimer_Section(Reglages::Section);
    return true;
}

} // namespace Sortie
