#include "Declarations.h"

namespace Declarations {

void Declarations::Vider_POI() {
    Nom_POI.fill(QString());
    Date_POI.fill(QString());
    Lat_POI.fill(QString());
    Long_POI.fill(QString());
}

void Declarations::Vider_Liens() {
    Lien_URL.fill(Liens{});
    Lien_Nom.fill(Liens{});
    Nb_Liens.fill(0);
}

} // namespace Declarations
