// Reading waypoints and links from a GPX file's bytes into the store.

#include "gpx/Lignes.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

namespace {

struct Lien {
    QByteArray href, text;
};

// One waypoint in the writer's layout, lines ended by LF; a null time writes no time line.
QByteArray Point(const QByteArray& lat, const QByteArray& lon, const QByteArray& time,
                 const QByteArray& name, const QList<Lien>& liens = {}) {
    QByteArray t = "\t<wpt lat=\"" + lat + "\" lon=\"" + lon + "\">\n";
    if (!time.isNull())
        t += "\t\t<time>" + time + "</time>\n";
    t += "\t\t<name>" + name + "</name>\n";
    for (const Lien& l : liens)
        t += "\t\t<link href=\"" + l.href + "\">\n\t\t\t<text>" + l.text + "</text>\n\t\t</link>\n";
    return t + "\t\t<sym>anchorage</sym>\n\t</wpt>\n";
}

QByteArray Fichier(const QByteArray& points) {
    return "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\">\n" + points + "</gpx>\n";
}

} // namespace

class TestLecture : public QObject {
    Q_OBJECT
  private slots:
    void references_data();
    void references();
    void noms_data();
    void noms();
    void dispositions_data();
    void dispositions();
    void cent_points_au_plus();
    void texte_isole_en_case_0();
    void fichier_vide();
    void chercher_data();
    void chercher();
};

void TestLecture::references_data() {
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("fin");
    QTest::addColumn<QString>("attendu");
    // Metadata stamped like the first mark, two marks in the same second, a mark without
    // time, a route and a track: each mark keeps its own links.
    const QString opencpn =
        u"47.480833333|-3.097500000|2026-03-05T14:03:07Z|Port-Haliguen & Quiberon|"
        u"https://www.example.org/haliguen?lang=fr&amp;v=2|Capitainerie|"
        u"file:///home/marc/Notes/Haliguen.txt|Notes\n"
        u"47.270000000|-2.210000000|2026-03-05T14:05:00Z|Pointe du Grouin|"
        u"https://fr.wikipedia.org/wiki/Pointe_du_Grouin|Wikipédia\n"
        u"47.260000000|-2.200000000|2026-03-05T14:05:00Z|Mouillage du Grouin|"
        u"https://meteo.example.org/grouin|Météo\n"
        u"47.100000000|-2.050000000||Pré Roche|https://example.org/pre-roche|Pré Roche"_qs;
    QTest::newRow("OpenCPN, LF") << u"opencpn_linux.gpx"_qs << QByteArray("\n") << opencpn;
    QTest::newRow("OpenCPN, CR LF") << u"opencpn_linux.gpx"_qs << QByteArray("\r\n") << opencpn;
    QTest::newRow("OpenCPN, CR") << u"opencpn_linux.gpx"_qs << QByteArray("\r") << opencpn;
    // "<wptx1:...>" extensions are not waypoints.
    QTest::newRow("BaseCamp") << u"basecamp.gpx"_qs << QByteArray("\n")
                              << u"47.212345|-1.553210|2026-03-04T09:12:44Z|Écluse Saint-Félix\n"
                                 u"47.250000|-2.200000|2026-03-04T09:20:01Z|Bouée Basse|"
                                 u"https://example.org/bouee|Fiche"_qs;
}

void TestLecture::references() {
    QFETCH(QString, fichier);
    QFETCH(QByteArray, fin);
    const Magasin poi = Lu(Reference(fichier).replace("\n", fin));
    QTEST(Pois(poi), "attendu");
    QCOMPARE(poi.POI_Courant, poi.Nb_POI + 1);
}

void TestLecture::noms_data() {
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QByteArray>("brut");
    QTest::addColumn<QString>("nom");
    const QByteArray t = "2026-03-05T14:03:07Z";
    const QByteArray sans; // no time line at all
    QTest::newRow("%20") << t << QByteArray("Pointe%20du%20Grouin") << u"Pointe du Grouin"_qs;
    QTest::newRow("UTF-8") << t << QByteArray("\303\211cluse") << u"Écluse"_qs;
    QTest::newRow("Windows-1252") << t << QByteArray("\311cluse \200") << u"Écluse €"_qs;
    QTest::newRow("vide daté") << t << QByteArray() << u"(Sans nom)"_qs;
    QTest::newRow("entités") << t << QByteArray("a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos;")
                             << u"a & b <c> \"d\" 'e'"_qs;
    QTest::newRow("numériques") << t << QByteArray("&#201;cluse &#x20AC; &#x1F6A2;")
                                << u"Écluse € \U0001F6A2"_qs;
    QTest::newRow("références inconnues gardées")
        << t << QByteArray("&nbsp; &#0; &#xD800; &amp &#x;")
        << u"&nbsp; &#0; &#xD800; &amp &#x;"_qs;
    QTest::newRow("%20 après les références") << t << QByteArray("a&#37;20b") << u"a%20b"_qs;
    QTest::newRow("sans heure: ni défaut") << sans << QByteArray() << QString();
    QTest::newRow("sans heure: ni %20") << sans << QByteArray("a%20b") << u"a%20b"_qs;
    QTest::newRow("sans heure: UTF-8 et références")
        << sans << QByteArray("Pr\303\251 &amp; Roche") << u"Pré & Roche"_qs;
    QTest::newRow("sans heure: Windows-1252") << sans << QByteArray("\311t\351") << u"Été"_qs;
}

void TestLecture::noms() {
    QFETCH(QByteArray, time);
    QFETCH(QByteArray, brut);
    const Magasin poi = Lu(Fichier(Point("1", "2", time, brut)));
    QCOMPARE(poi.Nb_POI, 1);
    QTEST(poi.Nom_POI[1], "nom");
}

void TestLecture::dispositions_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("attendu");
    // Short or malformed lines: the missing values are empty.
    QTest::newRow("sans guillemets") << QByteArray("<wpt>\n<name>n</name>\n</wpt>") << u"|||n"_qs;
    QTest::newRow("deux guillemets") << QByteArray("<wpt lat=\"4\" lon=5>\n</wpt>") << u"4|||"_qs;
    QTest::newRow("trois guillemets")
        << QByteArray("<wpt lat=\"4\" lon=\"5>\n</wpt>") << u"4|||"_qs;
    QTest::newRow("balises sans fin")
        << QByteArray("<wpt lat=\"1\" lon=\"2\">\n<time>\n<name>ab\n<link\n<text>\n</wpt>")
        << u"1|2||"_qs;
    QTest::newRow("lien trop court")
        << QByteArray("<wpt lat=\"1\" lon=\"2\">\n<time>T</time>\n<link>\n<text>x</text>\n</wpt>")
        << u"1|2|T|(Sans nom)||x"_qs;
    QTest::newRow("wpt en fin de fichier") << QByteArray("<wpt") << u"|||"_qs;
    QTest::newRow("guillemet final") << QByteArray("<wpt \"") << u"|||"_qs;
    // Waypoint on one line: coordinates only. lon before lat: taken in order. A blank after
    // "</name>" moves the cut. "<wptx1:" and "<linkx" are not elements of ours.
    QTest::newRow("dispositions")
        << QByteArray("<wpt lat=\"1\" lon=\"2\"><time>T</time><name>Seul</name></wpt>\n"
                      "<wpt lon=\"-2.3\" lat=\"47.1\">\n<time>T2</time>\n<name>Nom</name> \n"
                      "<wptx1:Address>\n<linkx href=\"faux\">\n<link href=\"vrai\">\n</wpt>\n")
        << u"1|2||\n-2.3|47.1|T2|Nom<|vrai|"_qs;
    QTest::newRow("liens en UTF-8 ou Windows-1252")
        << Fichier(
               Point("1", "2", {}, "n",
                     {{"https://a.fr/\303\251t\303\251", "M\303\251t\303\251o"}, {"x", "Caf\351"}}))
        << u"1|2||n|https://a.fr/été|Météo|x|Café"_qs;
    // Links written whole on their line, as many GPX tools write them: the href between its
    // own quotes, whatever its place among the attributes, and the label of that line.
    QTest::newRow("liens sur une ligne")
        << Fichier(
               "<wpt lat=\"1\" lon=\"2\">\n<time>T</time>\n<name>n</name>\n"
               "  <link href=\"https://x.org/?a=1&amp;b=2\"><text>Tom &amp; Jerry</text></link>\n"
               "<link href=\"www.zero.com\"/>\n"
               "<link type=\"text/html\" href = 'a\"b>c' "
               "rel=\"x\"><text>T</text><type>y</type></link>\n"
               "<link href=\"p\"/><link xhref=\"non\" href=\"q\"><text>Q</text></link>\n"
               "</wpt>\n")
        << u"1|2|T|n|https://x.org/?a=1&amp;b=2|Tom &amp; Jerry|www.zero.com||a\"b>c|T|p||q|Q"_qs;
    QList<Lien> sept;
    for (int i = 1; i <= 7; ++i)
        sept.append({"u" + QByteArray::number(i), "l" + QByteArray::number(i)});
    QTest::newRow("cinq liens au plus")
        << Fichier(Point("1", "2", "T", "six", sept) + Point("3", "4", "T", "b", {{"v", "w"}}))
        << u"1|2|T|six|u1|l1|u2|l2|u3|l3|u4|l4|u5|l5\n3|4|T|b|v|w"_qs;
}

void TestLecture::dispositions() {
    QFETCH(QByteArray, contenu);
    QTEST(Pois(Lu(contenu)), "attendu");
}

void TestLecture::cent_points_au_plus() {
    QByteArray points;
    for (int i = 1; i <= 101; ++i)
        points += Point(QByteArray::number(i), "0", "T" + QByteArray::number(i),
                        "P" + QByteArray::number(i), {{"u" + QByteArray::number(i), "l"}});
    Magasin poi = Lu(Fichier(points));
    QCOMPARE(poi.Nb_POI, 100);
    QCOMPARE(Poi(poi, 100), u"100|0|T100|P100|u100|l");
    QCOMPARE(poi.POI_Courant, 101);
    QVERIFY(poi.Nom_POI[0].isEmpty());

    // A smaller capacity is kept too.
    poi = Magasin_Vide();
    poi.Max_POI = 3;
    Fichiers::Lire_Fichier(poi, Fichier(points));
    QCOMPARE(poi.Nb_POI, 3);
    QCOMPARE(Poi(poi, 3), u"3|0|T3|P3|u3|l");
    QCOMPARE(poi.Nom_POI[4], QString());
}

void TestLecture::texte_isole_en_case_0() {
    const Magasin poi =
        Lu("<wpt lat=\"1\" lon=\"2\">\n   <text>perdu</text>   \n  <link href=\"u\">  \n"
           "<text>gardé</text>\n</wpt>\n<text>dehors</text>\n");
    QCOMPARE(poi.Lien_Nom[1][0], u"perdu");
    QCOMPARE(Poi(poi, 1), u"1|2|||u|gardé");
}

void TestLecture::fichier_vide() {
    Magasin poi = Lu("<wpt lat=\"1\" lon=\"2\">\n<name>x</name>\n</wpt>\n");
    poi.Nb_Liens[1] = 3;
    Fichiers::Lire_Fichier(poi, QByteArrayView());
    QCOMPARE(poi.Nb_POI, 0);
    QCOMPARE(Poi(poi, 1), u"|||");
    QCOMPARE(poi.POI_Courant, 1);
}

// The substring search under the reader, empty texts and patterns included (an empty view
// has no data, which the C library's search must never be given).
void TestLecture::chercher_data() {
    QTest::addColumn<QByteArray>("texte");
    QTest::addColumn<QByteArray>("motif");
    QTest::addColumn<int>("depuis");
    QTest::addColumn<int>("position");
    QTest::newRow("texte vide") << QByteArray() << QByteArray("<wpt") << 0 << -1;
    QTest::newRow("motif vide") << QByteArray("abc") << QByteArray() << 1 << 1;
    QTest::newRow("tous deux vides") << QByteArray() << QByteArray() << 0 << 0;
    QTest::newRow("motif plus long") << QByteArray("<wp") << QByteArray("<wpt") << 0 << -1;
    QTest::newRow("en fin de texte") << QByteArray("a<wpt") << QByteArray("<wpt") << 1 << 1;
    QTest::newRow("après la position") << QByteArray("<wpt<wpt") << QByteArray("<wpt") << 1 << 4;
    QTest::newRow("au-delà du texte") << QByteArray("<wpt") << QByteArray("<wpt") << 5 << -1;
    QTest::newRow("position négative") << QByteArray("<wpt") << QByteArray("<wpt") << -1 << -1;
}

void TestLecture::chercher() {
    QFETCH(QByteArray, texte);
    QFETCH(QByteArray, motif);
    QFETCH(int, depuis);
    QTEST(int(Fichiers::Chercher(texte, motif, depuis)), "position");
}

QUILLVANE_TEST_MAIN(TestLecture)
#include "test_gpx_lecture.moc"
