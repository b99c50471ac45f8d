// The main window: start-up at the stored places, the map's place and profile, the menu and
// its keys, quitting; every caption fits its control and is named in the help page.

#include "links/TexteLien1.h"
#include "support/Banc.h"
#include "ui/Creer_POI.h"

#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {
const QStringList Cles = {"Startup/Creer_POI_MargeG", "Startup/Creer_POI_Haut",
                          "Startup/TexteLien1_MargeG", "Startup/TexteLien1_Haut"};
QList<int> Places(const Banc& b) {
    return {b.c.fenetre->x(), b.c.fenetre->y(), b.c.texteLien1->x(), b.c.texteLien1->y()};
}
// What does not fit, one line per control: its class, caption, size needed and size given.
QStringList Legendes_Coupees(QWidget* fenetre) {
    QStringList coupees;
    const auto verifier = [&](const QWidget* w, const QString& texte, QSize besoin, QSize place) {
        if (besoin.width() > place.width() || besoin.height() > place.height())
            coupees << u"%1 « %2 » : %3x%4 dans %5x%6"_qs.arg(w->metaObject()->className(), texte)
                           .arg(besoin.width())
                           .arg(besoin.height())
                           .arg(place.width())
                           .arg(place.height());
    };
    for (const QAbstractButton* b : fenetre->findChildren<QAbstractButton*>()) {
        if (const auto* p = qobject_cast<const QPushButton*>(b)) {
            // The room a push button leaves to its caption: less the style's frame and margin.
            QStyleOptionButton option;
            option.initFrom(p);
            option.text = p->text();
            const QSize place =
                p->style()
                    ->subElementRect(QStyle::SE_PushButtonContents, &option, p)
                    .adjusted(0, 0, -p->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, p),
                              0)
                    .size();
            verifier(b, b->text(), b->fontMetrics().size(Qt::TextShowMnemonic, b->text()), place);
        } else if (!b->text().isEmpty()) { // not the menu bar's own extension button
            verifier(b, b->text(), b->sizeHint(), b->size());
        }
    }
    for (const QLabel* l : fenetre->findChildren<QLabel*>())
        verifier(l, l->text(), l->sizeHint(), l->size());
    // A frame's minimum size is its bold caption with the style's margins.
    for (const QGroupBox* g : fenetre->findChildren<QGroupBox*>())
        verifier(g, g->title(), QSize(g->minimumSizeHint().width(), 0), g->size());
    return coupees;
}

} // namespace

class TestFenetre : public QObject {
    Q_OBJECT
  private slots:
    void demarrage_data();
    void demarrage();
    void carte_et_menu();
    void quitter_data();
    void quitter();
    void aucune_legende_coupee();
    void l_aide_nomme_chaque_commande();
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
    QVERIFY(!b.c.texteLien1->isVisible() && b.services.messages.isEmpty());
    QCOMPARE(b.c.poi.Max_POI, 100);
    QVERIFY(!b.c.fenetre->windowIcon().isNull() && !b.c.texteLien1->windowIcon().isNull());
}

void TestFenetre::carte_et_menu() {
    Banc b(true);
    b.Demarrer();
    // The map stands right of the POI frame, as wide and high as the window's outside, never
    // narrower than nothing, and stays as it was while the window is minimised.
    QWidget* carte = b.c.ui.WebBrowser1;
    const auto place = [&] { return QList<int>{carte->x(), carte->width(), carte->height()}; };
    QCOMPARE(place(), (QList<int>{233, b.c.fenetre->frameGeometry().width() - 233,
                                  b.c.fenetre->frameGeometry().height()}));
    b.c.fenetre->resize(1400, 900);
    QTRY_COMPARE(place(), (QList<int>{233, b.c.fenetre->frameGeometry().width() - 233,
                                      b.c.fenetre->frameGeometry().height()}));
    b.c.fenetre->resize(120, 300);
    QTRY_COMPARE(place().mid(0, 2), (QList<int>{233, 0}));
    b.c.fenetre->showMinimized();
    QTRY_VERIFY(b.c.fenetre->isMinimized());
    b.c.fenetre->resize(700, 500);
    QCOMPARE(place().mid(0, 2), (QList<int>{233, 0}));

    // One lasting profile for the program, in its own folders, keeping its cookies.
    const QWebEngineProfile* profil = qobject_cast<QWebEngineView*>(carte)->page()->profile();
    QVERIFY(!profil->isOffTheRecord() && QStandardPaths::isTestModeEnabled());
    QCOMPARE(profil->storageName(), u"quillvane");
    QVERIFY(profil->persistentStoragePath().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/'));
    QCOMPARE(profil->persistentCookiesPolicy(), QWebEngineProfile::ForcePersistentCookies);
    QCOMPARE(profil->httpAcceptLanguage(), u"fr-FR, fr");

    b.c.fenetre->showNormal();
    QStringList menu;
    for (const QAction* a : b.c.fenetre->menuBar()->actions())
        menu << a->text();
    QCOMPARE(menu, (QStringList{"Fichier des Poi", "Gérer/Visualiser les liens d'un Poi",
                                "Imprimer l'image Google", "Google Earth", "Aide", "Sauver tout",
                                "Quitter"}));
    b.c.fenetre->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(b.c.fenetre.get()));
    for (const QKeySequence touche :
         {QKeySequence::Save, QKeySequence::HelpContents, QKeySequence::Open})
        QTest::keySequence(b.c.fenetre.get(), touche);
    QTRY_COMPARE(b.services.dialogues.size(), 1);
    QCOMPARE(b.services.dialogues, QStringList{"*.gpx|"});
    QVERIFY(b.services.ouvertures.value(0).startsWith(u"file:///"));
    QVERIFY(b.services.ouvertures.value(0).endsWith(u"/aide.html"));
    b.services.imprimante_choisie = false; // the web view asks for the printer again anyway
    b.c.ui.Impression->trigger();
    QCOMPARE(b.services.choix_imprimante + b.services.impressions, 2);
    b.c.ui.GoogleEarth->trigger();
    b.services.googleEarth_present = true;
    b.services.googleEarth_attentes = 3; // still starting for three questions
    b.c.ui.GoogleEarth->trigger();
    QCOMPARE(b.services.kml.size(), 1);
    QCOMPARE(b.services.googleEarth_attentes, -1); // asked until it was ready
    QCOMPARE(b.services.messages, (QStringList{"Il n'y a pas de nom de fichier",
                                               "Google Earth n'est pas installé sur cet "
                                               "ordinateur"}));
}

void TestFenetre::quitter_data() {
    QTest::addColumn<int>("comment"); // 0: menu, 1: Ctrl+Q, 2: close box
    QTest::addColumn<bool>("sauver");
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("Ctrl+Q, sans sauver") << 1 << false << QLocale(QLocale::English);
    QTest::newRow("menu, sauvegarde en échec") << 0 << true << QLocale(QLocale::French);
    QTest::newRow("case de fermeture, sauvegarde en échec") << 2 << true << QLocale();
}

// The positions are stored in twips, in place of the section; a save that fails keeps the
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
    QCOMPARE(
        b.services.reglages,
        sauver ? (QMap<QString, QString>{{"Startup/Autre_Cle", "vieux"}})
               : (QMap<QString, QString>{
                     {Cles[0], "1500"}, {Cles[1], "-30"}, {Cles[2], "180000"}, {Cles[3], "450"}}));
    b.c.fenetre->Decharger(); // unloaded by the program itself: no question
    b.c.fenetre->close();
    QCOMPARE(b.services.questions.size(), 1);
}

void TestFenetre::aucune_legende_coupee() {
    Banc b;
    b.Demarrer();
    for (QWidget* fenetre :
         {static_cast<QWidget*>(b.c.fenetre.get()), static_cast<QWidget*>(b.c.texteLien1.get())}) {
        const QStringList coupees = Legendes_Coupees(fenetre);
        QVERIFY2(coupees.isEmpty(), qPrintable(coupees.join(u'\n')));
    }
}

void TestFenetre::l_aide_nomme_chaque_commande() {
    QFile fichier(QStringLiteral(QUILLVANE_DONNEES "/aide.html"));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    // A caption may be cut across two lines of the page.
    const QString page = QString::fromUtf8(fichier.readAll()).simplified();
    Banc b;
    b.Demarrer();
    QStringList legendes;
    for (const QAction* action : b.c.fenetre->menuBar()->actions())
        legendes << action->text();
    for (QWidget* fenetre :
         {static_cast<QWidget*>(b.c.fenetre.get()), static_cast<QWidget*>(b.c.texteLien1.get())})
        for (const QAbstractButton* bouton : fenetre->findChildren<QAbstractButton*>())
            if (!bouton->text().isEmpty()) // the menu bar's extension button has none
                legendes << bouton->text();
    QVERIFY(legendes.size() >= 19);
    for (const QString& legende : legendes)
        QVERIFY2(page.contains(legende.toHtmlEscaped()), qPrintable(legende));
}

QUILLVANE_TEST_MAIN(TestFenetre)
#include "test_fenetre.moc"
