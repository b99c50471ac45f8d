// Menu commands handing work to other programs: Google Earth, printing, help.

#include "support/Banc.h"

#include <QAction>
#include <QXmlStreamReader>

class TestVisionneuses : public QObject {
    Q_OBJECT
  private slots:
    void google_earth_absent();
    void google_earth_attendu_puis_charge();
    void impression_apres_choix_imprimante_data();
    void impression_apres_choix_imprimante();
    void aide();
};

void TestVisionneuses::google_earth_absent() {
    Banc b;
    b.Demarrer();
    b.c.ui.GoogleEarth->trigger();
    QCOMPARE(b.services.messages,
             QStringList{"Google Earth n'est pas installé sur cet ordinateur"});
    QVERIFY(b.services.kml.isEmpty());
}

void TestVisionneuses::google_earth_attendu_puis_charge() {
    Banc b;
    b.Demarrer();
    b.services.googleEarth_present = true;
    b.services.googleEarth_attentes = 3; // still starting for three questions
    b.c.ui.GoogleEarth->trigger();
    QCOMPARE(b.services.googleEarth_attentes, 0);
    QCOMPARE(b.services.kml.size(), 1);
    QVERIFY(b.services.messages.isEmpty());

    // A well-formed KML 2.1 document with the one placemark, whatever POI is selected.
    QXmlStreamReader xml(b.services.kml.first());
    QStringList noms;
    QString coordonnees, espace;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"kml")
            espace = xml.namespaceUri().toString();
        else if (xml.name() == u"name")
            noms << xml.readElementText();
        else if (xml.name() == u"coordinates")
            coordonnees = xml.readElementText();
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(espace, QStringLiteral("http://earth.google.com/kml/2.1"));
    QCOMPARE(noms, QStringList{"Geneva"});
    QCOMPARE(coordonnees, QStringLiteral("6.156019183879536,46.20743386584116,0"));
}

void TestVisionneuses::impression_apres_choix_imprimante_data() {
    QTest::addColumn<bool>("choisie");
    QTest::newRow("imprimante choisie") << true;
    QTest::newRow("dialogue annulé") << false;
}

void TestVisionneuses::impression_apres_choix_imprimante() {
    QFETCH(bool, choisie);
    Banc b;
    b.Demarrer();
    b.services.imprimante_choisie = choisie;
    b.c.ui.Impression->trigger();
    QCOMPARE(b.services.choix_imprimante, 1);
    QCOMPARE(b.services.impressions, 1); // the web view asks again in any case
}

void TestVisionneuses::aide() {
    Banc b;
    b.Demarrer();
    b.c.ui.Aide->trigger();
    QCOMPARE(b.services.ouvertures.size(), 1);
    const QUrl page(b.services.ouvertures.first());
    QVERIFY(page.isLocalFile());
    QVERIFY(page.toLocalFile().endsWith("/aide.html"));
}

QUILLVANE_TEST_MAIN(TestVisionneuses)
#include "test_visionneuses.moc"
