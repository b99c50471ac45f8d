// The chart shown in place of the web map when the map service cannot be reached: it comes
// with a failed load and goes with a page loaded, starts on France, marks every POI of the
// store and centres the selected one, and follows the wheel, a drag and the keys. A readout
// follows the pointer; a click on a marker and a double-click reach the window.

#include "poi/Saisie_Coordonnees.h"
#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "viewers/Carte_Marine.h"
#include "viewers/Navigation.h"

#include <QAccessible>
#include <QLabel>
#include <QTcpServer>
#include <QWebEngineView>

namespace {

// An address on this machine where nothing answers: the connection is refused at once.
QUrl Service_Injoignable() {
    QTcpServer serveur;
    serveur.listen(QHostAddress::LocalHost);
    return QUrl(u"http://127.0.0.1:%1/maps?q=France"_qs.arg(serveur.serverPort()));
}

const struct {
    const char16_t* nom;
    const char16_t *lat, *lon;
} Ports[] = {{u"Concarneau", u"47.8697", u"-3.9125"}, {u"Roscoff", u"48.7270", u"-3.9830"},
             {u"Saint-Malo", u"48.6462", u"-2.0225"}, {u"Lorient", u"47.7460", u"-3.3580"},
             {u"Le Palais", u"47.3480", u"-3.1540"},  {u"Sans lieu", u"x", u"-3"}};

QColor Couleur(const QImage& image, QPointF p) {
    return image.pixelColor(p.toPoint());
}

} // namespace

class TestCarte : public QObject {
    Q_OBJECT
  private slots:
    void repli() {
        Banc b(true);
        b.Demarrer();
        auto* vue = qobject_cast<QWebEngineView*>(b.c.ui.WebBrowser1);
        Carte_Marine* carte = Carte_Marine::De(vue);
        QVERIFY(carte && !carte->isVisible());

        // Offline at start: France whole, from Brest to Nice and Dunkirk to Perpignan.
        vue->setUrl(Service_Injoignable());
        QTRY_VERIFY_WITH_TIMEOUT(carte->isVisible(), 20000);
        // Its right and lower edges are the window's, though the web view reaches past them.
        QWidget* client = b.c.fenetre->centralWidget();
        QCOMPARE(carte->mapTo(client, carte->rect().bottomRight()), client->rect().bottomRight());
        QVERIFY(vue->height() > carte->height());
        const QRectF ecran(QPointF(0, 0), carte->Vue().taille);
        for (const QPointF lieu :
             {QPointF(-4.49, 48.39), QPointF(7.26, 43.7), QPointF(2.38, 51.03), QPointF(2.9, 42.7)})
            QVERIFY(ecran.contains(carte->Vue().Ecran(lieu.y(), lieu.x())));
        QVERIFY(carte->Vue().Metres_Par_Pixel() < 3000);

        // A marker for each POI of the store, the selected one at the centre, the others
        // around it; a POI without a place is listed but not drawn.
        for (const auto& p : Ports)
            b.Ajouter_POI(QString::fromUtf16(p.nom), QString::fromUtf16(p.lat),
                          QString::fromUtf16(p.lon));
        QCOMPARE(int(carte->Reperes().size()), 6);
        QCOMPARE(carte->Choisi(), -1);
        b.Selectionner(3);
        QCOMPARE(carte->Choisi(), 2);
        QCOMPARE(carte->Reperes()[5].nom, u"Sans lieu");
        QVERIFY(!carte->Reperes()[5].Place());
        // On the screen, and printed on a page three times as large, the same chart.
        const QImage image = carte->grab().toImage();
        QImage page(carte->size() * 3 + QSize(0, 100), QImage::Format_RGB32);
        page.fill(Qt::black);
        carte->Imprimer(page);
        for (int i = 0; i < 5; ++i) {
            const QPointF p =
                carte->Vue().Ecran(carte->Reperes()[i].latitude, carte->Reperes()[i].longitude);
            QVERIFY2(ecran.contains(p), qPrintable(carte->Reperes()[i].nom));
            const QColor marque = i == 2 ? QColor(211, 84, 0) : QColor(31, 78, 121);
            QCOMPARE(Couleur(image, p), marque);
            QCOMPARE(Couleur(page, p * 3), marque);
        }
        // The land inland of Brittany, the sea off it.
        for (const auto& [lieu, couleur] :
             {std::pair{QPointF(-2.7, 48.25), QColor(241, 233, 210)},
              std::pair{QPointF(-3.9, 47.5), QColor(212, 230, 241)}}) {
            const QPointF p = carte->Vue().Ecran(lieu.y(), lieu.x());
            QCOMPARE(Couleur(image, p), couleur);
            QCOMPARE(Couleur(page, p * 3), couleur);
        }
        QCOMPARE(carte->Vue().Ecran(48.6462, -2.0225), ecran.center());

        // Another selection moves the chart, at the scale the user left.
        const double echelle = carte->Vue().echelle;
        b.Selectionner(4);
        QCOMPARE(carte->Vue().Ecran(47.7460, -3.3580), ecran.center());
        QCOMPARE(carte->Vue().echelle, echelle);

        // The map service answers again: the web map is back, and the chart on the next failure.
        QSignalSpy chargee(vue, &QWebEngineView::loadFinished);
        vue->setHtml(u"<p>Carte</p>"_qs);
        QVERIFY(chargee.wait(20000) && chargee.last().value(0).toBool());
        QVERIFY(!carte->isVisible());
        vue->setUrl(Service_Injoignable());
        QTRY_VERIFY_WITH_TIMEOUT(carte->isVisible(), 20000);
    }

    void degres_minutes_data() {
        QTest::addColumn<double>("valeur");
        QTest::addColumn<bool>("latitude");
        QTest::addColumn<bool>("minutes");
        QTest::addColumn<QString>("texte");
        QTest::newRow("nord") << 47.8667 << true << true << u"47°52′N"_qs;
        QTest::newRow("ouest") << -3.0833 << false << true << u"3°05′W"_qs;
        QTest::newRow("sud, degrés ronds") << -40.0 << true << false << u"40°S"_qs;
        QTest::newRow("minute arrondie") << 2.99999 << false << true << u"3°00′E"_qs;
        QTest::newRow("équateur") << 0.0 << true << false << u"0°"_qs;
        QTest::newRow("antiméridien") << 180.0 << false << false << u"180°"_qs;
        QTest::newRow("passé l'antiméridien") << 190.0 << false << false << u"170°W"_qs;
    }
    void degres_minutes() {
        QFETCH(double, valeur);
        QFETCH(bool, latitude);
        QFETCH(bool, minutes);
        QFETCH(QString, texte);
        QCOMPARE(Dessin_Carte::Degres_Minutes(valeur, latitude, minutes), texte);
    }

    // The wheel zooms about the pointer, from the whole world to a harbour; a drag moves the
    // chart with the pointer.
    void zoom_et_glisser() {
        Banc b(true);
        b.Demarrer();
        Carte_Marine* carte = Carte_Marine::De(b.c.ui.WebBrowser1);
        carte->show();
        const auto roulette = [&](int crans, QPointF ou) {
            QWheelEvent e(ou, carte->mapToGlobal(ou), {}, QPoint(0, 120 * crans), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(carte, &e);
        };
        const QPointF pointeur(200, 150);
        const QPointF sous_pointeur = carte->Vue().Lieu(pointeur);
        const double echelle = carte->Vue().echelle;
        roulette(3, pointeur);
        QCOMPARE(carte->Vue().echelle, echelle * 1.953125);
        const QPointF apres = carte->Vue().Lieu(pointeur);
        QVERIFY(std::abs(apres.x() - sous_pointeur.x()) < 1e-6 &&
                std::abs(apres.y() - sous_pointeur.y()) < 1e-6);
        roulette(200, pointeur);
        QCOMPARE(carte->Vue().echelle, Dessin_Carte::Vue::Echelle_Max);
        QVERIFY(carte->Vue().Metres_Par_Pixel() < 2);
        roulette(-400, pointeur);
        QCOMPARE(carte->Vue().echelle, carte->Vue().Echelle_Min());
        const Dessin_Carte::Vue monde = carte->Vue();
        QVERIFY(monde.Zone().est - monde.Zone().ouest >= 360);

        roulette(20, QPointF(carte->width() / 2, carte->height() / 2));
        const Dessin_Carte::Vue avant = carte->Vue();
        const QPoint depart(300, 200), arrivee(360, 160);
        QTest::mousePress(carte, Qt::LeftButton, {}, depart);
        QTest::mouseMove(carte, arrivee);
        QTest::mouseRelease(carte, Qt::LeftButton, {}, arrivee);
        const QPointF lieu = avant.Lieu(depart), ici = carte->Vue().Lieu(arrivee);
        QVERIFY(std::abs(lieu.x() - ici.x()) < 1e-6 && std::abs(lieu.y() - ici.y()) < 1e-6);

        // With the focus, + and - zoom about the centre and the arrows move a quarter of it.
        carte->setFocus();
        const Dessin_Carte::Vue clavier = carte->Vue();
        QTest::keyClick(carte, Qt::Key_Plus);
        QCOMPARE(carte->Vue().echelle, clavier.echelle * 2);
        QTest::keyClick(carte, Qt::Key_Minus);
        QCOMPARE(carte->Vue().echelle, clavier.echelle);
        QTest::keyClick(carte, Qt::Key_Right);
        QTest::keyClick(carte, Qt::Key_Down);
        const QPointF quart(carte->width() / 4.0, carte->height() / 4.0);
        const QPointF vise = clavier.Lieu(QPointF(carte->width(), carte->height()) / 2 + quart);
        QVERIFY(std::abs(carte->Vue().longitude - vise.x()) < 1e-9 &&
                std::abs(carte->Vue().latitude - vise.y()) < 1e-9);
    }

    // The readout gives the place under the pointer, its distance and true bearing from the
    // selected POI, whose own position shows beside it; a click on a marker selects its POI as
    // the list does; a double-click puts the place in Lat_Long, where "Valider" takes it.
    void pointeur() {
        Banc b(true);
        b.Demarrer();
        b.c.poi.Nom_Fichier = u"/tmp/escales.gpx"_qs;
        Carte_Marine* carte = Carte_Marine::De(b.c.ui.WebBrowser1);
        carte->show();
        for (const auto& p : Ports)
            b.Ajouter_POI(QString::fromUtf16(p.nom), QString::fromUtf16(p.lat),
                          QString::fromUtf16(p.lon));
        b.Selectionner(1);
        auto* choisi = carte->findChild<QLabel*>(u"Position_Choisi"_qs);
        auto* lecture = carte->findChild<QLabel*>(u"Lecture_Pointeur"_qs);
        QCOMPARE(choisi->text(), u"Concarneau : 47°52,182′N 003°54,750′W");

        // North and east of Concarneau, a few miles: on so short a leg the chart's plane gives
        // the distance and bearing (60 miles a degree of latitude, 60 cos(latitude) one of
        // longitude) to a hundredth of a mile and a tenth of a degree.
        const QPointF concarneau = carte->Vue().Ecran(47.8697, -3.9125);
        for (const QPointF ecart : {QPointF(0, -40), QPointF(40, 0)}) {
            const QPoint ou = (concarneau + ecart).toPoint();
            QMouseEvent bouge(QEvent::MouseMove, ou, carte->mapToGlobal(ou), Qt::NoButton,
                              Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(carte, &bouge);
            const QPointF lieu = carte->Vue().Lieu(ou);
            const double nord = (lieu.y() - 47.8697) * 60;
            const double est =
                (lieu.x() + 3.9125) * 60 * std::cos((lieu.y() + 47.8697) * M_PI / 360);
            const double cap = std::fmod(std::atan2(est, nord) * 180 / M_PI + 360, 360);
            QVERIFY(lecture->isVisible());
            const QString lu =
                QAccessible::queryAccessibleInterface(lecture)->text(QAccessible::Name);
            const auto m = QRegularExpression(u"^(.*) — à ([0-9]+,[0-9]+) milles? au ([0-9]{3})° "
                                              u"vrai de Concarneau$"_qs)
                               .match(lu);
            QVERIFY2(m.hasMatch(), qPrintable(lu));
            QCOMPARE(m.captured(1), Navigation::Position_DM(lieu.y(), lieu.x()));
            const QString milles = m.captured(2);
            const double arrondi = 0.5 * std::pow(10, -milles.section(u',', 1).size());
            QVERIFY2(std::abs(QString(milles).replace(u',', u'.').toDouble() -
                              std::hypot(nord, est)) < arrondi + 0.01,
                     qPrintable(lu));
            QVERIFY2(std::abs(m.captured(3).toDouble() - cap) < 0.7, qPrintable(lu));
        }
        QEvent sortie(QEvent::Leave);
        QApplication::sendEvent(carte, &sortie);
        QVERIFY(!lecture->isVisible());

        // A click on Lorient's marker: as a click on its entry, the chart centred on it.
        QTest::mouseClick(carte, Qt::LeftButton, {},
                          carte->Vue().Ecran(47.7460, -3.3580).toPoint());
        QCOMPARE(b.c.ui.ListePOI->ListIndex(), 3);
        QCOMPARE(carte->Choisi(), 3);
        const QString par_la_carte = b.Vue();
        const qsizetype navigations = b.services.navigations.size();
        b.Selectionner(4);
        QCOMPARE(b.Vue(), par_la_carte);
        QCOMPARE(b.services.navigations.size(), navigations + 1);
        QCOMPARE(b.services.navigations.last(), b.services.navigations[navigations - 1]);
        // Again on the marker selected: shown again; on the sea: nothing.
        QTest::mouseClick(carte, Qt::LeftButton, {}, carte->rect().center());
        QCOMPARE(b.services.navigations.size(), navigations + 2);
        QTest::mouseClick(carte, Qt::LeftButton, {}, carte->rect().center() + QPoint(30, 60));
        QCOMPARE(b.services.navigations.size(), navigations + 2);
        QCOMPARE(b.c.poi.POI_Courant, 4);

        // A double-click on the sea, "Nouveau Poi" chosen: the place replaces the prompt, to
        // no more decimals than the chart shows; "Valider" creates the POI there.
        Banc::Cliquer(b.c.ui.Option1->Bouton(1));
        const QPoint large = carte->rect().center() + QPoint(30, 60);
        QTest::mouseDClick(carte, Qt::LeftButton, {}, large);
        const QString texte = b.c.ui.Lat_Long->text();
        QCOMPARE(b.c.ui.Nom_WP->text(), u"Entrez ici le nom");
        QVERIFY(b.c.ui.Option1->Value(1));
        const auto position = Saisie_Coordonnees::Lire(texte);
        QVERIFY2(position, qPrintable(texte));
        const QPointF ecran = carte->Vue().Ecran(position->lat, position->lon);
        const QStringList cotes = texte.split(u',');
        for (int axe = 0; axe < 2; ++axe) {
            // One step of the last decimal, in pixels: a pixel at least, less than ten.
            const double pas = std::pow(10, -cotes[axe].section(u'.', 1).size());
            const double pixels =
                axe == 0 ? std::abs(carte->Vue().Ecran(position->lat + pas, position->lon).y() -
                                    ecran.y())
                         : pas * carte->Vue().echelle;
            QVERIFY2(pixels >= 1 && pixels < 10, qPrintable(texte));
            const double ecart = axe == 0 ? ecran.y() - large.y() : ecran.x() - large.x();
            QVERIFY2(std::abs(ecart) <= pixels / 2 + 0.5, qPrintable(texte));
        }
        b.c.ui.Nom_WP->setText(u"Glénan"_qs);
        Banc::Cliquer(b.c.ui.Validation);
        QCOMPARE(b.c.poi.Nb_POI, 7);
        QCOMPARE(b.c.poi.Nom_POI[7] + u'|' + b.c.poi.Lat_POI[7] + u',' + b.c.poi.Long_POI[7],
                 u"Glénan|"_qs + texte);
        QCOMPARE(b.services.messages, QStringList());
        // The first POI's marker too.
        QTest::mouseClick(carte, Qt::LeftButton, {},
                          carte->Vue().Ecran(47.8697, -3.9125).toPoint());
        QCOMPARE(b.c.poi.POI_Courant, 1);
    }
};

QUILLVANE_TEST_MAIN(TestCarte)
#include "test_carte.moc"
