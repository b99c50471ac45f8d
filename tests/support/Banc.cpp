#include "support/Banc.h"

#include "poi/Gerer_POI.h"

Banc& Banc::Demarrer() {
    Entree::Main(c, carte ? nullptr : new QWidget);
    // The list boxes need their real size before a test clicks into them.
    if (!QTest::qWaitForWindowExposed(c.ui.ListePOI->window()))
        qWarning("main window not exposed");
    return *this;
}

int Banc::Ajouter_POI(const QString& nom, const QString& lat, const QString& lon,
                      const QString& date) {
    const int p = ++c.poi.Nb_POI;
    Declarations::Ecrire_Fiche(c.poi, p, {nom, date, lat, lon, 0, {}, {}, {}});
    Gerer_POI::Afficher_POI(c);
    return p;
}

void Banc::Selectionner(int poi, ListeBox* liste) {
    liste = liste ? liste : c.ui.ListePOI;
    liste->scrollToItem(liste->item(poi - 1));
    liste->doItemsLayout();
    const QRect zone = liste->visualItemRect(liste->item(poi - 1));
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, zone.center());
}

QStringList Banc::Entrees(const ListeBox* liste) {
    QStringList t;
    for (int i = 0; i < liste->count(); ++i)
        t << liste->item(i)->text();
    return t;
}

QStringList Banc::Zones() const {
    return {c.ui.Text1->text(), c.ui.Text2->text(), c.ui.Text3->text(), c.ui.Text4->text()};
}

void Banc::Remplir(const QStringList& textes) {
    const QList<QLineEdit*> zones{c.ui.Text1, c.ui.Text2, c.ui.Text3, c.ui.Text4};
    for (int i = 0; i < 4; ++i)
        zones[i]->setText(textes[i]);
}

QString Banc::Vue() const {
    QString options;
    for (int i = 0; i < 3; ++i)
        options += c.ui.Option1->Value(i) ? u'1' : u'0';
    return QStringList{Entrees(c.ui.ListePOI).join(u','),
                       Entrees(c.ui.ListeLiens).join(u','),
                       c.ui.Lat_Long->text(),
                       c.ui.Nom_WP->text(),
                       c.ui.Text7->text(),
                       Zones().join(u','),
                       options,
                       services.messages.join(u';')}
        .join(u" | ");
}
