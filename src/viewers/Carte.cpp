#include "Carte.h"

#include "ui/Contexte.h"
#include "viewers/Adresses_Carte.h"

namespace Carte {

void Afficher_Carte(Contexte& c) {
    const int p = c.poi.POI_Courant;
    if (p < 0)
        return;
    if (c.ui.Lat_Long->text().isEmpty()) {
        c.services.Message(QStringLiteral("Il faut une latitude et longitude"));
        return;
    }
    // An index past the document (one above a full store) has no coordinates.
    const bool dans_le_store = Declarations::Est_POI(c.poi, p);
    c.services.Naviguer(Adresse_POI(dans_le_store ? c.poi.Lat_POI[p] : QString(),
                                    dans_le_store ? c.poi.Long_POI[p] : QString()));
}

} // namespace Carte
