// What a file holds beyond what the store keeps, and the warning that tells it.

#include "gpx/Inventaire.h"
#include "test_gpx_outils.h"

namespace {

QByteArray Points(int n, const QByteArray& liens = {}) {
    QByteArray t;
    for (int i = 0; i < n; ++i)
        t += "\t<wpt lat=\"1\" lon=\"2\">\r\n\t\t<time>T</time>\r\n" + liens + "\t</wpt>\r\n";
    return t;
}

QByteArray Liens(int n) {
    return QByteArray("\t\t<link href=\"u\">\r\n\t\t\t<text>t</text>\r\n\t\t</link>\r\n")
        .repeated(n);
}

} // namespace

class TestInventaire : public QObject {
    Q_OBJECT
  private slots:
    void inventaire_data();
    void inventaire();
    void avertissement_data();
    void avertissement();
};

void TestInventaire::inventaire_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QList<int>>("attendu"); // points, routes, traces, points_trop_liens
    QTest::addColumn<int>("listes");         // POIs the reader lists
    QTest::newRow("vide") << QByteArray() << QList<int>{0, 0, 0, 0} << 0;
    QTest::newRow("écrit par le programme")
        << Reference(u"ecrit_complet.gpx"_qs) << QList<int>{4, 0, 0, 0} << 4;
    // Whole names only: trkpt, rtept, trkseg and BaseCamp's wptx1 are parts, not elements.
    QTest::newRow("routes et traces")
        << QByteArray("<rte>\n<rtept lat=\"1\" lon=\"2\"/>\n</rte>\n<rte/>\n<trk>\n<trkseg>\n"
                      "<trkpt lat=\"1\" lon=\"2\"></trkpt>\n</trkseg></trk>\n<wptx1:Address>\n") +
               Points(1)
        << QList<int>{1, 2, 1, 0} << 1;
    // Links of the metadata, a route or a track are not a waypoint's; the sixth is one too many.
    QTest::newRow("liens") << "<metadata>" + Liens(7) + "</metadata>\n" + Points(2, Liens(5)) +
                                  Points(1, Liens(6)) + "<trk>" + Liens(9) + "</trk>"
                           << QList<int>{3, 0, 1, 1} << 3;
    // Not the layout the line reader reads: the elements are counted all the same.
    QTest::newRow("sur une ligne")
        << Points(3, Liens(6)).replace("\r\n", "") << QList<int>{3, 0, 0, 3} << 1;
    QTest::newRow("fermeture manquante")
        << QByteArray("<wpt lat=\"1\" lon=\"2\">\n") + Liens(6) + "<wpt\n" + Liens(6)
        << QList<int>{2, 0, 0, 2} << 2;
    QTest::newRow("au-delà de cent") << Points(101) << QList<int>{101, 0, 0, 0} << 100;
}

void TestInventaire::inventaire() {
    QFETCH(QByteArray, contenu);
    const Fichiers::Inventaire i = Fichiers::Inventorier(contenu);
    QTEST((QList<int>{i.points, i.routes, i.traces, i.points_trop_liens}), "attendu");
    QTEST(int(Lu(contenu).Nb_POI), "listes");
}

void TestInventaire::avertissement_data() {
    QTest::addColumn<QList<int>>("inventaire");
    QTest::addColumn<int>("listes");
    QTest::addColumn<QString>("attendu");
    const QString suite = u", et le reste du fichier sera perdu.\n\nLe fichier tel qu'il a été "
                          u"ouvert est gardé dans la sauvegarde « /b/tmp/E.gpx.30 »."_qs;
    QTest::newRow("tout est gardé") << QList<int>{100, 0, 0, 0} << 100 << QString();
    QTest::newRow("traceur")
        << QList<int>{260, 7, 2, 3} << 100
        << u"Le fichier « E.gpx » contient 260 points de passage, 7 routes et 2 traces. 3 de "
           u"ses points de passage ont plus de cinq liens.\n\n100 Poi ont été listés : « Sauver "
           u"tout » n'écrira que ces Poi, avec cinq liens au plus chacun"_qs +
               suite;
    QTest::newRow("une trace")
        << QList<int>{1, 0, 1, 0} << 1
        << u"Le fichier « E.gpx » contient 1 point de passage et 1 trace.\n\nUn seul Poi a été "
           u"listé : « Sauver tout » n'écrira que ce Poi, avec cinq liens au plus"_qs +
               suite;
    QTest::newRow("un point, trop de liens")
        << QList<int>{1, 1, 0, 1} << 0
        << u"Le fichier « E.gpx » contient 1 point de passage et 1 route. Un de ses points de "
           u"passage a plus de cinq liens.\n\nAucun Poi n'a été listé : « Sauver tout » "
           u"n'écrira aucun point de passage"_qs +
               suite;
}

void TestInventaire::avertissement() {
    QFETCH(QList<int>, inventaire);
    QFETCH(int, listes);
    const Fichiers::Inventaire i{inventaire[0], inventaire[1], inventaire[2], inventaire[3]};
    QTEST(Fichiers::Avertissement(i, listes, u"E.gpx"_qs, u"/b/tmp/E.gpx.30"_qs), "attendu");
}

QTEST_GUILESS_MAIN(TestInventaire)
#include "test_gpx_inventaire.moc"
