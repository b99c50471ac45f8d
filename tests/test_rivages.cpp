// The shorelines read from Debian's low resolution GSHHG file: land and water where they are,
// every bin consistent with its corners, windows across the antimeridian and at the poles,
// the finest resolution fast enough at each scale, and a file that is not one refused.

#include "viewers/Rivages.h"

#include <QTemporaryDir>
#include <QtTest>
#include <netcdf.h>

using namespace Rivages;

class TestRivages : public QObject {
    Q_OBJECT
    std::unique_ptr<Base> basse;

  private slots:
    void initTestCase() {
        QString erreur;
        basse = Base::Ouvrir(Fichier(Resolution::Basse), &erreur);
        QVERIFY2(basse, qPrintable(erreur));
        QCOMPARE(basse->Taille_Case(), 10.0);
    }

    void terre_et_mer_data() {
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<bool>("terre");
        QTest::newRow("mer, 47.5 N 3.5 W") << 47.5 << -3.5 << false;
        QTest::newRow("terre, 48.0 N 3.0 W") << 48.0 << -3.0 << true;
        // Belle-Île, then the sea on its four sides.
        QTest::newRow("Belle-Île") << 47.33 << -3.18 << true;
        QTest::newRow("nord de Belle-Île") << 47.42 << -3.18 << false;
        QTest::newRow("sud de Belle-Île") << 47.22 << -3.18 << false;
        QTest::newRow("ouest de Belle-Île") << 47.33 << -3.4 << false;
        QTest::newRow("est de Belle-Île") << 47.28 << -3.0 << false;
        QTest::newRow("Caspienne, un lac") << 42.0 << 50.5 << false;
        QTest::newRow("pôle Nord") << 89.9 << 10.0 << false;
        QTest::newRow("pôle Sud") << -89.9 << 10.0 << true;
        QTest::newRow("Fidji, par l'ouest") << -17.8 << -182.0 << true;
        QTest::newRow("Fidji") << -17.8 << 178.0 << true;
    }
    void terre_et_mer() {
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(bool, terre);
        QCOMPARE(basse->Terre(lat, lon), terre);
    }

    // Each bin's rings, filled even-odd, give the point just inside each of its four corners
    // the parity of the level the file stores for that corner: land (odd) or water (even).
    void coins_de_chaque_case() {
        int id = 0, var = 0;
        QCOMPARE(nc_open(QFile::encodeName(Fichier(Resolution::Basse)), NC_NOWRITE, &id), NC_NOERR);
        std::vector<short> niveaux(648);
        QCOMPARE(nc_inq_varid(id, "Embedded_node_levels_in_a_bin", &var), NC_NOERR);
        QCOMPARE(nc_get_var_short(id, var, niveaux.data()), NC_NOERR);
        nc_close(id);
        const double t = basse->Taille_Case(), d = 1e-4;
        // South-west, south-east, north-east, north-west: the bits from the highest.
        const QPointF coins[4] = {{d, d}, {t - d, d}, {t - d, t - d}, {d, t - d}};
        int terres = 0;
        for (int b = 0; b < 648; ++b)
            for (int k = 0; k < 4; ++k) {
                const int niveau = (static_cast<unsigned short>(niveaux[b]) >> (9 - 3 * k)) & 7;
                const double lon = (b % 36) * t + coins[k].x();
                const double lat = 90 - (b / 36 + 1) * t + coins[k].y();
                QVERIFY2(basse->Terre(lat, lon) == (niveau % 2 == 1),
                         qPrintable(u"case %1, coin %2"_qs.arg(b).arg(k)));
                terres += niveau % 2;
            }
        QVERIFY(terres > 300 && terres < 4 * 648 - 1000); // the file holds both
    }

    // Across the antimeridian and at both poles: every point lies in the window's bins, the
    // bins east of 180 are given as longitudes past 180, and the land is where it should be.
    void fenetres_difficiles_data() {
        QTest::addColumn<double>("ouest");
        QTest::addColumn<double>("sud");
        QTest::addColumn<double>("est");
        QTest::addColumn<double>("nord");
        QTest::addColumn<int>("cases");
        QTest::newRow("antiméridien") << 170.0 << -25.0 << 190.0 << -10.0 << 4 * 2;
        QTest::newRow("antiméridien, par l'ouest") << -190.0 << -25.0 << -170.0 << -10.0 << 4 * 2;
        QTest::newRow("pôle Nord") << -180.0 << 80.0 << 180.0 << 90.0 << 36;
        QTest::newRow("pôle Sud") << -180.0 << -90.0 << 180.0 << -80.0 << 36;
        QTest::newRow("plus d'un tour") << -400.0 << 0.0 << 400.0 << 10.0 << 80;
    }
    void fenetres_difficiles() {
        QFETCH(double, ouest);
        QFETCH(double, sud);
        QFETCH(double, est);
        QFETCH(double, nord);
        QFETCH(int, cases);
        const Morceau m = basse->Extraire({ouest, sud, est, nord});
        QVERIFY(!m.empty());
        const double t = basse->Taille_Case();
        const double o = std::floor(ouest / t) * t, e = std::ceil(est / t) * t;
        double aire = 0;
        for (const Anneau& anneau : m)
            for (const QPointF p : anneau.points) {
                QVERIFY2(p.x() >= o && p.x() <= e && p.y() >= sud - t && p.y() <= nord + t,
                         qPrintable(QStringLiteral("%1 %2").arg(p.x()).arg(p.y())));
                aire = std::max(aire, std::abs(p.x()));
            }
        // The whole bins of land (rings of four corners) are few where the window is at sea.
        QVERIFY(aire <= std::max(std::abs(o), std::abs(e)));
        QVERIFY(m.size() >= std::size_t(cases) / 8);
    }

    void choix_de_la_resolution_data() {
        using R = Resolution;
        QTest::addColumn<double>("metres");
        QTest::addColumn<QList<int>>("installees");
        QTest::addColumn<int>("choisie");
        const QList<int> debian{int(R::Grossiere), int(R::Basse), int(R::Intermediaire),
                                int(R::Haute)};
        const QList<int> fine{int(R::Intermediaire), int(R::Haute)};
        // The finest that is drawn fast enough at that scale.
        QTest::newRow("le monde") << 40000.0 << debian << int(R::Basse);
        QTest::newRow("l'Europe") << 3000.0 << debian << int(R::Intermediaire);
        QTest::newRow("la Manche") << 2100.0 << debian << int(R::Intermediaire);
        QTest::newRow("la Bretagne") << 300.0 << debian << int(R::Haute);
        QTest::newRow("un port, sans la complète") << 5.0 << debian << int(R::Haute);
        QTest::newRow("un port, avec")
            << 5.0 << debian + QList<int>{int(R::Complete)} << int(R::Complete);
        QTest::newRow("la Bretagne, avec la complète")
            << 1000.0 << debian + QList<int>{int(R::Complete)} << int(R::Haute);
        QTest::newRow("la basse seule") << 5.0 << QList<int>{int(R::Basse)} << int(R::Basse);
        // Only files too slow for the whole world: the coarsest of them.
        QTest::newRow("le monde, haute seule")
            << 40000.0 << QList<int>{int(R::Haute)} << int(R::Haute);
        QTest::newRow("le monde, sans grossière ni basse")
            << 40000.0 << fine << int(R::Intermediaire);
        QTest::newRow("aucune") << 300.0 << QList<int>{} << -1;
    }
    void choix_de_la_resolution() {
        QFETCH(double, metres);
        QFETCH(QList<int>, installees);
        QFETCH(int, choisie);
        std::vector<Resolution> r;
        for (int i : installees)
            r.push_back(Resolution(i));
        const auto c = Choisir(metres, r);
        QCOMPARE(c ? int(*c) : -1, choisie);
    }

    // The folder as the packages lay it out, and files that are not shorelines.
    void fichiers() {
        const std::vector<Resolution> debian = Installees();
        QVERIFY(std::find(debian.begin(), debian.end(), Resolution::Basse) != debian.end());
        QTemporaryDir dossier;
        QVERIFY(Installees(dossier.path()).empty());
        QFile f(Fichier(Resolution::Haute, dossier.path()));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("CDF\x01 pas un fichier") > 0);
        f.close();
        QCOMPARE(Installees(dossier.path()), std::vector<Resolution>{Resolution::Haute});
        QString erreur;
        QVERIFY(!Base::Ouvrir(f.fileName(), &erreur) && !erreur.isEmpty());
        QVERIFY(!Base::Ouvrir(dossier.path() + u"/absent.nc"_qs, &erreur));
        // A netCDF file of another kind: the border lines have no corner levels.
        QVERIFY(!Base::Ouvrir(Dossier_Systeme + u"/binned_border_l.nc"_qs, &erreur));
        QVERIFY(!erreur.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestRivages)
#include "test_rivages.moc"
