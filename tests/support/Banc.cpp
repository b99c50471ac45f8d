#include "support/Banc.h"

#include "poi/Gerer_POI.h"

#include <QRect>

Banc& Banc::Demarrer() {
    Entree::Main(c);
    // The list boxes need their real size before a test clicks into them.
    if (!QTest::qWaitForWindowExposed(c.ui.ListePOI->window()))
        qWarning("main window not exposed");
    return *this;
}

int Banc::Ajouter_POI(const QString& nom, const QString& lat, const QString& lon,
                      const QString& date) {
    const int p = ++c.poi.Nb_POI;
    c.poi.Nom_POI[p] = nom;
    c.poi.Lat_POI[p] = lat;
    c.poi.Long_POI[p] = lon;
    c.poi.Date_POI[p] = date;
    c.poi.Nb_Liens[p] = 0;
    Gerer_POI::Afficher_POI(c);
    return p;
}

void Banc::Ajouter_Lien(int poi, const QString& nom, const QString& url) {
    const int n = ++c.poi.Nb_Liens[poi];
    c.poi.Lien_Nom[poi][n] = nom;
    c.poi.Lien_URL[poi][n] = url;
}

void Banc::Selectionner(int poi) {
    ListeBox* liste = c.ui.ListePOI;
    liste->scrollToItem(liste->item(poi - 1));
    liste->doItemsLayout();
    const QRect zone = liste->visualItemRect(liste->item(poi - 1));
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, zone.center());
}
