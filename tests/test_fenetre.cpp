// The main window: start-up at the stored places, the map's place, the menu and its keys,
// quitting, and the web map's lasting profile.

#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "ui/TexteLien1.h"

#include <QAction>
#include <QGroupBox>
#include <QMenuBar>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

const QStringList Cles = {"Startup/Creer_POI_MargeG", "Startup/Creer_POI_Haut",
                          "Startup/TexteLien1_MargeG", "Startup/TexteLien1_Haut"};

QList<int> Places(const Banc& b) {
    return {b.c.fenetre->x(), b.c.fenetre->y(), b.c.texteLien1->x(), b.c.texteLien1->y()};
}

// The map's place by the rule: right of the POI frame, the outer size of the window.
QRect Place_Carte(const Banc& b) {
    const QRect cadre = b.c.ui.POIS->geometry();
    const int x = cadre.x() + cadre.width();
    return {x, cadre.y(), std::max(0, b.c.fenetre->frameGeometry().width() - x),
            b.c.fenetre->frameGeometry().height()};
}

} // namespace

class TestFenetre : public QObject {
    Q_OBJECT
  private slots:
    void demarrage_data();
    void demarrage();
    void place_de_la_carte();
    void menu_et_touches();
    void quitter_data();
    void quitter();
    void profil_de_la_carte();
};

// Each stored coordinate on its own: a missing or unreadable one keeps the designed place
// (-1 below), any other is applied as it is, even off the screen.
void TestFenetre::demarrage_data() {
    QTest::addColumn<QStringList>("valeurs");
    QTest::addColumn<QList<int>>("attendu"); // pixels
    QTest::newRow("aucun réglage") << QStringList(4) << QList<int>{-1, -1, -1, -1};
    QTest::newRow("entiers") << QStringList{"1440", "150", "3000", "-4500"}
                             << QList<int>{96, 10, 200, -300};
    QTest::newRow("français") << QStringList{"1440,5", "abc", "1440.5", "150000"}
                              << QList<int>{96, -1, -1, 10000};
}

void TestFenetre::demarrage() {
    QFETCH(QStringList, valeurs);
    QFETCH(QList<int>, attendu);
    Banc concu, b;
    concu.Demarrer();
    for (int i = 0; i < 4; ++i)
        if (!valeurs[i].isEmpty())
            b.services.reglages[Cles[i]] = valeurs[i];
    b.Demarrer();
    for (int i = 0; i < 4; ++i)
        QCOMPARE(Places(b)[i], attendu[i] == -1 ? Places(concu)[i] : attendu[i]);
    QCOMPARE(b.services.navigations, QStringList{"https://maps.google.com/maps?q=France"});
    QVERIFY(b.c.ui.POIS->isVisible() && !b.c.ui.LIENS->isVisible());
    QVERIFY(!b.c.texteLien1->isVisible());
    QCOMPARE(b.c.poi.Max_POI, 100);
    QVERIFY(b.services.messages.isEmpty());
}

void TestFenetre::place_de_la_carte() {
    Banc b;
    b.Demarrer();
    QCOMPARE(b.c.ui.WebBrowser1->geometry(), Place_Carte(b));
    QCOMPARE(b.c.ui.WebBrowser1->x(), 233); // 3495 twips
    const QRect cadre = b.c.ui.POIS->geometry();
    b.c.fenetre->resize(1400, 900);
    QTRY_COMPARE(b.c.ui.WebBrowser1->geometry(), Place_Carte(b));
    b.c.fenetre->resize(120, 300); // narrower than the frame
    QTRY_COMPARE(b.c.fenetre->width(), 120);
    QCOMPARE(b.c.ui.WebBrowser1->geometry(), Place_Carte(b));
    QCOMPARE(b.c.ui.WebBrowser1->width(), 0);
    b.c.fenetre->showMinimized(); // a size change while minimised moves nothing
    QTRY_VERIFY(b.c.fenetre->isMinimized());
    const QRect avant = b.c.ui.WebBrowser1->geometry();
    b.c.fenetre->resize(700, 500);
    QCOMPARE(b.c.ui.WebBrowser1->geometry(), avant);
    QCOMPARE(b.c.ui.POIS->geometry(), cadre);
}

void TestFenetre::menu_et_touches() {
    Banc b;
    b.Demarrer();
    QStringList menu;
    for (const QAction* a : b.c.fenetre->menuBar()->actions())
        menu << a->text();
    QCOMPARE(menu, (QStringList{"Fichier des Poi", "Gérer/Visualiser les liens d'un Poi",
                                "Imprimer l'image Google", "Google Earth", "Aide", "Sauver tout",
                                "Quitter"}));
    QWidget* fenetre = b.c.fenetre.get();
    fenetre->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fenetre));
    QTest::keyClick(fenetre, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(fenetre, Qt::Key_F1);
    QTest::keyClick(fenetre, Qt::Key_O, Qt::ControlModifier);
    QTRY_COMPARE(b.services.dialogues.size(), 1);
    QCOMPARE(b.services.dialogues[0].filtre, u"*.gpx");
    QCOMPARE(b.services.ouvertures.size(), 1);
    QVERIFY(b.services.ouvertures[0].startsWith(u"file:///"));
    QVERIFY(b.services.ouvertures[0].endsWith(u"/aide.html"));

    b.c.ui.Impression->trigger(); // the web view asks for the printer again in any case
    b.services.imprimante_choisie = false;
    b.c.ui.Impression->trigger();
    QCOMPARE(b.services.choix_imprimante, 2);
    QCOMPARE(b.services.impressions, 2);
    b.c.ui.GoogleEarth->trigger();
    b.services.googleEarth_present = true;
    b.services.googleEarth_attentes = 3; // still starting for three questions
    b.c.ui.GoogleEarth->trigger();
    QCOMPARE(b.services.googleEarth_attentes, 0);
    QCOMPARE(b.services.kml.size(), 1);
    QCOMPARE(b.services.messages, (QStringList{"Il n'y a pas de nom de fichier",
                                               "Google Earth n'est pas installé sur cet "
                                               "ordinateur"}));
}

void TestFenetre::quitter_data() {
    QTest::addColumn<int>("comment"); // 0: menu, 1: Ctrl+Q, 2: close box
    QTest::addColumn<bool>("sauver");
    QTest::addColumn<QLocale>("locale");
    const QLocale fr(QLocale::French, QLocale::France), en(QLocale::English);
    QTest::newRow("menu, sans sauver") << 0 << false << fr;
    QTest::newRow("Ctrl+Q, sans sauver, anglais") << 1 << false << en;
    QTest::newRow("menu, sauvegarde en échec") << 0 << true << fr;
    QTest::newRow("case de fermeture, sauvegarde en échec") << 2 << true << fr;
}

// The positions are stored in twips, the section emptied first; a save that fails keeps the
// program open and stores nothing.
void TestFenetre::quitter() {
    QFETCH(int, comment);
    QFETCH(bool, sauver);
    QFETCH(QLocale, locale);
    Banc b(false, locale);
    b.services.reglages["Startup/Autre_Cle"] = "vieux";
    b.Demarrer();
    b.c.fenetre->move(100, -2);
    b.c.texteLien1->move(12000, 30);
    b.c.poi.Nom_Fichier = QDir::tempPath(); // a folder: cannot be written
    b.services.reponses = {sauver};
    if (comment == 1) {
        b.c.fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.c.fenetre.get()));
        QTest::keyClick(b.c.fenetre.get(), Qt::Key_Q, Qt::ControlModifier);
    } else if (comment == 2) {
        b.c.fenetre->close();
    } else {
        b.c.ui.Quitter->trigger();
    }
    QCOMPARE(b.services.questions, QStringList{"Voulez-vous sauver le fichier ?"});
    QCOMPARE(b.c.fenetre->isVisible(), sauver);
    QCOMPARE(b.services.messages.size(), int(sauver));
    if (!sauver)
        QCOMPARE(b.services.reglages,
                 (QMap<QString, QString>{
                     {Cles[0], "1500"}, {Cles[1], "-30"}, {Cles[2], "180000"}, {Cles[3], "450"}}));
    else
        QCOMPARE(b.services.reglages.size(), 1);
    b.services.questions.clear();
    b.c.fenetre->Decharger(); // unloaded by the program itself: no question
    b.c.fenetre->close();
    QVERIFY(b.services.questions.isEmpty());
}

void TestFenetre::profil_de_la_carte() {
    QVERIFY(QStandardPaths::isTestModeEnabled()); // nothing lands in the user's own folders
    Banc b(true), autre(true);
    b.Demarrer();
    autre.Demarrer();
    const QWebEngineProfile* profil =
        qobject_cast<QWebEngineView*>(b.c.ui.WebBrowser1)->page()->profile();
    QVERIFY(!profil->isOffTheRecord());
    QCOMPARE(profil->storageName(), u"quillvane");
    QVERIFY(profil->persistentStoragePath().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/'));
    QVERIFY(profil->cachePath().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + u'/'));
    QCOMPARE(profil->persistentCookiesPolicy(), QWebEngineProfile::ForcePersistentCookies);
    QCOMPARE(profil->httpAcceptLanguage(), u"fr-FR, fr");
    // One profile for the program: a second window's map shares its cookies.
    QCOMPARE(qobject_cast<QWebEngineView*>(autre.c.ui.WebBrowser1)->page()->profile(), profil);
}

QUILLVANE_TEST_MAIN(TestFenetre)
#include "test_fenetre.moc"
