// Typed coordinates that are not plain decimal numbers on the globe, and the POI time stamp.
// The accepted forms are checked through the window in test_edition_poi.

#include "poi/Horodatage.h"
#include "poi/Saisie_Coordonnees.h"
#include "support/Banc.h"

#include <QTimeZone>

class TestCoordonnees : public QObject {
    Q_OBJECT
  private slots:
    void refusees_data();
    void refusees();
    void horodatage_data();
    void horodatage();
    void horodatage_horloge();
};

void TestCoordonnees::refusees_data() {
    QTest::addColumn<QString>("saisie");
    QTest::newRow("virgules decimales") << "47,25,-2,5";
    QTest::newRow("degres minutes") << "47 12.3 N, 2 09.5 W";
    QTest::newRow("latitude vide") << ",-2.5";
    QTest::newRow("longitude vide") << "47.25,";
    QTest::newRow("latitude 91") << "91,0";
    QTest::newRow("latitude juste au-dela") << "90.0000001,0";
    QTest::newRow("longitude juste au-dela") << "0,180.0001";
    QTest::newRow("longitude -181") << "0,-181";
    QTest::newRow("exposant") << "4.7e1,2";
    QTest::newRow("point-virgule") << "47.25;-2.5";
    QTest::newRow("lettres") << "abc,def";
    QTest::newRow("vide") << "";
    QTest::newRow("virgule seule") << ",";
    QTest::newRow("point seul") << ".,0";
    QTest::newRow("point final") << "47.,0";
    QTest::newRow("double signe") << "--47,0";
    QTest::newRow("blanc dans le nombre") << "4 7,0";
    QTest::newRow("blanc apres le signe") << "- 47,0";
    QTest::newRow("tabulation") << "47\t,0";
    QTest::newRow("espace insecable") << QString::fromUtf8("47\u00A0,0");
    QTest::newRow("moins typographique") << QString::fromUtf8("47,\u22122.5");
    QTest::newRow("chiffres arabes") << QString::fromUtf8("\u0664\u0667,0");
    QTest::newRow("infini") << "inf,0";
    QTest::newRow("nan") << "nan,0";
}

void TestCoordonnees::refusees() {
    QFETCH(QString, saisie);
    QVERIFY(!Saisie_Coordonnees::Decouper(saisie));
}

void TestCoordonnees::horodatage_data() {
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QString>("texte");
    QTest::newRow("utc") << QDateTime(QDate(2026, 3, 5), QTime(14, 3, 7), Qt::UTC)
                         << "2026-03-05T14:03:07Z";
    QTest::newRow("heure d'ete convertie")
        << QDateTime(QDate(2026, 7, 1), QTime(1, 0, 9), QTimeZone(2 * 3600))
        << "2026-06-30T23:00:09Z";
    QTest::newRow("minuit") << QDateTime(QDate(1999, 12, 31), QTime(0, 0, 0), Qt::UTC)
                            << "1999-12-31T00:00:00Z";
}

void TestCoordonnees::horodatage() {
    QFETCH(QDateTime, instant);
    QFETCH(QString, texte);
    QCOMPARE(Horodatage::Texte(instant), texte);
}

void TestCoordonnees::horodatage_horloge() {
    const QDateTime avant = QDateTime::currentDateTimeUtc();
    const QString texte = Horodatage::Maintenant();
    const QDateTime apres = QDateTime::currentDateTimeUtc();
    QCOMPARE(texte.size(), 20);
    QDateTime lu = QDateTime::fromString(texte, QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'"));
    lu.setTimeZone(QTimeZone::utc());
    QVERIFY(lu.isValid());
    QVERIFY(lu >= avant.addMSecs(-avant.time().msec()));
    QVERIFY(lu <= apres);
}

QUILLVANE_TEST_MAIN(TestCoordonnees)
#include "test_edition_coordonnees.moc"
