// The GPX file layer: reading a file's bytes into the store, writing the store back in
// OpenCPN's layout, and re-pointing the file links of an opened file into its own folder.

#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "test_gpx_outils.h"

#include <QTemporaryDir>

namespace {

const QByteArray Opencpn = Reference(u"opencpn_linux.gpx"_qs);
const QByteArray Saisie = Reference(u"ecrit_saisie.gpx"_qs);

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
    // Every case of reference/ (its README tells what each one holds), and the sample shipped.
    void lecture_ecriture_data() {
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("attendu");
        const QString references = QStringLiteral(QUILLVANE_REFERENCES "/");
        const QStringList cas = QDir(references).entryList({u"*.gpx"_qs});
        QVERIFY(cas.size() >= 24); // the folder found
        for (const QString& f : cas)
            if (!f.startsWith(u"refus_"_qs)) // not GPX: never read (see the opening's tests)
                QTest::newRow(qPrintable(f)) << references + f << references + f.chopped(4);
        QTest::newRow("exemple") << QStringLiteral(QUILLVANE_DONNEES "/exemple/Ports_bretons.gpx")
                                 << references + u"exemple"_qs;
    }

    // Read, into a new store or a used one, a file gives the store of its .poi; written, the bytes
    // of its .ecrit, or its own bytes when the program wrote it. Written again, nothing changes; an
    // XML parser reads the names stored.
    void lecture_ecriture() {
        QFETCH(QString, fichier);
        QFETCH(QString, attendu);
        const QByteArray contenu = Lire(fichier);
        const Magasin poi = Lu(contenu);
        QCOMPARE(Pois(poi), QString::fromUtf8(Lire(attendu + u".poi"_qs)));
        QCOMPARE(poi.POI_Courant, poi.Nb_POI + 1);
        Magasin lu_avant = Lu(Opencpn); // nothing of a document read before shows through
        Fichiers::Lire_Fichier(lu_avant, contenu);
        for (int p = 1; p <= 4; ++p)
            QCOMPARE(Poi(lu_avant, p), Poi(poi, p));
        const QByteArray texte = Fichiers::Texte_GPX(poi);
        const QString ecrit = attendu + u".ecrit"_qs;
        QCOMPARE(texte, QFile::exists(ecrit) ? Lire(ecrit) : contenu);
        QCOMPARE(Fichiers::Texte_GPX(Lu(texte)), texte);
        const QList<Point_XML> xml = Points_XML(texte);
        QVERIFY(xml.size() >= poi.Nb_POI); // those beyond the store are kept
        for (int p = 0; p < poi.Nb_POI; ++p)
            QCOMPARE(xml[p].name, poi.Nom_POI[p + 1]);
    }

    // A well-formed file keeps, written back, every element at its place with its attributes and
    // text; only the names of the POIs may change by the reading's own rules (checked above).
    void elements_gardes_data() {
        QTest::addColumn<QByteArray>("contenu");
        const QString references = QStringLiteral(QUILLVANE_REFERENCES "/");
        int n = 0;
        for (const QString& f : QDir(references).entryList({u"*.gpx"_qs})) {
            const QByteArray contenu = Lire(references + f);
            const QStringList elements = Elements_XML(contenu);
            if (!elements.isEmpty() && elements.last().startsWith(u"gpx#1:"_qs))
                QTest::newRow(qPrintable(f)) << contenu, ++n;
        }
        QVERIFY(n >= 10);
    }

    void elements_gardes() {
        QFETCH(QByteArray, contenu);
        QStringList avant = Elements_XML(contenu);
        avant.removeIf([](const QString& e) {
            static const QRegularExpression nom(u"^gpx#1/wpt#([0-9]+)/name#1:"_qs);
            const QRegularExpressionMatch m = nom.match(e);
            return e.startsWith(u"gpx#1:"_qs) || (m.hasMatch() && m.captured(1).toInt() <= 100);
        });
        QStringList apres = Elements_XML(Fichiers::Texte_GPX(Lu(contenu)));
        std::sort(avant.begin(), avant.end());
        std::sort(apres.begin(), apres.end());
        QStringList perdus;
        std::set_difference(avant.begin(), avant.end(), apres.begin(), apres.end(),
                            std::back_inserter(perdus));
        QCOMPARE(perdus, QStringList());
    }

    // What a user types ("&", "<", ">" and quotes; a typed "&lt;" already stands for a
    // character), escaped. A full disk or a path through a regular file: the previous file
    // stays whole. Then the file is replaced, nothing left beside it.
    void saisie_ecrite_d_un_coup() {
        const QString nom = u"Tom & Jerry <3> \"ici\" &amp;"_qs, url = u"?a=1&b=2&c=\"q\"<"_qs;
        Magasin poi = Magasin_Vide();
        poi.Nb_POI = 1;
        Declarations::Ecrire_Fiche(
            poi, 1,
            {nom,
             u"2026-04-01T08:00:00Z"_qs,
             u"47.5"_qs,
             u"-3.1"_qs,
             1,
             Declarations::Liens{QString(), u"https://example.org/"_qs + url, u"oublié"_qs},
             Declarations::Liens{QString(), u"R&D <x> a]]>b &lt;"_qs},
             {}});
        poi.Nom_POI[2] = u"oublié"_qs; // beyond Nb_POI, like the second link
        QCOMPARE(Fichiers::Texte_GPX(poi), Saisie);
        const Point_XML lu = Points_XML(Saisie).value(0);
        QCOMPARE((QStringList{lu.name} << lu.href << lu.text),
                 (QStringList{nom, u"https://example.org/"_qs + url, u"R&D <x> a]]>b <"_qs}));

        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"Escales.gpx"_qs);
        Ecrire(chemin, Opencpn);
        {
            Disque::Limite_Taille_En_Erreur();
            Limite_Taille limite(100);
            QVERIFY(Fichiers::Ecrire_GPX(poi, chemin));
        }
        QVERIFY(Fichiers::Ecrire_GPX(poi, chemin + u"/Escales.gpx"_qs));
        QCOMPARE(Lire(chemin), Opencpn);
        QVERIFY(!Fichiers::Ecrire_GPX(poi, chemin));
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
