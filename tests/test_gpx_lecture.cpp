// Reading waypoints and links from a GPX file's bytes into the store.

#include "gpx/Lecture_GPX.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

using Magasin = Declarations::Declarations;

namespace {

struct Lien {
    QByteArray href, text;
};

// One waypoint in the writer's layout, lines ended by LF.
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

Magasin Lu(QByteArrayView contenu) {
    Magasin poi = Magasin_Vide();
    Fichiers::Lire_Fichier(poi, contenu);
    return poi;
}

} // namespace

class TestLecture : public QObject {
    Q_OBJECT
  private slots:
    void fins_de_ligne_data();
    void fins_de_ligne();
    void fichier_opencpn();
    void fichier_basecamp();
    void noms_data();
    void noms();
    void nom_windows1252_et_libelle_utf8();
    void lignes_mal_formees_data();
    void lignes_mal_formees();
    void cas_de_disposition();
    void cent_points_au_plus();
    void cinq_liens_au_plus();
    void texte_isole_en_case_0();
    void dates_en_double_ou_absentes();
    void fichier_vide();
};

void TestLecture::fins_de_ligne_data() {
    QTest::addColumn<QByteArray>("fin");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void TestLecture::fins_de_ligne() {
    QFETCH(QByteArray, fin);
    QByteArray contenu =
        Fichier(Point("47.1", "-2.3", "2026-03-05T14:03:07Z", "Un", {{"https://a.fr/", "A"}}) +
                Point("47.2", "-2.4", "2026-03-05T14:03:08Z", "Deux"));
    contenu.replace("\n", fin);
    const Magasin poi = Lu(contenu);
    QCOMPARE(poi.Nb_POI, 2);
    QCOMPARE(poi.Nom_POI[1], u"Un");
    QCOMPARE(poi.Lat_POI[2], u"47.2");
    QCOMPARE(poi.Long_POI[2], u"-2.4");
    QCOMPARE(poi.Date_POI[2], u"2026-03-05T14:03:08Z");
    QCOMPARE(poi.Nb_Liens[1], 1);
    QCOMPARE(poi.Lien_URL[1][1], u"https://a.fr/");
    QCOMPARE(poi.Lien_Nom[1][1], u"A");
    QCOMPARE(poi.Nb_Liens[2], 0);
    QCOMPARE(poi.POI_Courant, 3);
}

void TestLecture::fichier_opencpn() {
    // LF line ends, metadata stamped like the first mark, two marks in the same second,
    // a mark without time, a route and a track.
    for (const QByteArray& fin : {QByteArray("\n"), QByteArray("\r")}) {
        QByteArray contenu = Reference(QStringLiteral("opencpn_linux.gpx"));
        contenu.replace("\n", fin);
        const Magasin poi = Lu(contenu);
        QCOMPARE(poi.Nb_POI, 4);
        QCOMPARE(poi.Lat_POI[1], u"47.480833333");
        QCOMPARE(poi.Long_POI[1], u"-3.097500000");
        QCOMPARE(poi.Nom_POI[1], u"Port-Haliguen & Quiberon");
        QCOMPARE(poi.Nb_Liens[1], 2);
        QCOMPARE(poi.Lien_URL[1][1], u"https://www.example.org/haliguen?lang=fr&amp;v=2");
        QCOMPARE(poi.Lien_Nom[1][1], u"Capitainerie");
        QCOMPARE(poi.Lien_URL[1][2], u"file:///home/marc/Notes/Haliguen.txt");
        QCOMPARE(poi.Lien_Nom[1][2], u"Notes");
        QCOMPARE(poi.Nom_POI[2], u"Pointe du Grouin");
        QCOMPARE(poi.Lien_Nom[2][1], u"Wikipédia");
        QCOMPARE(poi.Date_POI[3], poi.Date_POI[2]);
        QCOMPARE(poi.Nb_Liens[3], 1);
        QCOMPARE(poi.Lien_URL[3][1], u"https://meteo.example.org/grouin");
        QCOMPARE(poi.Nom_POI[4], u"Pré Roche");
        QCOMPARE(poi.Date_POI[4], QString());
        QCOMPARE(poi.Nb_Liens[4], 1);
        QCOMPARE(poi.Lien_Nom[4][1], u"Pré Roche");
        QCOMPARE(poi.POI_Courant, 5);
    }
}

void TestLecture::fichier_basecamp() {
    const Magasin poi = Lu(Reference(QStringLiteral("basecamp.gpx")));
    QCOMPARE(poi.Nb_POI, 2);
    QCOMPARE(poi.Nom_POI[1], u"Écluse Saint-Félix");
    QCOMPARE(poi.Lat_POI[1], u"47.212345");
    QCOMPARE(poi.Nb_Liens[1], 0);
    QCOMPARE(poi.Nom_POI[2], u"Bouée Basse");
    QCOMPARE(poi.Nb_Liens[2], 1);
    QCOMPARE(poi.Lien_Nom[2][1], u"Fiche");
}

void TestLecture::noms_data() {
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QByteArray>("brut");
    QTest::addColumn<QString>("nom");
    const QByteArray t = "2026-03-05T14:03:07Z";
    const QByteArray sans; // no time line at all
    QTest::newRow("%20") << t << QByteArray("Pointe%20du%20Grouin") << u"Pointe du Grouin"_qs;
    QTest::newRow("UTF-8") << t
                           << QByteArray("\xc3\x89"
                                         "cluse")
                           << u"Écluse"_qs;
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
        << sans << QByteArray("Pr\xc3\xa9 &amp; Roche") << u"Pré & Roche"_qs;
}

void TestLecture::noms() {
    QFETCH(QByteArray, time);
    QFETCH(QByteArray, brut);
    QFETCH(QString, nom);
    const Magasin poi = Lu(Fichier(Point("1", "2", time, brut)));
    QCOMPARE(poi.Nb_POI, 1);
    QCOMPARE(poi.Nom_POI[1], nom);
}

void TestLecture::nom_windows1252_et_libelle_utf8() {
    const Magasin poi = Lu(Fichier(
        Point("1", "2", "2026-03-05T14:03:07Z",
              "\xc9"
              "cluse \x80",
              {{"https://a.fr/\xc3\xa9t\xc3\xa9", "M\xc3\xa9t\xc3\xa9o"}, {"x", "Caf\xe9"}}) +
        Point("3", "4", QByteArray(), "\xc9t\xe9")));
    QCOMPARE(poi.Nom_POI[1], u"Écluse €");
    QCOMPARE(poi.Lien_URL[1][1], u"https://a.fr/été");
    QCOMPARE(poi.Lien_Nom[1][1], u"Météo");
    QCOMPARE(poi.Lien_Nom[1][2], u"Café");
    QCOMPARE(poi.Nom_POI[2], u"Été");
    for (int i = 1; i <= 2; ++i)
        QVERIFY(!poi.Nom_POI[i].contains(QChar::ReplacementCharacter));
}

void TestLecture::lignes_mal_formees_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("texte");
    QTest::newRow("sans guillemets") << QByteArray("<wpt>\n<name>n</name>\n</wpt>") << ""
                                     << ""
                                     << ""
                                     << "n"
                                     << ""
                                     << "";
    QTest::newRow("deux guillemets") << QByteArray("<wpt lat=\"4\" lon=5>\n</wpt>") << "4"
                                     << ""
                                     << ""
                                     << ""
                                     << ""
                                     << "";
    QTest::newRow("trois guillemets") << QByteArray("<wpt lat=\"4\" lon=\"5>\n</wpt>") << "4"
                                      << ""
                                      << ""
                                      << ""
                                      << ""
                                      << "";
    QTest::newRow("balises sans fin")
        << QByteArray("<wpt lat=\"1\" lon=\"2\">\n<time>\n<name>ab\n<link\n<text>\n</wpt>") << "1"
        << "2"
        << ""
        << ""
        << ""
        << "";
    QTest::newRow("lien trop court")
        << QByteArray("<wpt lat=\"1\" lon=\"2\">\n<time>T</time>\n<link>\n<text>x</text>\n</wpt>")
        << "1"
        << "2"
        << "T"
        << "(Sans nom)"
        << ""
        << "x";
    QTest::newRow("wpt en fin de fichier sans fin de ligne") << QByteArray("<wpt") << ""
                                                             << ""
                                                             << ""
                                                             << ""
                                                             << ""
                                                             << "";
    QTest::newRow("guillemet final") << QByteArray("<wpt \"") << ""
                                     << ""
                                     << ""
                                     << ""
                                     << ""
                                     << "";
}

void TestLecture::lignes_mal_formees() {
    QFETCH(QByteArray, contenu);
    const Magasin poi = Lu(contenu);
    QCOMPARE(poi.Nb_POI, 1);
    QTEST(poi.Lat_POI[1], "lat");
    QTEST(poi.Long_POI[1], "lon");
    QTEST(poi.Date_POI[1], "date");
    QTEST(poi.Nom_POI[1], "nom");
    QTEST(poi.Lien_URL[1][1], "url");
    QTEST(poi.Lien_Nom[1][1], "texte");
}

void TestLecture::cas_de_disposition() {
    // Waypoint on one line: coordinates only. lon before lat: taken in order. A blank after
    // "</name>" moves the cut. "<wptx1:" and "<linkx" are not elements of ours.
    const Magasin poi =
        Lu("<wpt lat=\"1\" lon=\"2\"><time>T</time><name>Seul</name></wpt>\n"
           "<wpt lon=\"-2.3\" lat=\"47.1\">\n<time>T2</time>\n<name>Nom</name> \n"
           "<wptx1:Address>\n<linkx href=\"faux\">\n<link href=\"vrai\">\n</wpt>\n");
    QCOMPARE(poi.Nb_POI, 2);
    QCOMPARE(poi.Lat_POI[1], u"1");
    QCOMPARE(poi.Nom_POI[1], QString());
    QCOMPARE(poi.Date_POI[1], QString());
    QCOMPARE(poi.Lat_POI[2], u"-2.3");
    QCOMPARE(poi.Long_POI[2], u"47.1");
    QCOMPARE(poi.Nom_POI[2], u"Nom<");
    QCOMPARE(poi.Nb_Liens[2], 1);
    QCOMPARE(poi.Lien_URL[2][1], u"vrai");
}

void TestLecture::cent_points_au_plus() {
    QByteArray points;
    for (int i = 1; i <= 101; ++i)
        points += Point(QByteArray::number(i), "0",
                        "2026-01-01T00:" + QByteArray::number(100 + i).right(2) + ":00Z",
                        "P" + QByteArray::number(i), {{"u" + QByteArray::number(i), "l"}});
    Magasin poi = Lu(Fichier(points));
    QCOMPARE(poi.Nb_POI, 100);
    QCOMPARE(poi.Nom_POI[100], u"P100");
    QCOMPARE(poi.Lien_URL[100][1], u"u100");
    QCOMPARE(poi.Nb_Liens[100], 1);
    QCOMPARE(poi.POI_Courant, 101);
    QVERIFY(poi.Nom_POI[0].isEmpty());

    // A smaller capacity is kept too.
    poi = Magasin_Vide();
    poi.Max_POI = 3;
    Fichiers::Lire_Fichier(poi, Fichier(points));
    QCOMPARE(poi.Nb_POI, 3);
    QCOMPARE(poi.Nb_Liens[3], 1);
    QCOMPARE(poi.Nom_POI[4], QString());
}

void TestLecture::cinq_liens_au_plus() {
    QList<Lien> liens;
    for (int i = 1; i <= 7; ++i)
        liens.append({"u" + QByteArray::number(i), "l" + QByteArray::number(i)});
    const Magasin poi = Lu(Fichier(Point("1", "2", "T", "six", liens) +
                                   Point("3", "4", "T9", "suivant", {{"v", "w"}})));
    QCOMPARE(poi.Nb_Liens[1], 5);
    QCOMPARE(poi.Lien_URL[1][5], u"u5");
    QCOMPARE(poi.Lien_Nom[1][5], u"l5");
    QCOMPARE(poi.Nb_Liens[2], 1);
    QCOMPARE(poi.Lien_URL[2][1], u"v");
}

void TestLecture::texte_isole_en_case_0() {
    const Magasin poi =
        Lu("<wpt lat=\"1\" lon=\"2\">\n   <text>perdu</text>   \n  <link href=\"u\">  \n"
           "<text>gardé</text>\n</wpt>\n<text>dehors</text>\n");
    QCOMPARE(poi.Lien_Nom[1][0], u"perdu");
    QCOMPARE(poi.Nb_Liens[1], 1);
    QCOMPARE(poi.Lien_URL[1][1], u"u");
    QCOMPARE(poi.Lien_Nom[1][1], u"gardé");
}

void TestLecture::dates_en_double_ou_absentes() {
    // The same stamp twice, a stamp also in the metadata, a mark without stamp: each keeps
    // its own links.
    const Magasin poi = Lu(Fichier(
        "<metadata>\n<time>T</time>\n<link href=\"meta\">\n</metadata>\n" +
        Point("1", "1", "T", "a", {{"ua", "la"}}) + Point("2", "2", "T", "b", {{"ub", "lb"}}) +
        Point("3", "3", QByteArray(), "c", {{"uc", "lc"}}) + Point("4", "4", "", "d")));
    QCOMPARE(poi.Nb_POI, 4);
    QCOMPARE(poi.Lien_URL[1][1], u"ua");
    QCOMPARE(poi.Lien_URL[2][1], u"ub");
    QCOMPARE(poi.Lien_URL[3][1], u"uc");
    QCOMPARE(poi.Nb_Liens[4], 0);
    QCOMPARE(poi.Nom_POI[4], u"d");
}

void TestLecture::fichier_vide() {
    Magasin poi = Lu("<wpt lat=\"1\" lon=\"2\">\n<name>x</name>\n</wpt>\n");
    poi.Nb_Liens[1] = 3;
    Fichiers::Lire_Fichier(poi, QByteArrayView());
    QCOMPARE(poi.Nb_POI, 0);
    QCOMPARE(poi.Nom_POI[1], QString());
    QCOMPARE(poi.Nb_Liens[1], 0);
    QCOMPARE(poi.POI_Courant, 1);
}

QUILLVANE_TEST_MAIN(TestLecture)
#include "test_gpx_lecture.moc"
