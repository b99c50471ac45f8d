// The POI time stamp, always UTC. The typed coordinates, accepted and refused, are checked
// through the window in test_edition_poi; the clock through the stamps it gives there.

#include "poi/Horodatage.h"
#include <QtTest>

#include <QTimeZone>

class TestCoordonnees : public QObject {
    Q_OBJECT
  private slots:
    void horodatage_data();
    void horodatage();
};

void TestCoordonnees::horodatage_data() {
    QTest::addColumn<QDateTime>("instant");
    QTest::addColumn<QString>("texte");
    QTest::newRow("utc") << QDateTime(QDate(2026, 3, 5), QTime(14, 3, 7), Qt::UTC)
                         << "2026-03-05T14:03:07Z";
    QTest::newRow("heure d'ete convertie")
        << QDateTime(QDate(2026, 7, 1), QTime(1, 0, 9), QTimeZone(2 * 3600))
        << "2026-06-30T23:00:09Z";
}

void TestCoordonnees::horodatage() {
    QFETCH(QDateTime, instant);
    QFETCH(QString, texte);
    QCOMPARE(Horodatage::Texte(instant), texte);
}

QTEST_GUILESS_MAIN(TestCoordonnees)
#include "test_edition_coordonnees.moc"
