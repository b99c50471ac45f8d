#include "Entree.h"

#include "core/Reglages.h"
#include "gpx/Disque.h"
#include "links/TexteLien1.h"
#include "ui/Contexte.h"
#include "ui/Creer_POI.h"
#include "ui/Position_Fenetre.h"
#include "ui/Twips.h"
#include "viewers/Adresses_Carte.h"

#include <QGroupBox>

namespace Entree {

void Main(Contexte& c, QWidget* carte) {
    Disque::Limite_Taille_En_Erreur();
    c.poi.Max_POI = Declarations::Capacite;
    c.poi.POI_Courant = 0;
    Declarations::Vider_Document(c.poi);

    c.fenetre.reset(new Creer_POI(c, carte));
    c.services.Naviguer(Carte::Adresse_Depart());
    const int huit = Twips::Vers_Pixels(8);
    c.ui.LIENS->move(huit, huit);
    c.fenetre->show();
    c.ui.ListeLiens->clear();
    c.ui.ListePOI->clear();

    Position_Fenetre::Placer_Fenetre(c, c.fenetre.get(), Reglages::Creer_POI_MargeG,
                                     Reglages::Creer_POI_Haut);
    c.texteLien1.reset(new TexteLien1(c));
    Position_Fenetre::Placer_Fenetre(c, c.texteLien1.get(), Reglages::TexteLien1_MargeG,
                                     Reglages::TexteLien1_Haut);
}

} // namespace Entree
