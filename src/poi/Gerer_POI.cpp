#include "Gerer_POI.h"

#include "core/Nombres.h"
#include "links/Gerer_liens.h"
#include "ui/Contexte.h"
#include "viewers/Adresses_Carte.h"
#include "viewers/Carte.h"

namespace Gerer_POI {

void Afficher_POI(Contexte& c) {
    c.ui.ListePOI->clear();
    const int n = c.poi.Nb_POI;
    for (int i = 1; i <= n; ++i)
        c.ui.ListePOI->AddItem(c.poi.Nom_POI[i]);
    Carte::Afficher_Reperes(c);
}

void ListePOI_Click(Contexte& c) {
    const int s = c.ui.ListePOI->ListIndex();
    if (s == -1)
        return;
    c.poi.POI_Courant = qint16(s + 1);
    const int p = c.poi.POI_Courant;

    const QString& lat = c.poi.Lat_POI[p];
    const QString& lon = c.poi.Long_POI[p];
    // "No place" is a text that is no number; a POI on the equator or the prime meridian
    // shows its position like any other.
    if (!Nombres::Nombre_En_Tete(lat) || !Nombres::Nombre_En_Tete(lon))
        c.ui.Lat_Long->setText(Carte::Lieu_Depart);
    else
        c.ui.Lat_Long->setText(lat + u',' + lon);

    c.ui.Nom_WP->setText(c.poi.Nom_POI[p]);
    c.ui.Text7->setText(c.ui.Nom_WP->text());
    c.ui.Text1->clear();
    c.ui.Text2->clear();
    c.ui.Text3->clear();
    c.ui.Text4->clear();
    c.ui.Option1->Tout_Eteindre();
    Gerer_liens::Afficher_Liens(c);
    Carte::Afficher_Carte(c);
}

namespace {
void Effacer_Si_Nouveau(Contexte& c, QLineEdit* zone) {
    if (c.ui.Option1->Value(1))
        zone->clear();
}
} // namespace

void Lat_Long_Click(Contexte& c) {
    Effacer_Si_Nouveau(c, c.ui.Lat_Long);
}

void Nom_WP_Click(Contexte& c) {
    Effacer_Si_Nouveau(c, c.ui.Nom_WP);
}

void Option1_Click(Contexte& c, int index) {
    if (index != 1)
        return;
    c.ui.Lat_Long->setText(QStringLiteral("Entrez ici les latitude et longitude"));
    c.ui.Nom_WP->setText(QStringLiteral("Entrez ici le nom"));
}

} // namespace Gerer_POI
