// The chart shown in place of the web map when the map service cannot be reached: it comes
// with a failed load and goes with a page loaded, starts on France, marks every POI of the
// store, frames a file's POIs when it is opened and centres the selected one, follows the
// wheel down to what the shorelines resolve, a drag and the keys. A readout follows the
// pointer; a click on a marker and a double-click reach the window. Its drawing: small islands
// at every set of installed shorelines, names that never overlap; its printout, read out of
// the PDF.

#include "gpx/Fichiers.h"
#include "poi/Gerer_POI.h"
#include "poi/Saisie_Coordonnees.h"
#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "viewers/Carte_Marine.h"
#include "viewers/Navigation.h"
#include "viewers/Visionneuses.h"

#include <QAccessible>
#include <QLabel>
#include <QPainter>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <numbers>

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

const QColor Mer(212, 230, 241), Terre(241, 233, 210);

// The chart of a view drawn on an image of its size.
QImage Dessin(const Dessin_Carte::Vue& v, const std::vector<Dessin_Carte::Repere>& reperes,
              int choisi, Dessin_Carte::Bases& bases) {
    QImage image(v.taille.toSize(), QImage::Format_RGB32);
    QPainter p(&image);
    Dessin_Carte::Dessiner(p, v, reperes, choisi, bases);
    return image;
}

// A view of `largeur` nautical miles across 1000 x 700 pixels.
Dessin_Carte::Vue Autour(double lat, double lon, double largeur) {
    Dessin_Carte::Vue v;
    v.taille = QSizeF(1000, 700);
    v.latitude = lat;
    v.longitude = lon;
    v.echelle = v.taille.width() / (largeur / 60 / std::cos(lat * std::numbers::pi / 180));
    return v;
}

// Land (its colour, or a shore line) in a box of the chart given in degrees.
int Pixels_De_Terre(const QImage& image, const Dessin_Carte::Vue& v, const Rivages::Zone& z) {
    const QRect boite = QRectF(v.Ecran(z.nord, z.ouest), v.Ecran(z.sud, z.est)).toRect();
    int n = 0;
    for (int x = boite.left(); x <= boite.right(); ++x)
        for (int y = boite.top(); y <= boite.bottom(); ++y) {
            const QColor c = image.pixelColor(x, y);
            n += c == Terre || c.lightness() < 150;
        }
    return n;
}

// A folder holding only some of the installed shoreline files.
QString Dossier_Partiel(const QTemporaryDir& dossier, const QList<int>& resolutions) {
    for (const int r : resolutions) {
        const QString fichier = Rivages::Fichier(Rivages::Resolution(r));
        if (!QFile::link(fichier, Rivages::Fichier(Rivages::Resolution(r), dossier.path())))
            return QString();
    }
    return dossier.path();
}

// The text of a PDF file, page by page, as pdftotext lays it out.
QStringList Pages_Texte(const QString& pdf) {
    QProcess outil;
    outil.start(u"pdftotext"_qs, {u"-layout"_qs, pdf, u"-"_qs});
    if (!outil.waitForFinished(30000) || outil.exitCode() != 0)
        return {};
    return QString::fromUtf8(outil.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
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
        const QImage image = carte->grab().toImage();
        for (int i = 0; i < 5; ++i) {
            const QPointF p =
                carte->Vue().Ecran(carte->Reperes()[i].latitude, carte->Reperes()[i].longitude);
            QVERIFY2(ecran.contains(p), qPrintable(carte->Reperes()[i].nom));
            const QColor marque = i == 2 ? QColor(211, 84, 0) : QColor(31, 78, 121);
            QCOMPARE(Couleur(image, p), marque);
        }
        // The land inland of Brittany, the sea off it.
        for (const auto& [lieu, couleur] :
             {std::pair{QPointF(-2.7, 48.25), QColor(241, 233, 210)},
              std::pair{QPointF(-5.0, 47.0), QColor(212, 230, 241)}}) {
            const QPointF p = carte->Vue().Ecran(lieu.y(), lieu.x());
            QCOMPARE(Couleur(image, p), couleur);
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
        // No closer than the finest installed shoreline resolves: crude 3125 m a pixel, low
        // 625 m, intermediate 125 m, high 25 m, full 5 m.
        roulette(200, pointeur);
        const double limites[] = {3125, 625, 125, 25, 5};
        const double limite = limites[int(Rivages::Installees().back())];
        QVERIFY(std::abs(carte->Vue().Metres_Par_Pixel() / limite - 1) < 1e-4);
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
        carte->setFocus();
        for (int fois = 0; fois < 12 && carte->Vue().Metres_Par_Pixel() > 200; ++fois)
            QTest::keyClick(carte, Qt::Key_Plus);
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

    // At 20 miles across, the Glénan islands are drawn with the high shorelines, whatever
    // else is installed; with coarser files alone the zoom cannot come so close, and at its
    // closest the coast of Brittany still shows, so that no view is empty water where the
    // file knows a coast.
    void petites_iles_data() {
        using R = Rivages::Resolution;
        QTest::addColumn<QList<int>>("resolutions");
        QTest::addColumn<bool>("glenan");
        QTest::newRow("toutes") << QList<int>{0, 1, 2, 3} << true;
        QTest::newRow("haute seule") << QList<int>{int(R::Haute)} << true;
        QTest::newRow("basse et haute") << QList<int>{int(R::Basse), int(R::Haute)} << true;
        QTest::newRow("basse seule") << QList<int>{int(R::Basse)} << false;
        QTest::newRow("grossière et intermédiaire")
            << QList<int>{int(R::Grossiere), int(R::Intermediaire)} << false;
    }
    void petites_iles() {
        QFETCH(QList<int>, resolutions);
        QFETCH(bool, glenan);
        const std::vector<Rivages::Resolution> installees = Rivages::Installees();
        for (const int r : resolutions)
            if (std::find(installees.begin(), installees.end(), Rivages::Resolution(r)) ==
                installees.end())
                QSKIP("shoreline file not installed here");
        QTemporaryDir dossier;
        const QString chemin = Dossier_Partiel(dossier, resolutions);
        QVERIFY(!chemin.isEmpty());
        Dessin_Carte::Bases bases(chemin);
        const Rivages::Zone archipel{-4.06, 47.69, -3.94, 47.74};
        Dessin_Carte::Vue v = Autour(47.715, -4.0, 20);
        v.plus_fin = bases.Limite();
        v.Borner();
        if (glenan) {
            QCOMPARE(v.echelle, Autour(47.715, -4.0, 20).echelle); // not held back
            QVERIFY(Pixels_De_Terre(Dessin(v, {}, -1, bases), v, archipel) > 100);
        } else {
            QVERIFY(v.Metres_Par_Pixel() > 100);
        }
        // At the closest the files allow, on the coast south of Quimper: land and sea.
        Dessin_Carte::Vue pres = Autour(47.85, -4.1, 0.01);
        pres.plus_fin = bases.Limite();
        pres.Borner();
        QCOMPARE(pres.Metres_Par_Pixel(), bases.Limite());
        const QImage image = Dessin(pres, {}, -1, bases);
        const Rivages::Zone tout{pres.Zone().ouest, pres.Zone().sud, pres.Zone().est,
                                 pres.Zone().nord};
        const int terre = Pixels_De_Terre(image, pres, tout);
        QVERIFY2(terre > 10000 && terre < 690000, qPrintable(QString::number(terre)));
    }

    // Ten POIs a few cables apart: no name covers another, the selected one's is written
    // whatever stands there, every name written is inked next to its mark, and a name of a
    // million characters is cut to a few dozen.
    void etiquettes() {
        std::vector<Dessin_Carte::Repere> reperes;
        for (int i = 0; i < 10; ++i)
            reperes.push_back(
                {u"Mouillage %1"_qs.arg(i + 1), 47.72 + 0.004 * (i % 3), -3.99 + 0.005 * (i / 3)});
        reperes.push_back({QString(1000000, u'N'), 47.724, -3.985});
        // As close as the chart comes (the high file: 13.5 miles across).
        Dessin_Carte::Bases bases;
        Dessin_Carte::Vue v = Autour(47.722, -3.985, 2);
        v.plus_fin = bases.Limite();
        v.Borner();
        for (const int choisi : {-1, 4, 10}) {
            const auto etiquettes = Dessin_Carte::Etiquettes(v, reperes, choisi);
            const QImage image = Dessin(v, reperes, choisi, bases);
            QVERIFY2(etiquettes.size() >= 4, qPrintable(QString::number(etiquettes.size())));
            if (choisi >= 0)
                QCOMPARE(etiquettes.front().index, choisi);
            for (std::size_t i = 0; i < etiquettes.size(); ++i) {
                const Dessin_Carte::Etiquette& e = etiquettes[i];
                for (std::size_t j = 0; j < i; ++j)
                    QVERIFY2(!e.boite.intersects(etiquettes[j].boite), qPrintable(e.texte));
                const auto ecran = [&](int k) {
                    return v.Ecran(reperes[k].latitude, reperes[k].longitude);
                };
                const QPointF marque = ecran(e.index);
                for (int k = 0; k < int(reperes.size()); ++k) // nor hides another mark
                    QVERIFY(k == e.index || e.index == choisi || !e.boite.contains(ecran(k)));
                QVERIFY(QLineF(e.boite.center(), marque).length() < e.boite.width() / 2 + 20);
                QVERIFY(e.texte.size() <= 65);
                int encre = 0;
                for (int x = int(e.boite.left()); x < int(e.boite.right()); ++x)
                    encre += image.pixelColor(x, int(e.boite.center().y())).lightness() < 120;
                QVERIFY2(encre > 2, qPrintable(e.texte));
            }
        }
        const QString immense = Dessin_Carte::Nom_Lisible(reperes.back().nom, QFont(), 1e6);
        QVERIFY(immense.size() <= 65 && immense.endsWith(u'…'));
        // A character outside the basic plane is never cut in two.
        const QString emoji = QString(63, u'a') + QString::fromUtf8("⛵🐬") + QString(10, u'b');
        QVERIFY(!Dessin_Carte::Nom_Lisible(emoji, QFont(), 1e6).contains(QChar(0xD83D)));
    }

    // A file opened: all its POIs in sight. A POI selected: at the centre, at the scale shown,
    // or at the closest the shorelines resolve.
    void ouverture_et_selection() {
        Banc b(true);
        b.Demarrer();
        Carte_Marine* carte = Carte_Marine::De(b.c.ui.WebBrowser1);
        carte->show();
        QTemporaryDir dossier;
        const QString fichier = dossier.filePath(u"Ports_bretons.gpx"_qs);
        QVERIFY(
            QFile::copy(QStringLiteral(QUILLVANE_DONNEES "/exemple/Ports_bretons.gpx"), fichier));
        Fichiers::Charger(b.c, fichier);
        QCOMPARE(int(carte->Reperes().size()), 7);
        const QRectF ecran(QPointF(0, 0), carte->Vue().taille);
        QRectF boite;
        for (const auto& r : carte->Reperes()) {
            const QPointF p = carte->Vue().Ecran(r.latitude, r.longitude);
            QVERIFY2(ecran.adjusted(20, 20, -20, -20).contains(p), qPrintable(r.nom));
            boite |= QRectF(p, QSizeF(1, 1));
        }
        // Framed, not merely in sight: the harbours fill the chart's width or height.
        QVERIFY(boite.width() > ecran.width() / 2 || boite.height() > ecran.height() / 2);

        const double echelle = carte->Vue().echelle;
        b.Selectionner(5);
        QCOMPARE(carte->Vue().Ecran(47.7460, -3.3580), ecran.center());
        QCOMPARE(carte->Vue().echelle, echelle);
        // As close as it goes, then a harbour further north: the closest scale there.
        QWheelEvent e(ecran.center(), carte->mapToGlobal(ecran.center()), {}, QPoint(0, 12000),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(carte, &e);
        b.Selectionner(3);
        QCOMPARE(carte->Vue().Ecran(48.7270, -3.9830), ecran.center());
        QCOMPARE(carte->Vue().Metres_Par_Pixel(), carte->Bases().Limite());
    }

    // With the chart shown, the printout is a PDF through the printer dialog: the chart over
    // the whole page in the orientation chosen, under the file's name and the date, then the
    // list, its legs checked against the law of cosines. With the web map, the web view prints.
    void impression() {
        Banc b(true);
        b.Demarrer();
        Carte_Marine* carte = Carte_Marine::De(b.c.ui.WebBrowser1);
        const struct {
            const char16_t *nom, *lat, *lon, *position, *liens;
        } passage[] = {
            {u"Concarneau", u"47.8697", u"-3.9125", u"47°52,182′N 003°54,750′W",
             u"Description, Port"},
            {u"Port-Tudy", u"47.6450", u"-3.4450", u"47°38,700′N 003°26,700′W", u""},
            {u"Le Palais", u"47.3480", u"-3.1540", u"47°20,880′N 003°09,240′W", u"Capitainerie"}};
        for (const auto& poi : passage) {
            Declarations::Liens urls, noms;
            const QStringList liens =
                QString::fromUtf16(poi.liens).split(u", "_qs, Qt::SkipEmptyParts);
            for (qsizetype k = 0; k < liens.size(); ++k) {
                urls[k + 1] = u"https://exemple.fr/"_qs + liens[k];
                noms[k + 1] = liens[k];
            }
            Declarations::Ecrire_Fiche(b.c.poi, ++b.c.poi.Nb_POI,
                                       {QString::fromUtf16(poi.nom),
                                        u"T"_qs,
                                        QString::fromUtf16(poi.lat),
                                        QString::fromUtf16(poi.lon),
                                        qint16(liens.size()),
                                        urls,
                                        noms,
                                        {}});
        }
        b.c.poi.Nom_Court = u"Passage.gpx"_qs;
        Gerer_POI::Afficher_POI(b.c);

        // The web map shown: its page printed, as before.
        QTemporaryDir dossier;
        b.services.pdf = dossier.filePath(u"carte.pdf"_qs);
        Visionneuses::Impression_Click(b.c);
        QCOMPARE(b.services.impressions, 1);
        QVERIFY(!QFile::exists(b.services.pdf));

        carte->show();
        b.Selectionner(2);
        b.services.orientation = QPageLayout::Landscape;
        Visionneuses::Impression_Click(b.c);
        QCOMPARE(b.services.impressions, 1);
        const QStringList pages = Pages_Texte(b.services.pdf);
        QVERIFY2(pages.size() == 2, "pdftotext (poppler-utils) lit-il le PDF ?");
        const QString date =
            QLocale(QLocale::French).toString(QDate::currentDate(), QLocale::LongFormat);
        for (const QString& page : pages)
            QVERIFY(page.contains(u"Passage.gpx"_qs) && page.contains(date));
        QVERIFY(!pages[0].contains(u"Relèvement"_qs) && pages[1].contains(u"Relèvement"_qs));

        // The legs by the spherical law of cosines: distance, then the angle at the start.
        constexpr double rad = std::numbers::pi / 180;
        const QStringList lignes = pages[1].split(u'\n');
        for (int i = 0; i < 3; ++i) {
            const auto& poi = passage[i];
            const auto ligne = std::find_if(lignes.begin(), lignes.end(), [&](const QString& l) {
                return l.contains(QString::fromUtf16(poi.nom));
            });
            QVERIFY(ligne != lignes.end());
            const QStringList mots = ligne->simplified().split(u' ');
            QCOMPARE(mots.first(), QString::number(i + 1));
            QVERIFY2(ligne->contains(QString::fromUtf16(poi.position)), qPrintable(*ligne));
            QVERIFY(ligne->contains(QString::fromUtf16(poi.liens)));
            if (i == 0) { // no leg: number, name, position and links only
                QCOMPARE(mots.size(), 6);
                continue;
            }
            const double f1 = QString::fromUtf16(passage[i - 1].lat).toDouble() * rad;
            const double l1 = QString::fromUtf16(passage[i - 1].lon).toDouble() * rad;
            const double f2 = QString::fromUtf16(poi.lat).toDouble() * rad;
            const double l2 = QString::fromUtf16(poi.lon).toDouble() * rad;
            const double d = std::acos(std::sin(f1) * std::sin(f2) +
                                       std::cos(f1) * std::cos(f2) * std::cos(l2 - l1));
            double route = std::acos((std::sin(f2) - std::sin(f1) * std::cos(d)) /
                                     (std::cos(f1) * std::sin(d))) /
                           rad;
            if (std::sin(l2 - l1) < 0)
                route = 360 - route;
            const QString milles = QLocale(QLocale::French).toString(d / rad * 60, 'f', 1);
            const QString releve = u"%1°"_qs.arg(std::lround(route), 3, 10, QLatin1Char('0'));
            QVERIFY2(mots.contains(milles) && mots.contains(releve),
                     qPrintable(*ligne + u" ≠ "_qs + milles + u' ' + releve));
        }

        // The chart page, drawn: sea and land from edge to edge of a landscape page.
        QProcess rendu;
        const QString image = dossier.filePath(u"page"_qs);
        rendu.start(u"pdftoppm"_qs, {u"-r"_qs, u"20"_qs, u"-f"_qs, u"1"_qs, u"-l"_qs, u"1"_qs,
                                     u"-png"_qs, u"-singlefile"_qs, b.services.pdf, image});
        QVERIFY(rendu.waitForFinished(30000) && rendu.exitCode() == 0);
        const QImage page(image + u".png"_qs);
        QVERIFY(page.width() > page.height());
        const auto proche = [](QColor a, QColor b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                       std::abs(a.blue() - b.blue()) <
                   12;
        };
        int mer = 0, terre = 0;
        QRect peinte;
        for (int x = 0; x < page.width(); ++x)
            for (int y = 0; y < page.height(); ++y) {
                const QColor c = page.pixelColor(x, y);
                mer += proche(c, Mer);
                terre += proche(c, Terre);
                if (proche(c, Mer) || proche(c, Terre))
                    peinte |= QRect(x, y, 1, 1);
            }
        QVERIFY(mer > 500 && terre > 500);
        QVERIFY2(peinte.width() > page.width() * 0.85 && peinte.height() > page.height() * 0.75,
                 qPrintable(u"%1 x %2"_qs.arg(peinte.width()).arg(peinte.height())));
    }
};

QUILLVANE_TEST_MAIN(TestCarte)
#include "test_carte.moc"
