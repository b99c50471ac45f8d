// The GPX file layer: reading a file's bytes into the store, writing the store back in
// OpenCPN's layout, and re-pointing the file links of an opened file into its own folder.

#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/Lignes.h"
#include "test_gpx_outils.h"

#include <QTemporaryDir>

namespace {

using Liens = QList<std::pair<QByteArray, QByteArray>>;

// One waypoint in the layout OpenCPN writes, lines ended by LF; a null time writes no line.
QByteArray Point(const QByteArray& nom, const QByteArray& time = "T", const Liens& liens = {},
                 const QByteArray& lat = "1") {
    QByteArray t = "\t<wpt lat=\"" + lat + "\" lon=\"2\">\n";
    if (!time.isNull())
        t += "\t\t<time>" + time + "</time>\n";
    t += "\t\t<name>" + nom + "</name>\n";
    for (const auto& [href, texte] : liens)
        t += "\t\t<link href=\"" + href + "\">\n\t\t\t<text>" + texte + "</text>\n\t\t</link>\n";
    return t + "\t\t<sym>anchorage</sym>\n\t</wpt>\n";
}

const QByteArray Opencpn = Reference(u"opencpn_linux.gpx"_qs);
const QByteArray Exemple = Lire(QStringLiteral(QUILLVANE_DONNEES "/exemple/Ports_bretons.gpx"));
const QByteArray Saisie = Reference(u"ecrit_saisie.gpx"_qs);

// Metadata stamped like the first mark, two marks in the same second, a mark without time, a
// route and a track: each mark keeps its own links.
const QString Pois_Opencpn =
    u"47.480833333|-3.097500000|2026-03-05T14:03:07Z|Port-Haliguen & Quiberon|"
    u"https://www.example.org/haliguen?lang=fr&amp;v=2|Capitainerie|"
    u"file:///home/marc/Notes/Haliguen.txt|Notes\n47.270000000|-2.210000000|2026-03-05T14:05:00Z|"
    u"Pointe du Grouin|https://fr.wikipedia.org/wiki/Pointe_du_Grouin|Wikipédia\n47.260000000|"
    u"-2.200000000|2026-03-05T14:05:00Z|Mouillage du Grouin|https://meteo.example.org/grouin|"
    u"Météo\n47.100000000|-2.050000000||Pré Roche|https://example.org/pre-roche|Pré Roche"_qs;

// A file read gives `pois` (unless null); written, it holds `ecrit` (the whole file when it
// is one).
const struct {
    const char* nom;
    QByteArray contenu;
    QString pois;
    QByteArray ecrit = {};
} Lectures[] = {
    {"OpenCPN, LF", Opencpn, Pois_Opencpn},
    {"OpenCPN, CR LF", QByteArray(Opencpn).replace("\n", "\r\n"), Pois_Opencpn},
    {"OpenCPN, CR", QByteArray(Opencpn).replace("\n", "\r"), Pois_Opencpn},
    // "<wptx1:...>" extensions are not waypoints.
    {"BaseCamp", Reference(u"basecamp.gpx"_qs),
     u"47.212345|-1.553210|2026-03-04T09:12:44Z|Écluse Saint-Félix\n47.250000|-2.200000|"
     u"2026-03-04T09:20:01Z|Bouée Basse|https://example.org/bouee|Fiche"_qs},
    // Written by the program (no links, five links, an empty time, escapes), and the sample
    // shipped: the same bytes come back.
    {"vide", Reference(u"ecrit_vide.gpx"_qs), {}, Reference(u"ecrit_vide.gpx"_qs)},
    {"complet", Reference(u"ecrit_complet.gpx"_qs), {}, Reference(u"ecrit_complet.gpx"_qs)},
    {"exemple", Exemple, {}, Exemple},
    // Names: "%20" and "(Sans nom)" only for a mark with a time, references decoded last,
    // other encodings written back in UTF-8.
    {"%20", Point("Pointe%20du%20Grouin"), u"1|2|T|Pointe du Grouin"_qs},
    {"Windows-1252", Point("\311cluse \200", "T", {{"x", "Caf\351"}}), u"1|2|T|Écluse €|x|Café"_qs,
     "<name>\303\211cluse \342\202\254</name>\r\n\t\t<link href=\"x\">\r\n"
     "\t\t\t<text>Caf\303\251</text>\r\n"},
    {"vide daté", Point(""), u"1|2|T|(Sans nom)"_qs},
    {"entités", Point("a &amp; b &lt;c&gt; &quot;d&quot; &apos;e&apos;"),
     u"1|2|T|a & b <c> \"d\" 'e'"_qs, "<name>a &amp; b &lt;c&gt; &quot;d&quot; 'e'</name>"},
    {"numériques", Point("&#201;cluse &#x20AC; &#x1F6A2; &#X41; &#x1f6a2;"),
     u"1|2|T|Écluse € \U0001F6A2 &#X41; \U0001F6A2"_qs},
    {"inconnues",
     Point(
         "&nbsp; &#0; &amp &#x; &#; &#6a; &#x1g; &#+65; &# 65; &#0000000000000000000000000000065;"),
     u"1|2|T|&nbsp; &#0; &amp &#x; &#; &#6a; &#x1g; &#+65; &# 65; &#0000000000000000000000000000065;"_qs},
    {"permises en XML",
     Point("&#8;&#9;&#xB;&#xD;&#x1F;&#x20;&#xD7FF;&#xD800;&#xDFFF;&#xE000;&#xFFFD;&#xFFFE;"
           "&#x10000;&#x10FFFF;&#x110000;&#000000000000000000000000000065;"),
     u"1|2|T|&#8;\t&#xB;\r&#x1F; \uD7FF&#xD800;&#xDFFF;\uE000\uFFFD&#xFFFE;\U00010000"
     u"\U0010FFFF&#x110000;A"_qs},
    {"fins de ligne, %20", Point("&#10;a&#13;b&#37;20c"), u"1|2|T|\na\rb%20c"_qs,
     "<name>&#10;a&#13;b&#37;20c</name>"},
    {"sans heure, vide", Point("", {}), u"1|2||"_qs},
    {"sans heure", Point("a%20b &amp; \311t\351", {}), u"1|2||a%20b & Été"_qs,
     "<time></time>\r\n\t\t<name>a%20b &amp; \303\211t\303\251</name>"},
    {"jamais fermé", "<wpt lat=\"1\" lon=\"2\">\n<time>T</time>\n<name>a%20b</name>\n",
     u"1|2|T|a%20b"_qs},
    // Short or malformed lines: the missing values are empty.
    {"sans fins", "<wpt\tlat=\"1\" lon=\"2\">\n<time>\n<name>ab\n<link\n<text>\n</wpt>",
     u"1|2||"_qs},
    {"lien trop court", "<wpt lat=\"1\" lon=\"2\">\n<time>T</time>\n<link>\n<text>x</text>\n</wpt>",
     u"1|2|T|(Sans nom)||x"_qs},
    {"wpt en fin", "<wpt", u"|||"_qs},
    // Waypoint on one line: coordinates only. lon before lat: taken in order. A blank after
    // "</name>" moves the cut. "<wptx1:" and "<linkx" are not elements of ours.
    {"dispositions",
     "<wpt lat=\"1\" lon=\"2\"><time>T</time><name>Seul</name></wpt>\n"
     "<wpt lon=\"-2.3\" lat=\"47.1\">\n<time>T2</time>\n<name>Nom</name> \n"
     "<wptx1:Address>\n<linkx href=\"faux\">\n<link href=\"vrai\">\n</wpt>\n",
     u"1|2||\n-2.3|47.1|T2|Nom<|vrai|"_qs},
    // Links written whole on their line, as many GPX tools write them: the href between its own
    // quotes, whatever its place among the attributes, and the label of that line; "]]>" and
    // quotes escaped where XML needs it.
    {"liens sur une ligne",
     "<wpt lat=\"1\" lon=\"2\">\n<time>T</time>\n<name>n</name>\n"
     "  <link href=\"https://x.org/?a=1&amp;b=2\"><text>Tom &amp; Jerry</text></link>\n"
     "<link href=\"www.zero.com\"/><link\n<link type=\"text/html\" href = 'a\"b>c' rel=\"x\">"
     "<text>]]> ]> ]x></text><type>y</type></link>\n"
     "<link href=\"p\"/><link xhref=\"non\" href=\"q\"><text>Q</text></link>\n</wpt>\n",
     u"1|2|T|n|https://x.org/?a=1&amp;b=2|Tom &amp; Jerry|www.zero.com||a\"b>c|]]> ]> ]x>|p||q|Q"_qs,
     "<link href=\"www.zero.com\">\r\n\t\t\t<text></text>\r\n\t\t</link>\r\n\t\t"
     "<link href=\"a&quot;b>c\">\r\n\t\t\t<text>]]&gt; ]> ]x></text>\r\n"},
    {"cinq liens au plus",
     Point("six", "T", {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"5", "e"}, {"6", "f"}}) +
         Point("b", "T", {{"v", "w"}}, "3"),
     u"1|2|T|six|1|a|2|b|3|c|4|d|5|e\n3|2|T|b|v|w"_qs},
};

// Each file re-pointed into `dossier`; the next opening leaves the result as it is.
#define D "file:///b/"
const QByteArray Cible = "file:///home/marc/Notes/Haliguen.txt";
const struct {
    const char* nom;
    QByteArray entree, sortie;
    bool repointe = true; // a target points elsewhere now
    QString dossier = u"/b/"_qs;
} Reperages[] = {
    {"lien Windows", "\t<x href=\"file://C:\\E\\N.txt\">", "\t<x href=\"" D "N.txt\">\r\n"},
    {"lien en /", "<x href=\"file:///C:/E/N.txt\">", "<x href=\"" D "N.txt\">\r\n"},
    {"sans dossier", "<x href=\"file://N.txt\">", "<x href=\"" D "N.txt\">\r\n"},
    {"web avant", "<a href=\"http://x/a/b\"/><x href=\"file:///a/b\">",
     "<a href=\"http://x/a/b\"/><x href=\"" D "b\">\r\n"},
    {"le second déjà là", "<x href='file://C:\\a\\u'/>" D "d", "<x href='" D "u'/>" D "d\r\n"},
    {"déjà là, LF", "<x href=\"" D "N.txt\">\n", "<x href=\"" D "N.txt\">\r\n", false},
    {"un dossier de plus", "<x href=\"" D "x/N.txt\">\r\n", "<x href=\"" D "N.txt\">\r\n"},
    {"jusqu'à la fin de ligne", "voir file://D:\\x\\y z.txt", "voir " D "y z.txt\r\n"},
    {"cible vide", "file://\"", D "\"\r\n"},
    {"sans lien, LF", "<a>\n\t<b \xe9>\n</a>", "<a>\r\n\t<b \xe9>\r\n</a>\r\n", false},
    {"CR et mélanges", "a\rb\r\n\r\nc\n", "a\r\nb\r\n\r\nc\r\n", false},
    {"vide", {}, {}, false},
    {"plusieurs lignes", "file://a/1\nrien\nfile://b\\2\n", D "1\r\nrien\r\n" D "2\r\n"},
    // Quotes, line ends and backslashes of the folder, a quote of the other kind inside a
    // quoted target: the target is re-pointed whole.
    {"apostrophe du dossier", "<x href=\"file://C:\\N\">", "<x href=\"file:///a&apos;b/N\">\r\n",
     true, u"/a'b/"_qs},
    {"apostrophe entre guillemets", "<x href=\"file:///a'b/N\">", "<x href=\"" D "N\">\r\n"},
    {"guillemet entre apostrophes", "<x href='file:///a \"b\"/N'/>", "<x href='" D "N'/>\r\n"},
    {"barre inverse du dossier", "<x href=\"file://C:\\N\">", "<x href=\"file:///a&#92;b/N\">\r\n",
     true, u"/a\\b/"_qs},
    {"fins de ligne du dossier", "<x href=\"file://C:\\N\">",
     "<x href=\"file:///a&#10;b&#13;/N\">\r\n", true, u"/a\nb\r/"_qs},
    // Several waypoints on one line: every byte is kept but the two targets (the one of the
    // description, then the link's). A folder with "&", "<", quotes and accents.
    {"fichier sur une ligne", QByteArray(Opencpn).replace("\n", ""),
     QByteArray(Opencpn).replace("\n", "").replace(Cible, D "Haliguen.txt") + "\r\n"},
    {"dossier avec & et accents", Opencpn,
     QByteArray(Opencpn)
         .replace("\n", "\r\n")
         .replace(Cible, "file:///T &amp; J &lt;&quot;\xc3\xa9t\xc3\xa9&quot;>/Haliguen.txt"),
     true, u"/T & J <\"été\">/"_qs},
};
#undef D

} // namespace

class TestGpx : public QObject {
    Q_OBJECT
  private slots:
    void lecture_ecriture_data() { Rangees(Lectures); }

    // Read and written again, a file keeps its bytes; an XML parser reads the names stored.
    void lecture_ecriture() {
        QFETCH(int, i);
        const Magasin poi = Lu(Lectures[i].contenu);
        if (!Lectures[i].pois.isNull())
            QCOMPARE(Pois(poi), Lectures[i].pois);
        QCOMPARE(poi.POI_Courant, poi.Nb_POI + 1);
        const QByteArray texte = Fichiers::Texte_GPX(poi);
        if (Lectures[i].ecrit.startsWith("<?xml"))
            QCOMPARE(texte, Lectures[i].ecrit);
        QVERIFY2(texte.contains(Lectures[i].ecrit), texte.constData());
        QCOMPARE(Fichiers::Texte_GPX(Lu(texte)), texte);
        const QList<Point_XML> xml = Points_XML(texte);
        QCOMPARE(xml.size(), poi.Nb_POI);
        for (int p = 0; p < xml.size(); ++p)
            QCOMPARE(xml[p].name, poi.Nom_POI[p + 1]);
    }

    // At most Max_POI waypoints, and never beyond the tables.
    void capacite() {
        QByteArray points;
        for (int i = 1; i <= 101; ++i) {
            const QByteArray n = QByteArray::number(i);
            points += Point("P" + n, "T" + n, {{"u" + n, "l"}}, n);
        }
        const int cas[][2] = {{100, 100}, {3, 3}, {0, 0}, {-1, 0}, {101, 100}};
        for (const auto& [max, nb] : cas) {
            Magasin poi = Magasin_Vide();
            poi.Max_POI = qint16(max);
            Fichiers::Lire_Fichier(poi, points);
            QCOMPARE(poi.Nb_POI + poi.POI_Courant, 2 * nb + 1);
            QCOMPARE(Poi(poi, nb), nb ? u"%1|2|T%1|P%1|u%1|l"_qs.arg(nb) : u"|||"_qs);
        }
    }

    // A label outside any link goes to slot 0, never shown; an empty file empties the store.
    void texte_isole_et_fichier_vide() {
        Magasin poi =
            Lu("<wpt lat=\"1\" lon=\"2\">\n   <text>perdu</text>   \n"
               "  <link href=\"u\">  \n<text>gardé</text>\n</wpt>\n<text>dehors</text>\n");
        QCOMPARE(Pois(poi) + poi.Lien_Nom[1][0], u"1|2|||u|gardéperdu");
        Fichiers::Lire_Fichier(poi, QByteArrayView());
        QCOMPARE(Poi(poi, 1) + poi.Lien_Nom[1][0], u"|||");
        QCOMPARE(poi.Nb_POI + poi.POI_Courant, 1);
    }

    // The search under the reader: empty texts and patterns included (an empty view has no
    // data, which the C library's search must never be given).
    void chercher() {
        const struct {
            QByteArrayView texte, motif;
            int depuis, position;
        } cas[] = {{{}, "<wpt", 0, -1},     {"abc", {}, 1, 1},       {{}, {}, 0, 0},
                   {"<wp", "<wpt", 0, -1},  {"a<wpt", "<wpt", 1, 1}, {"<wpt<wpt", "<wpt", 1, 4},
                   {"<wpt", "<wpt", 5, -1}, {"<wpt", "<wpt", -1, -1}};
        for (const auto& c : cas)
            QCOMPARE(int(Fichiers::Chercher(c.texte, c.motif, c.depuis)), c.position);
    }

    // What a user types ("&", "<", ">" and quotes; a typed "&lt;" already stands for a
    // character), escaped. A full disk, a folder where the file should be, a path through a
    // regular file, a device not open: the previous file stays whole. Then the file is
    // replaced, nothing left beside it.
    void saisie_ecrite_d_un_coup() {
        const QString nom = u"Tom & Jerry <3> \"ici\" &amp;"_qs, url = u"?a=1&b=2&c=\"q\"<"_qs;
        Magasin poi = Lu(Point("", "2026-04-01T08:00:00Z", {{"", ""}, {"oublié", ""}}, "47.5"));
        poi.Long_POI[1] = u"-3.1"_qs;
        poi.Nom_POI[1] = nom;
        poi.Lien_URL[1][1] = u"https://example.org/"_qs + url;
        poi.Lien_Nom[1][1] = u"R&D <x> a]]>b &lt;"_qs;
        poi.Nb_Liens[1] = 1;
        poi.Nom_POI[2] = u"oublié"_qs; // beyond Nb_POI, like the second link
        QCOMPARE(Fichiers::Texte_GPX(poi), Saisie);
        QCOMPARE(Fichiers::Texte_GPX(Lu(Saisie)), Saisie);
        const Point_XML lu = Points_XML(Saisie).value(0);
        QCOMPARE((QStringList{lu.name} << lu.href << lu.text),
                 (QStringList{nom, u"https://example.org/"_qs + url, u"R&D <x> a]]>b <"_qs}));

        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"Escales.gpx"_qs);
        Ecrire(chemin, Opencpn);
        {
            Limite_Taille limite(100);
            QVERIFY(!Fichiers::Ecrire_GPX(poi, chemin));
        }
        QVERIFY(QDir(dossier.path()).mkdir(u"dossier.gpx"_qs));
        QVERIFY(!Fichiers::Ecrire_GPX(poi, dossier.filePath(u"dossier.gpx"_qs)));
        QVERIFY(!Fichiers::Ecrire_GPX(poi, chemin + u"/Escales.gpx"_qs));
        QCOMPARE(Lire(chemin), Opencpn);
        QVERIFY(Fichiers::Ecrire_GPX(poi, chemin));
        QCOMPARE(Lire(chemin), Saisie);
        QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{u"Escales.gpx"_qs});

        // Counts beyond the tables write what the tables hold.
        poi.Nb_POI = 101;
        poi.Nb_Liens[1] = 6;
        const QList<Point_XML> cent = Points_XML(Fichiers::Texte_GPX(poi));
        QCOMPARE(cent.size() + cent[0].href.size(), 105);
    }

    void reperage_data() { Rangees(Reperages); }

    void reperage() {
        QFETCH(int, i);
        const auto& [nom, entree, sortie, repointe, dossier] = Reperages[i];
        bool dit = !repointe; // must be set either way
        QCOMPARE(Fichiers::Corriger_Liens_Fichier(entree, dossier, &dit), sortie);
        QCOMPARE(dit, repointe);
        QCOMPARE(Fichiers::Corriger_Liens_Fichier(sortie, dossier, &dit), sortie);
        QCOMPARE(dit, false);
    }
};

QTEST_GUILESS_MAIN(TestGpx)
#include "test_gpx.moc"
