// The main window: start-up and stored positions, the resize rule, captions and tooltips,
// quitting.

#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "links/TexteLien1.h"
#include "ui/Twips.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <limits>

class TestFenetre : public QObject {
    Q_OBJECT
  private slots:
    void demarrage_sans_reglages();
    void demarrage_avec_reglages_data();
    void demarrage_avec_reglages();
    void navigateur_a_cote_du_cadre();
    void navigateur_fenetre_agrandie_puis_restauree();
    void navigateur_fenetre_reduite();
    void navigateur_fenetre_plus_etroite_que_le_cadre();
    void textes_des_controles();
    void menu_de_sept_commandes();
    void quitter_memorise_les_positions_data();
    void quitter_memorise_les_positions();
    void case_de_fermeture_pose_la_question();
    void sauvegarde_en_echec_garde_le_programme_ouvert();
};

void TestFenetre::demarrage_sans_reglages() {
    Banc b;
    b.Demarrer();
    QVERIFY(b.c.fenetre->isVisible());
    QVERIFY(qobject_cast<QWebEngineView*>(b.c.ui.WebBrowser1));
    QCOMPARE(b.services.navigations,
             QStringList{QStringLiteral("https://maps.google.com/maps?q=France")});
    QVERIFY(b.services.messages.isEmpty());
    QVERIFY(b.c.ui.POIS->isVisible());
    QVERIFY(!b.c.ui.LIENS->isVisible());
    QCOMPARE(b.c.ui.LIENS->pos(), QPoint(Twips::Vers_Pixels(8), Twips::Vers_Pixels(8)));
    QVERIFY(b.c.texteLien1 && !b.c.texteLien1->isVisible());
    QCOMPARE(b.c.poi.Max_POI, qint16(100));
    QCOMPARE(b.c.poi.Nb_POI, qint16(0));
    QCOMPARE(b.c.poi.POI_Courant, qint16(0));
    QCOMPARE(b.c.ui.ListePOI->count(), 0);
    QCOMPARE(b.c.ui.ListeLiens->count(), 0);
}

// Each coordinate stands on its own: a missing or bad value keeps the designed place,
// anything else is applied as it is, even off the screen.
namespace {
constexpr int Concu = std::numeric_limits<int>::min();
}

void TestFenetre::demarrage_avec_reglages_data() {
    QTest::addColumn<QStringList>("valeurs"); // main left, main top, description left, top
    QTest::addColumn<QList<int>>("attendu");  // same order, in pixels; Concu: designed place
    QTest::newRow("entiers") << QStringList{"1440", "150", "3000", "-4500"}
                             << QList<int>{96, 10, 200, -300};
    QTest::newRow("virgule décimale")
        << QStringList{"1440,5", "1500", "15", "30"} << QList<int>{96, 100, 1, 2};
    QTest::newRow("gauche illisible")
        << QStringList{"abc", "1500", "150", "300"} << QList<int>{Concu, 100, 10, 20};
    QTest::newRow("point décimal refusé en français")
        << QStringList{"1440.5", "", "", "300"} << QList<int>{Concu, Concu, Concu, 20};
    QTest::newRow("hors de l'écran")
        << QStringList{"150000", "90000", "-30000", "0"} << QList<int>{10000, 6000, -2000, 0};
}

void TestFenetre::demarrage_avec_reglages() {
    QFETCH(QStringList, valeurs);
    QFETCH(QList<int>, attendu);

    Banc temoin; // the designed places, for the coordinates that keep them
    temoin.Demarrer();
    const QList<int> concu = {temoin.c.fenetre->pos().x(), temoin.c.fenetre->pos().y(),
                              temoin.c.texteLien1->pos().x(), temoin.c.texteLien1->pos().y()};

    Banc b;
    const QStringList cles = {"Startup/Creer_POI_MargeG", "Startup/Creer_POI_Haut",
                              "Startup/TexteLien1_MargeG", "Startup/TexteLien1_Haut"};
    for (int i = 0; i < 4; ++i)
        if (!valeurs[i].isEmpty())
            b.services.reglages[cles[i]] = valeurs[i];
    b.Demarrer();
    const QList<int> obtenu = {b.c.fenetre->pos().x(), b.c.fenetre->pos().y(),
                               b.c.texteLien1->pos().x(), b.c.texteLien1->pos().y()};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(obtenu[i], attendu[i] == Concu ? concu[i] : attendu[i]);
    QVERIFY(b.services.messages.isEmpty());
}

namespace {
// The browser's place by the rule: right of the POI frame, outer size of the window.
QRect Place_Attendue(const Banc& b) {
    const QRect cadre = b.c.ui.POIS->geometry();
    const QRect exterieur = b.c.fenetre->frameGeometry();
    const int x = cadre.x() + cadre.width();
    return QRect(x, cadre.y(), std::max(0, exterieur.width() - x), exterieur.height());
}
} // namespace

void TestFenetre::navigateur_a_cote_du_cadre() {
    Banc b;
    b.Demarrer();
    QVERIFY(QTest::qWaitForWindowExposed(b.c.fenetre.get()));
    QCOMPARE(b.c.ui.POIS->geometry().right() + 1, Twips::Vers_Pixels(3495));
    QCOMPARE(b.c.ui.WebBrowser1->geometry(), Place_Attendue(b));
    QCOMPARE(b.c.ui.WebBrowser1->x(), Twips::Vers_Pixels(3495));
    QCOMPARE(b.c.ui.WebBrowser1->y(), Twips::Vers_Pixels(120));
    QCOMPARE(b.c.fenetre->centralWidget()->size(),
             QSize(Twips::Vers_Pixels(15000), Twips::Vers_Pixels(7065)));
}

void TestFenetre::navigateur_fenetre_agrandie_puis_restauree() {
    Banc b;
    b.Demarrer();
    QVERIFY(QTest::qWaitForWindowExposed(b.c.fenetre.get()));
    const QRect pois = b.c.ui.POIS->geometry();
    const QRect liens = b.c.ui.LIENS->geometry();
    const QRect liste = b.c.ui.ListePOI->geometry();

    b.c.fenetre->resize(1400, 900);
    QTRY_COMPARE(b.c.fenetre->width(), 1400);
    QCOMPARE(b.c.ui.WebBrowser1->geometry(), Place_Attendue(b));
    QCOMPARE(b.c.ui.WebBrowser1->height(), b.c.fenetre->frameGeometry().height());

    b.c.fenetre->showMaximized();
    QTRY_VERIFY(b.c.fenetre->isMaximized());
    QCOMPARE(b.c.ui.WebBrowser1->geometry(), Place_Attendue(b));
    b.c.fenetre->showNormal();
    QTRY_VERIFY(!b.c.fenetre->isMaximized());
    QCOMPARE(b.c.ui.WebBrowser1->geometry(), Place_Attendue(b));

    QCOMPARE(b.c.ui.POIS->geometry(), pois);
    QCOMPARE(b.c.ui.LIENS->geometry(), liens);
    QCOMPARE(b.c.ui.ListePOI->geometry(), liste);
}

void TestFenetre::navigateur_fenetre_reduite() {
    Banc b;
    b.Demarrer();
    QVERIFY(QTest::qWaitForWindowExposed(b.c.fenetre.get()));
    const QRect avant = b.c.ui.WebBrowser1->geometry();
    b.c.fenetre->showMinimized();
    QTRY_VERIFY(b.c.fenetre->isMinimized());
    b.c.fenetre->resize(300, 200); // a size change while minimised moves nothing
    QCOMPARE(b.c.ui.WebBrowser1->geometry(), avant);
    b.c.fenetre->showNormal();
    QTRY_VERIFY(!b.c.fenetre->isMinimized());
    QTRY_COMPARE(b.c.ui.WebBrowser1->geometry(), Place_Attendue(b));
}

void TestFenetre::navigateur_fenetre_plus_etroite_que_le_cadre() {
    Banc b;
    b.Demarrer();
    QVERIFY(QTest::qWaitForWindowExposed(b.c.fenetre.get()));
    b.c.fenetre->resize(120, 300);
    QTRY_COMPARE(b.c.fenetre->width(), 120);
    QCOMPARE(b.c.ui.WebBrowser1->width(), 0);
    QCOMPARE(b.c.ui.WebBrowser1->x(), Twips::Vers_Pixels(3495));
}

void TestFenetre::textes_des_controles() {
    Banc b;
    b.Demarrer();
    const Controles& ui = b.c.ui;
    QVERIFY(!b.c.fenetre->windowIcon().isNull());
    QVERIFY(ui.POIS->font().bold());
    QVERIFY(!ui.ListePOI->font().bold()); // only the caption is bold
    QCOMPARE(ui.POIS->palette().color(QPalette::Window), QColor(224, 224, 224));
    // The double blanks are the program's own words.
    QVERIFY(ui.ListeLiens->toolTip().contains(QStringLiteral("Limité à  6 pour")));
    QVERIFY(ui.Option1->Bouton(0)->toolTip().endsWith(QStringLiteral("nom du  Poi sélectionné")));

    // The tab order follows the designed indices.
    QCOMPARE(ui.Lat_Long->nextInFocusChain(), ui.Nom_WP);
    QCOMPARE(ui.Option1->Bouton(2)->nextInFocusChain(), ui.Validation);
    QCOMPARE(ui.Text3->nextInFocusChain(), ui.Text4);

    // The three options may all be off; switching one on switches the others off.
    QTest::mouseClick(ui.Option1->Bouton(0), Qt::LeftButton);
    QTest::mouseClick(ui.Option1->Bouton(2), Qt::LeftButton);
    QVERIFY(!ui.Option1->Value(0) && ui.Option1->Value(2));
    ui.Option1->Tout_Eteindre();
    QVERIFY(!ui.Option1->Value(0) && !ui.Option1->Value(1) && !ui.Option1->Value(2));

    const TexteLien1& d = *b.c.texteLien1;
    QVERIFY(d.windowFlags() & Qt::Tool);
    QVERIFY(!(d.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(d.size(), QSize(Twips::Vers_Pixels(8220), Twips::Vers_Pixels(3210)));
    QCOMPARE(d.minimumSize(), d.maximumSize());
}

void TestFenetre::menu_de_sept_commandes() {
    Banc b;
    b.Demarrer();
    QStringList textes;
    for (const QAction* a : b.c.fenetre->menuBar()->actions()) {
        QVERIFY(!a->menu());
        textes << a->text();
    }
    QCOMPARE(textes, (QStringList{"Fichier des Poi", "Gérer/Visualiser les liens d'un Poi",
                                  "Imprimer l'image Google", "Google Earth", "Aide", "Sauver tout",
                                  "Quitter"}));
}

void TestFenetre::quitter_memorise_les_positions_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("gauche");
    QTest::newRow("français") << QLocale(QLocale::French, QLocale::France) << "1500";
    QTest::newRow("anglais") << QLocale(QLocale::English, QLocale::UnitedStates) << "1500";
}

void TestFenetre::quitter_memorise_les_positions() {
    QFETCH(QLocale, locale);
    QFETCH(QString, gauche);
    Banc b(locale);
    b.services.reglages["Startup/Autre_Cle"] = "vieux";
    b.Demarrer();
    b.c.fenetre->move(100, -2);
    b.c.texteLien1->move(12000, 30);
    b.services.reponses = {false};
    b.c.ui.Quitter->trigger();

    QCOMPARE(b.services.questions, QStringList{"Voulez-vous sauver le fichier ?"});
    QCOMPARE(b.services.reglages, (QMap<QString, QString>{{"Startup/Creer_POI_MargeG", gauche},
                                                          {"Startup/Creer_POI_Haut", "-30"},
                                                          {"Startup/TexteLien1_MargeG", "180000"},
                                                          {"Startup/TexteLien1_Haut", "450"}}));
    QVERIFY(!b.c.fenetre->isVisible());
    QVERIFY(b.services.messages.isEmpty());
}

void TestFenetre::case_de_fermeture_pose_la_question() {
    Banc b;
    b.Demarrer();
    b.services.reponses = {true}; // Yes with no file open: the save's own message
    b.c.fenetre->close();
    QCOMPARE(b.services.questions, QStringList{"Voulez-vous sauver le fichier ?"});
    QCOMPARE(b.services.messages, QStringList{"Il n'y a pas de nom de fichier"});
    QVERIFY(b.services.reglages.contains("Startup/Creer_POI_Haut"));
    QVERIFY(!b.c.fenetre->isVisible());

    // Unloaded by the program itself: no question.
    Banc b2;
    b2.Demarrer();
    b2.c.fenetre->Decharger();
    QVERIFY(b2.services.questions.isEmpty());
    QVERIFY(b2.services.reglages.isEmpty());
}

void TestFenetre::sauvegarde_en_echec_garde_le_programme_ouvert() {
    QTemporaryDir dossier;
    Banc b;
    b.Demarrer();
    b.c.poi.Nom_Fichier = dossier.path(); // a folder where the file should be
    b.Ajouter_POI("Houat", "47.39", "-2.96");
    for (const bool caseDeFermeture : {false, true}) {
        b.services.messages.clear();
        b.services.reponses = {true};
        if (caseDeFermeture)
            b.c.fenetre->close();
        else
            b.c.ui.Quitter->trigger();
        QCOMPARE(b.services.messages.size(), 1);
        QVERIFY(b.services.messages.first().contains(dossier.path()));
        QVERIFY(b.c.fenetre->isVisible());
        QVERIFY(b.services.reglages.isEmpty());
    }
    QCOMPARE(b.c.poi.Nb_POI, qint16(1));
}

QUILLVANE_TEST_MAIN(TestFenetre)
#include "test_fenetre.moc"
