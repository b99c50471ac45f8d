// A whole session as a user lives it, through the window only: open a file written by
// OpenCPN, edit a POI and its links, write a description, save, open the file again.

#include "support/Banc.h"
#include "links/TexteLien1.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

class TestParcours : public QObject {
    Q_OBJECT
  private slots:
    void ouvrir_modifier_enregistrer_rouvrir();
};

namespace {

QByteArray Fichier_OpenCPN() {
    return "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\n"
           "<gpx version=\"1.1\" creator=\"OpenCPN\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
           "  <wpt lat=\"47.300000000\" lon=\"-2.500000000\">\n"
           "    <time>2026-05-01T08:00:00Z</time>\n"
           "    <name>Pr\xc3\xa9 Roche</name>\n"
           "    <sym>anchorage</sym>\n"
           "  </wpt>\n"
           "  <wpt lat=\"47.400000000\" lon=\"-2.600000000\">\n"
           "    <time>2026-05-01T08:00:01Z</time>\n"
           "    <name>Houat</name>\n"
           "    <link href=\"https://houat.example\">\n"
           "      <text>Port</text>\n"
           "    </link>\n"
           "  </wpt>\n"
           "</gpx>\n";
}

void Cliquer(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

} // namespace

void TestParcours::ouvrir_modifier_enregistrer_rouvrir() {
    QTemporaryDir dossier(QDir::tempPath() + "/Escales été-XXXXXX");
    QVERIFY(dossier.isValid());
    const QString chemin = dossier.filePath("Escales.gpx");
    {
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(Fichier_OpenCPN());
    }

    Banc b;
    b.Demarrer();
    const Controles& ui = b.c.ui;
    b.services.fichiers << chemin;
    Cliquer(ui.Charge_Fichier);
    QCOMPARE(ui.ListePOI->count(), 2);
    QCOMPARE(ui.ListePOI->item(0)->text(), QStringLiteral("Pré Roche"));
    QVERIFY(QFile::exists(dossier.filePath("tmp/Escales.gpx.30")));

    // Rename the second POI.
    b.Selectionner(2);
    Cliquer(ui.Option1->Bouton(0));
    ui.Nom_WP->setText("Houat – Tréac'h");
    ui.Lat_Long->setText("47.38, -2.95");
    Cliquer(ui.Validation);
    QCOMPARE(ui.ListePOI->item(1)->text(), QStringLiteral("Houat – Tréac'h"));

    // Add a link and a description.
    ui.Gestion_Liens->trigger();
    QVERIFY(ui.LIENS->isVisible() && !ui.POIS->isVisible());
    ui.Text3->setText("Meteo");
    ui.Text4->setText("https://meteo.example/houat?j=1&h=2");
    Cliquer(ui.Valider_lien);
    QCOMPARE(ui.ListeLiens->count(), 2);
    Cliquer(ui.Descriptif);
    QVERIFY(b.c.texteLien1 && b.c.texteLien1->isVisible());
    b.c.texteLien1->Text1->setPlainText("Mouillage sud, fond de sable.");
    Cliquer(b.c.texteLien1->Enregistrer);
    QCOMPARE(ui.ListeLiens->count(), 3);
    ui.Montre_Fichier->trigger();
    QVERIFY(ui.POIS->isVisible() && !ui.LIENS->isVisible());

    ui.Sauve_Fichier->trigger();
    QVERIFY2(b.services.messages.isEmpty(), qPrintable(b.services.messages.join(" | ")));

    // A new session reads everything back.
    Banc relu;
    relu.Demarrer();
    relu.services.fichiers << chemin;
    Cliquer(relu.c.ui.Charge_Fichier);
    const Declarations::Declarations& d = relu.c.poi;
    QCOMPARE(d.Nb_POI, qint16(2));
    QCOMPARE(d.Nom_POI[1], QStringLiteral("Pré Roche"));
    QCOMPARE(d.Nom_POI[2], QStringLiteral("Houat – Tréac'h"));
    QCOMPARE(d.Lat_POI[2], QStringLiteral("47.38"));
    QCOMPARE(d.Long_POI[2], QStringLiteral(" -2.95"));
    QCOMPARE(d.Date_POI[2], QStringLiteral("2026-05-01T08:00:01Z"));
    QCOMPARE(d.Nb_Liens[2], qint16(3));
    QCOMPARE(d.Lien_Nom[2][1], QStringLiteral("Description"));
    QCOMPARE(d.Lien_URL[2][1], "file://" + dossier.filePath("Houat – Tréac'h.txt"));
    QCOMPARE(d.Lien_URL[2][2], QStringLiteral("https://houat.example"));
    // Kept in its XML spelling, and opened as the address it stands for.
    QCOMPARE(d.Lien_URL[2][3], QStringLiteral("https://meteo.example/houat?j=1&amp;h=2"));
    relu.Selectionner(2);
    relu.c.ui.ListeLiens->SetListIndex(2);
    Cliquer(relu.c.ui.Tester_Lien);
    QCOMPARE(relu.services.ouvertures,
             QStringList{QStringLiteral("https://meteo.example/houat?j=1&h=2")});
    QFile description(dossier.filePath("Houat – Tréac'h.txt"));
    QVERIFY(description.open(QIODevice::ReadOnly));
    QCOMPARE(description.readAll(), QByteArray("Mouillage sud, fond de sable.\r\n"));
}

QUILLVANE_TEST_MAIN(TestParcours)
#include "test_parcours.moc"
