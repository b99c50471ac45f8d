// The main window at start-up: controls, start address, stored positions, resize rule.

#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "ui/TexteLien1.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QMenuBar>

class TestFenetre : public QObject {
    Q_OBJECT
private slots:
    void demarrage_sans_reglages();
};

void TestFenetre::demarrage_sans_reglages() {
    Banc b;
    b.Demarrer();
    QVERIFY(b.c.fenetre->isVisible());
    QCOMPARE(b.services.navigations,
             QStringList{QStringLiteral("https://maps.google.com/maps?q=France")});
    QVERIFY(b.services.messages.isEmpty());
    QVERIFY(b.c.ui.POIS->isVisible());
    QVERIFY(!b.c.ui.LIENS->isVisible());
    QVERIFY(b.c.texteLien1 && !b.c.texteLien1->isVisible());
}

QUILLVANE_TEST_MAIN(TestFenetre)
#include "test_fenetre.moc"
