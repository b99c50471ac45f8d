// The main window: start-up at the stored places, the map's place and profile, the menu and
// its keys, quitting; every caption fits its control and is named in the help page.

#include "links/TexteLien1.h"
#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "ui/Services_Qt.h"
#include "viewers/Navigateur.h"

#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcessEnvironment>
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
} // namespace

class TestFenetre : public QObject {
    Q_OBJECT
  private slots:
    // Each stored coordinate on its own: a missing or unreadable one keeps the designed place
    // (-1 below), any other is applied as it is, unless the window's title bar would be off
    // every screen: then it comes back onto the nearest one (-2: its lower edge at the
    // screen's). The places come back the same over ten runs.
    void demarrage() {
        const std::pair<QStringList, QList<int>> cas[] = {
            {QStringList(4), {-1, -1, -1, -1}},
            {{"1440", "150", "3000", "-4500"}, {96, 10, 200, 0}},
            {{"1440,5", "abc", "1440.5", "150000"}, {96, -1, -1, -2}}};
        Banc concu;
        concu.Demarrer();
        for (const auto& [valeurs, attendu] : cas) {
            Banc b;
            for (int i = 0; i < 4; ++i)
                if (!valeurs[i].isEmpty())
                    b.services.reglages[Cles[i]] = valeurs[i];
            b.Demarrer();
            const int bas = QGuiApplication::primaryScreen()->availableGeometry().bottom() + 1 -
                            b.c.texteLien1->frameGeometry().height();
            for (int i = 0; i < 4; ++i)
                QCOMPARE(Places(b)[i], attendu[i] == -1   ? Places(concu)[i]
                                       : attendu[i] == -2 ? bas
                                                          : attendu[i]);
            QCOMPARE(b.services.navigations, QStringList{"https://maps.google.com/maps?q=France"});
            QVERIFY(b.c.ui.POIS->isVisible() && !b.c.ui.LIENS->isVisible());
            QVERIFY(!b.c.texteLien1->isVisible() && b.services.messages.isEmpty());
            QVERIFY(!b.c.fenetre->windowIcon().isNull() && !b.c.texteLien1->windowIcon().isNull());
        }
    }

    void carte_et_menu() {
        Banc b(true);
        b.Demarrer();
        // The map stands right of the POI frame, as wide and high as the window's outside,
        // never narrower than nothing, and stays as it was while the window is minimised.
        QWidget* carte = b.c.ui.WebBrowser1;
        const auto place = [&] { return QList<int>{carte->x(), carte->width(), carte->height()}; };
        const auto attendue = [&] {
            const QRect cadre = b.c.fenetre->frameGeometry();
            return QList<int>{233, cadre.width() - 233, cadre.height()};
        };
        QCOMPARE(place(), attendue());
        b.c.fenetre->resize(1400, 900);
        QTRY_COMPARE(place(), attendue());
        // Shrunk, the window keeps the POI frame whole.
        b.c.fenetre->resize(120, 300);
        QTRY_COMPARE(place(), attendue());
        const QRect interieur = b.c.fenetre->centralWidget()->rect();
        QVERIFY(interieur.contains(b.c.ui.POIS->geometry()));
        const QList<int> petite = place();
        b.c.fenetre->showMinimized();
        QTRY_VERIFY(b.c.fenetre->isMinimized());
        b.c.fenetre->resize(700, 500);
        QCOMPARE(place(), petite);

        // One lasting profile for the program, in its own folders, keeping its cookies.
        const QWebEngineProfile* profil = qobject_cast<QWebEngineView*>(carte)->page()->profile();
        QVERIFY(!profil->isOffTheRecord() && QStandardPaths::isTestModeEnabled());
        QCOMPARE(profil->storageName(), u"quillvane");
        QVERIFY(profil->persistentStoragePath().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/'));
        QCOMPARE(profil->persistentCookiesPolicy(), QWebEngineProfile::ForcePersistentCookies);
        QCOMPARE(profil->httpAcceptLanguage(), u"fr-FR, fr");

        b.c.fenetre->showNormal();
        b.c.fenetre->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.c.fenetre.get()));
        for (const QKeySequence touche :
             {QKeySequence::Save, QKeySequence::HelpContents, QKeySequence::Open})
            QTest::keySequence(b.c.fenetre.get(), touche);
        QTRY_COMPARE(b.services.dialogues, QStringList{"*.gpx|"});
        QVERIFY(b.services.ouvertures.value(0).startsWith(u"file:///"));
        QVERIFY(b.services.ouvertures.value(0).endsWith(u"/aide.html"));
        QVERIFY(!b.c.aide); // the desktop showed it
        // With nothing on the desktop to show it, the program's own window shows the page, the
        // same window each time; here the page installed with the program.
        b.services.ouverture_impossible = true;
        const QString installee =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            u"/help/fr/quillvane/aide.html"_qs;
        QFile::remove(installee);
        QVERIFY(QDir().mkpath(QFileInfo(installee).path()) &&
                QFile::copy(QStringLiteral(QUILLVANE_DONNEES "/aide.html"), installee));
        b.c.ui.Aide->trigger();
        QWidget* aide = b.c.aide.get();
        b.c.ui.Aide->trigger();
        QVERIFY(aide && aide == b.c.aide.get() && aide->isVisible());
        const auto* vue = aide->findChild<QWebEngineView*>();
        QCOMPARE(vue->url(), QUrl::fromLocalFile(installee));
        QCOMPARE(b.services.ouvertures.last(), vue->url().toString());
        QTRY_COMPARE(vue->title(), u"Aide de Quillvane");
        QCOMPARE(aide->windowTitle(), vue->title());
        QFile::remove(installee);
        b.services.imprimante_choisie = false; // the web view asks for the printer again anyway
        b.c.ui.Impression->trigger();
        QCOMPARE(b.services.choix_imprimante + b.services.impressions, 2);
        b.c.ui.GoogleEarth->trigger();
        b.services.googleEarth_present = true;
        b.services.googleEarth_attentes = 3; // still starting for three questions
        b.c.ui.GoogleEarth->trigger();
        QCOMPARE(b.services.kml.size(), 1);
        QCOMPARE(b.services.googleEarth_attentes, -1); // asked until it was ready
        QCOMPARE(b.services.messages,
                 (QStringList{"Il n'y a pas de nom de fichier",
                              "Google Earth n'est pas installé sur cet ordinateur"}));
    }

    // Only root with the web engine's sandbox on would see the engine end the program; a
    // sandbox already turned off, by its variable (even empty) or its flag, leaves nothing to do.
    void sandbox_root() {
        const std::tuple<bool, QString, QString, bool> cas[] = {
            {false, {}, {}, false},
            {true, {}, {}, true},
            {true, "QTWEBENGINE_DISABLE_SANDBOX", "1", false},
            {true, "QTWEBENGINE_DISABLE_SANDBOX", "", false},
            {true, "QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu  --no-sandbox", false},
            {true, "QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandboxes", true}};
        for (const auto& [root, variable, valeur, impossible] : cas) {
            QProcessEnvironment environnement;
            if (!variable.isEmpty())
                environnement.insert(variable, valeur);
            QCOMPARE(Navigateur::Sandbox_Impossible(root, environnement), impossible);
        }
    }

    // By the menu, Ctrl+Q or the close box: the positions are stored in twips, in place of
    // the section; a save that fails, or the question put aside with Escape or its close box,
    // keeps the program open and stores nothing.
    void quitter() {
        using R = Services::Reponse;
        const std::tuple<int, R, QLocale> cas[] = {{1, R::Non, QLocale(QLocale::English)},
                                                   {0, R::Oui, QLocale(QLocale::French)},
                                                   {2, R::Oui, QLocale()},
                                                   {0, R::Annuler, QLocale()}};
        for (const auto& [comment, reponse, locale] : cas) {
            const bool sauver = reponse == R::Oui, reste = reponse != R::Non;
            Banc b(false, locale);
            b.services.reglages["Startup/Autre_Cle"] = "vieux";
            b.Demarrer();
            b.c.fenetre->move(100, -2);
            b.c.texteLien1->move(12000, 30);
            b.c.poi.Nom_Fichier = QDir::tempPath(); // a folder: cannot be written
            b.services.choix = {reponse};
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
            QCOMPARE(b.c.fenetre->isVisible(), reste);
            const QString echec = u"Le fichier « %1 » n'a pas pu être enregistré ; la version "
                                  u"précédente est restée intacte. Cause : ce n'est pas un fichier "
                                  u"ordinaire."_qs.arg(QDir::tempPath());
            QCOMPARE(b.services.messages, sauver ? QStringList{echec} : QStringList());
            const QMap<QString, QString> places{
                {Cles[0], "1500"}, {Cles[1], "-30"}, {Cles[2], "180000"}, {Cles[3], "450"}},
                garde{{"Startup/Autre_Cle", "vieux"}};
            QCOMPARE(b.services.reglages, reste ? garde : places);
            // Each run starts where the last ended (once brought onto the screen), ten times.
            for (int run = 0; !reste && run <= 10; ++run) {
                Banc suivant(false, locale);
                suivant.services.reglages = b.services.reglages;
                suivant.services.choix = {R::Non};
                suivant.Demarrer();
                suivant.c.ui.Quitter->trigger();
                if (run > 0)
                    QCOMPARE(suivant.services.reglages, b.services.reglages);
                b.services.reglages = suivant.services.reglages;
            }
            b.c.fenetre->Decharger(); // unloaded by the program itself: no question
            b.c.fenetre->close();
            QCOMPARE(b.services.questions.size(), 1);
        }
    }

    // The desktop's questions: Escape and the close box never answer "Non". A question that
    // may be put aside takes them for Annuler; another one stays until a button is pressed.
    void questions() {
        Services_Qt services;
        using R = Services::Reponse;
        struct Cas {
            int question;          // 0: Question, 1: Demander, 2: Demander with Annuler
            QString geste, bouton; // Escape or the close box, then a button when still asked
            QStringList boutons;
            int reponse;
        };
        const Cas cas[] = {{0, "echap", "Non", {"Non", "Oui"}, int(R::Non)},
                           {0, "fermer", "Oui", {"Non", "Oui"}, int(R::Oui)},
                           {1, "echap", {}, {"Non", "Oui"}, int(R::Annuler)},
                           {1, "fermer", {}, {"Non", "Oui"}, int(R::Annuler)},
                           {1, "", "Non", {"Non", "Oui"}, int(R::Non)},
                           {2, "echap", {}, {"Annuler", "Non", "Oui"}, int(R::Annuler)},
                           {2, "", "Oui", {"Annuler", "Non", "Oui"}, int(R::Oui)}};
        for (const Cas& k : cas) {
            QStringList vus;
            bool reste = false;
            QTimer::singleShot(0, [&] {
                auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(boite);
                for (const QAbstractButton* b : boite->buttons())
                    if (b->isVisibleTo(boite))
                        vus << b->text();
                QCOMPARE(boite->defaultButton()->text(), u"Oui");
                if (k.geste == u"echap")
                    QTest::keyClick(boite, Qt::Key_Escape);
                else if (k.geste == u"fermer")
                    boite->close();
                reste = boite->isVisible();
                for (QAbstractButton* b : boite->buttons())
                    if (reste && b->text() == k.bouton)
                        b->click();
            });
            const R r = k.question == 0 ? (services.Question(u"Sauver ?"_qs) ? R::Oui : R::Non)
                                        : services.Demander(u"Sauver ?"_qs, k.question == 2);
            QCOMPARE(int(r), k.reponse);
            vus.sort();
            QCOMPARE(vus.join(u','), QStringList(k.boutons).join(u','));
            QCOMPARE(reste, !k.bouton.isEmpty());
        }
    }

    // Every caption of both windows fits its control as designed, and is named in the help page
    // (where it may be cut across two lines).
    void legendes() {
        QFile fichier(QStringLiteral(QUILLVANE_DONNEES "/aide.html"));
        QVERIFY(fichier.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(fichier.readAll()).simplified();
        Banc b;
        b.Demarrer();
        QStringList legendes;
        for (const QAction* a : b.c.fenetre->menuBar()->actions())
            legendes << a->text();
        const auto loge = [](const QString& legende, QSize besoin, QSize place) {
            QVERIFY2(besoin.width() <= place.width() && besoin.height() <= place.height(),
                     qPrintable(legende));
        };
        for (QWidget* fenetre : QList<QWidget*>{b.c.fenetre.get(), b.c.texteLien1.get()}) {
            for (const QAbstractButton* bouton : fenetre->findChildren<QAbstractButton*>()) {
                if (bouton->text().isEmpty()) // the menu bar's extension button
                    continue;
                legendes << bouton->text();
                QSize besoin = bouton->sizeHint(), place = bouton->size();
                if (qobject_cast<const QPushButton*>(bouton)) { // its contents less the margin
                    QStyleOptionButton option;
                    option.initFrom(bouton);
                    const QStyle* style = bouton->style();
                    besoin = bouton->fontMetrics().size(Qt::TextShowMnemonic, bouton->text());
                    place = style->subElementRect(QStyle::SE_PushButtonContents, &option, bouton)
                                .size() -
                            QSize(style->pixelMetric(QStyle::PM_ButtonMargin, &option, bouton), 0);
                }
                loge(bouton->text(), besoin, place);
            }
            for (const QLabel* l : fenetre->findChildren<QLabel*>())
                loge(l->text(), l->sizeHint(), l->size());
            for (const QGroupBox* g : fenetre->findChildren<QGroupBox*>()) // its bold title
                loge(g->title(), QSize(g->minimumSizeHint().width(), 0), g->size());
        }
        QVERIFY(legendes.size() >= 19);

        // At the default size every control shows whole, none over another; every box and list
        // says what it holds to a screen reader.
        QStringList noms;
        for (QWidget* fenetre : QList<QWidget*>{b.c.fenetre.get(), b.c.texteLien1.get()}) {
            for (const QWidget* zone : fenetre->findChildren<QWidget*>()) {
                if (qobject_cast<const QLineEdit*>(zone) ||
                    qobject_cast<const QListWidget*>(zone) ||
                    qobject_cast<const QPlainTextEdit*>(zone))
                    noms << zone->accessibleName();
                const QWidget* cadre = zone->parentWidget();
                if (!qobject_cast<const QGroupBox*>(cadre) || qobject_cast<const QLabel*>(zone))
                    continue;
                QVERIFY2(cadre->rect().contains(zone->geometry()), qPrintable(zone->objectName()));
                for (const QWidget* autre :
                     cadre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                    QVERIFY2(autre == zone || qobject_cast<const QLabel*>(autre) ||
                                 !autre->geometry().intersects(zone->geometry()),
                             qPrintable(zone->toolTip() + u" / "_qs + autre->toolTip()));
            }
        }
        const QRect client = b.c.fenetre->centralWidget()->rect();
        QVERIFY(client.contains(b.c.ui.POIS->geometry()) &&
                client.contains(b.c.ui.LIENS->geometry()));
        QCOMPARE(noms.size(), 11);
        QVERIFY(!noms.contains(QString()) && QSet(noms.begin(), noms.end()).size() == 11);
        QVERIFY(noms.contains(u"Position du Poi") && noms.contains(u"Liste des Poi"));
        for (const QString& legende : legendes)
            QVERIFY2(page.contains(legende.toHtmlEscaped()), qPrintable(legende));
    }
};

QUILLVANE_TEST_MAIN(TestFenetre)
#include "test_fenetre.moc"
