// The POI list and its selection: the entry boxes, the link frame, the map, the prompts of
// a new POI, and the link list.

#include "links/Gerer_liens.h"
#include "poi/Gerer_POI.h"
#include "support/Banc.h"
#include "viewers/Carte.h"

class TestSelection : public QObject {
    Q_OBJECT
  private slots:
    void liste_dans_l_ordre_du_store();
    void selection_remplit_la_fenetre();
    void coordonnees_affichees_data();
    void coordonnees_affichees();
    void carte_sans_latitude_longitude();
    void carte_au_dela_d_un_store_plein();
    void invites_du_nouveau_poi_data();
    void invites_du_nouveau_poi();
    void liste_des_liens();
    void ajout_de_liens_data();
    void ajout_de_liens();
};

void TestSelection::liste_dans_l_ordre_du_store() {
    Banc b;
    b.Demarrer();
    QTest::mouseClick(b.c.ui.ListePOI->viewport(), Qt::LeftButton); // empty list: nothing
    QCOMPARE(b.c.poi.POI_Courant, qint16(0));
    QVERIFY(b.services.navigations.size() == 1);

    b.Ajouter_POI("Groix", "47.63", "-3.45");
    b.Ajouter_POI("Houat", "47.39", "-2.96");
    b.Ajouter_POI("Groix", "47.65", "-3.50");
    b.Selectionner(3);
    QCOMPARE(b.c.poi.POI_Courant, qint16(3));
    QCOMPARE(b.c.ui.Lat_Long->text(), QStringLiteral("47.65,-3.50")); // not the first "Groix"

    Gerer_POI::Afficher_POI(b.c);
    QStringList noms;
    for (int i = 0; i < b.c.ui.ListePOI->count(); ++i)
        noms << b.c.ui.ListePOI->item(i)->text();
    QCOMPARE(noms, (QStringList{"Groix", "Houat", "Groix"}));
    QCOMPARE(b.c.ui.ListePOI->ListIndex(), -1);
    QCOMPARE(b.c.poi.POI_Courant, qint16(3)); // rebuilding keeps the current POI

    b.c.ui.ListePOI->SetListIndex(1); // a selection from code runs the handler at once
    QCOMPARE(b.c.poi.POI_Courant, qint16(2));
    QCOMPARE(b.c.ui.Nom_WP->text(), QStringLiteral("Houat"));
    b.c.ui.ListePOI->SetListIndex(-1); // none: the handler changes nothing
    QCOMPARE(b.c.poi.POI_Courant, qint16(2));
}

void TestSelection::selection_remplit_la_fenetre() {
    Banc b;
    b.Demarrer();
    b.Ajouter_POI("Belle-Île", "47.3467", "-3.1536");
    b.Ajouter_POI("Pointe du Grouin", "48.7121", "-1.8434");
    b.Ajouter_Lien(2, "Météo", "https://meteo.example/grouin");
    b.Ajouter_Lien(2, "Plan", "file:///home/anne/Bord/plan.pdf");
    b.c.ui.Text1->setText("à moitié");
    b.c.ui.Text4->setText("http://");
    QTest::mouseClick(b.c.ui.Option1->Bouton(0), Qt::LeftButton);

    b.Selectionner(2);
    const Controles& ui = b.c.ui;
    QCOMPARE(b.c.poi.POI_Courant, qint16(2));
    QCOMPARE(ui.Lat_Long->text(), QStringLiteral("48.7121,-1.8434"));
    QCOMPARE(ui.Nom_WP->text(), QStringLiteral("Pointe du Grouin"));
    QCOMPARE(ui.Text7->text(), QStringLiteral("Pointe du Grouin"));
    for (const QLineEdit* zone : {ui.Text1, ui.Text2, ui.Text3, ui.Text4})
        QVERIFY(zone->text().isEmpty());
    QVERIFY(!ui.Option1->Value(0) && !ui.Option1->Value(1) && !ui.Option1->Value(2));
    QCOMPARE(ui.ListeLiens->count(), 2);
    QCOMPARE(ui.ListeLiens->ListIndex(), -1);
    QCOMPARE(b.services.navigations.last(),
             QStringLiteral("https://maps.google.com/maps?q=48.7121%2C-1.8434&hl=fr&t=h"));

    // A click on the entry already selected runs the selection again.
    const int avant = b.services.navigations.size();
    b.Selectionner(2);
    QCOMPARE(b.services.navigations.size(), avant + 1);
    QCOMPARE(b.services.navigations.last(), b.services.navigations[avant - 1]);
    QVERIFY(b.services.messages.isEmpty());
}

void TestSelection::coordonnees_affichees_data() {
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<QString>("affiche");
    QTest::newRow("ordinaire") << "47.1234"
                               << "-2.5"
                               << "47.1234,-2.5";
    QTest::newRow("blanc gardé") << "47.25"
                                 << " -2.5"
                                 << "47.25, -2.5";
    QTest::newRow("nombre en tête") << " 47.5e0N"
                                    << "-2x"
                                    << " 47.5e0N,-2x";
    QTest::newRow("latitude nulle") << "0"
                                    << "-2.5"
                                    << "France";
    QTest::newRow("latitude 0.0") << "0.0"
                                  << "-2.5"
                                  << "France";
    QTest::newRow("méridien") << "47.5"
                              << "0"
                              << "France";
    QTest::newRow("longitude vide") << "47.5"
                                    << ""
                                    << "France";
    QTest::newRow("longitude lettre") << "47.5"
                                      << "W2"
                                      << "France";
    QTest::newRow("virgule décimale") << "0,5"
                                      << "-2"
                                      << "France";
}

void TestSelection::coordonnees_affichees() {
    QFETCH(QString, lat);
    QFETCH(QString, lon);
    QFETCH(QString, affiche);
    Banc b;
    b.Demarrer();
    b.Ajouter_POI("P", lat, lon);
    b.Selectionner(1);
    QCOMPARE(b.c.ui.Lat_Long->text(), affiche);
    // The map takes the stored texts, whatever the box shows.
    QCOMPARE(b.services.navigations.last(),
             "https://maps.google.com/maps?q=" + lat + "%2C" + lon + "&hl=fr&t=h");
    QVERIFY(b.services.messages.isEmpty());
}

void TestSelection::carte_sans_latitude_longitude() {
    Banc b;
    b.Demarrer();
    b.Ajouter_POI("P", "47.2134", "-2.1561");
    b.Selectionner(1);
    const QStringList avant = b.services.navigations;
    b.c.ui.Lat_Long->clear();
    Carte::Afficher_Carte(b.c);
    QCOMPARE(b.services.messages, QStringList{"Il faut une latitude et longitude"});
    QCOMPARE(b.services.navigations, avant);

    b.c.poi.POI_Courant = -1; // silent
    Carte::Afficher_Carte(b.c);
    QCOMPARE(b.services.messages.size(), 1);
    QCOMPARE(b.services.navigations, avant);
}

// After reading a full file the current POI is one above the store: nothing to show.
void TestSelection::carte_au_dela_d_un_store_plein() {
    Banc b;
    b.Demarrer();
    for (int i = 1; i <= 100; ++i)
        b.Ajouter_POI(QString::number(i), "47", "-2");
    b.c.poi.POI_Courant = 101;
    b.c.ui.Lat_Long->setText("47,-2");
    Carte::Afficher_Carte(b.c);
    Gerer_liens::Afficher_Liens(b.c);
    QCOMPARE(b.services.navigations.last(),
             QStringLiteral("https://maps.google.com/maps?q=%2C&hl=fr&t=h"));
    QCOMPARE(b.c.ui.ListeLiens->count(), 0);
}

void TestSelection::invites_du_nouveau_poi_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<bool>("efface");
    QTest::newRow("Modifier") << 0 << false;
    QTest::newRow("Nouveau") << 1 << true;
    QTest::newRow("Supprimer") << 2 << false;
    QTest::newRow("aucune") << -1 << false;
}

void TestSelection::invites_du_nouveau_poi() {
    QFETCH(int, option);
    QFETCH(bool, efface);
    Banc b;
    b.Demarrer();
    b.Ajouter_POI("Houat", "47.39", "-2.96");
    b.Selectionner(1);
    if (option >= 0)
        QTest::mouseClick(b.c.ui.Option1->Bouton(option), Qt::LeftButton);
    const QString lat = option == 1 ? "Entrez ici les latitude et longitude" : "47.39,-2.96";
    const QString nom = option == 1 ? "Entrez ici le nom" : "Houat";
    QCOMPARE(b.c.ui.Lat_Long->text(), lat);
    QCOMPARE(b.c.ui.Nom_WP->text(), nom);

    QTest::mouseClick(b.c.ui.Lat_Long, Qt::LeftButton);
    QCOMPARE(b.c.ui.Lat_Long->text(), efface ? QString() : lat);
    QCOMPARE(b.c.ui.Nom_WP->text(), nom); // each box on its own
    QTest::keyClicks(b.c.ui.Lat_Long, "47.1,-2.2");
    QTest::mouseClick(b.c.ui.Lat_Long, Qt::LeftButton); // a second click empties it again
    QCOMPARE(b.c.ui.Lat_Long->text().isEmpty(), efface);
    QTest::mouseClick(b.c.ui.Nom_WP, Qt::LeftButton);
    QCOMPARE(b.c.ui.Nom_WP->text(), efface ? QString() : nom);
}

void TestSelection::liste_des_liens() {
    Banc b;
    b.Demarrer();
    b.Ajouter_POI("Sans lien", "47", "-2");
    b.Ajouter_POI("Port", "47.1", "-2.1");
    // The list shows the text that the file's spelling stands for.
    b.Ajouter_Lien(2, "Tom &amp; Jerry", "https://port.example/?a=1&amp;b=2");
    b.Ajouter_Lien(2, "Description", "file:///home/anne/Bord/Port.txt");
    b.c.poi.Lien_Nom[2][3] = "ancien"; // above the count: never shown
    b.Selectionner(2);
    QCOMPARE(b.c.ui.ListeLiens->count(), 2);
    QCOMPARE(b.c.ui.ListeLiens->item(0)->text(),
             QStringLiteral("1  Tom & Jerry = https://port.example/?a=1&b=2"));
    QCOMPARE(b.c.poi.Lien_Nom[2][1], u"Tom &amp; Jerry");
    QCOMPARE(b.c.ui.ListeLiens->item(1)->text(),
             QStringLiteral("2  Description = file:///home/anne/Bord/Port.txt"));
    b.Selectionner(1);
    QCOMPARE(b.c.ui.ListeLiens->count(), 0);
    b.c.poi.POI_Courant = 0;
    Gerer_liens::Afficher_Liens(b.c);
    QCOMPARE(b.c.ui.ListeLiens->count(), 0);
}

void TestSelection::ajout_de_liens_data() {
    QTest::addColumn<int>("deja");          // links the POI has already
    QTest::addColumn<QStringList>("boxes"); // Text1 .. Text4
    QTest::addColumn<bool>("selectionne");
    QTest::addColumn<QStringList>("attendus"); // new list entries after the existing ones
    QTest::addColumn<int>("messages");
    QTest::newRow("internet puis fichier")
        << 0 << QStringList{"Plan", "C:\\Mes Documents\\plan.pdf", "Site", "  "} << true
        << QStringList{"1  Site =   ", "2  Plan = file://C:\\Mes Documents\\plan.pdf"} << 0;
    QTest::newRow("cinquième lien") << 4 << QStringList{"", "", "Site", "http://a"} << true
                                    << QStringList{"5  Site = http://a"} << 0;
    QTest::newRow("sixième lien refusé sans message")
        << 5 << QStringList{"", "", "Site", "http://a"} << true << QStringList{} << 0;
    QTest::newRow("paires vides") << 0 << QStringList{"", "", "", ""} << true << QStringList{} << 0;
    QTest::newRow("adresse sans nom")
        << 0 << QStringList{"", "", "", "http://a"} << true << QStringList{} << 1;
    QTest::newRow("deux demi-paires")
        << 0 << QStringList{"Plan", "", "", "http://a"} << true << QStringList{} << 2;
    QTest::newRow("aucun POI choisi")
        << 0 << QStringList{"", "", "Site", "http://a"} << false << QStringList{} << 1;
}

void TestSelection::ajout_de_liens() {
    QFETCH(int, deja);
    QFETCH(QStringList, boxes);
    QFETCH(bool, selectionne);
    QFETCH(QStringList, attendus);
    QFETCH(int, messages);
    Banc b;
    b.Demarrer();
    b.Ajouter_POI("Port", "47.1", "-2.1");
    for (int i = 1; i <= deja; ++i)
        b.Ajouter_Lien(1, QString("L%1").arg(i), QString("http://%1").arg(i));
    b.Selectionner(1);
    if (!selectionne)
        b.c.ui.ListePOI->SetListIndex(-1);
    const QList<QLineEdit*> zones = {b.c.ui.Text1, b.c.ui.Text2, b.c.ui.Text3, b.c.ui.Text4};
    for (int i = 0; i < 4; ++i)
        zones[i]->setText(boxes[i]);

    Gerer_liens::Ajouter_Lien_Internet(b.c);
    Gerer_liens::Ajouter_Lien_Fichier(b.c);

    QCOMPARE(int(b.c.poi.Nb_Liens[1]), deja + int(attendus.size()));
    QCOMPARE(b.services.messages,
             QStringList(messages, "Il manque la définition d'un paramètre du lien à valider"));
    if (!attendus.isEmpty()) {
        QCOMPARE(b.c.ui.ListeLiens->count(), deja + int(attendus.size()));
        for (int i = 0; i < attendus.size(); ++i)
            QCOMPARE(b.c.ui.ListeLiens->item(deja + i)->text(), attendus[i]);
    }
    for (int i = 0; i < 4; ++i) // the add operations leave the boxes as they were
        QCOMPARE(zones[i]->text(), boxes[i]);
}

QUILLVANE_TEST_MAIN(TestSelection)
#include "test_selection.moc"
