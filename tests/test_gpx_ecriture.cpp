// Writing the store in OpenCPN's layout: exact bytes, well-formed XML, atomic replacement.

#include "gpx/Ecriture_GPX.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

#include <QTemporaryDir>

namespace {

// What a user types: "&", "<", ">" and quotes in a name, a label and an address.
Magasin Saisie() {
    Magasin poi = Magasin_Vide();
    poi.Nb_POI = 1;
    poi.Lat_POI[1] = u"47.5"_qs;
    poi.Long_POI[1] = u"-3.1"_qs;
    poi.Date_POI[1] = u"2026-04-01T08:00:00Z"_qs;
    poi.Nom_POI[1] = u"Tom & Jerry <3> \"ici\" &amp;"_qs;
    poi.Nb_Liens[1] = 1;
    poi.Lien_URL[1][1] = u"https://example.org/?a=1&b=2&c=\"q\"<"_qs;
    poi.Lien_Nom[1][1] = u"R&D <x> a]]>b &lt;"_qs;
    // Slots above the count and POIs above Nb_POI are never written.
    poi.Lien_URL[1][2] = u"oublié"_qs;
    poi.Nom_POI[2] = u"oublié"_qs;
    return poi;
}

} // namespace

class TestEcriture : public QObject {
    Q_OBJECT
  private slots:
    void aller_retour_octet_pour_octet_data();
    void aller_retour_octet_pour_octet();
    void liens_sur_une_ligne();
    void saisie_echappee();
    void stable_apres_une_ecriture_data();
    void stable_apres_une_ecriture();
    void windows1252_reecrit_en_utf8();
    void fichier_remplace_d_un_coup();
};

void TestEcriture::aller_retour_octet_pour_octet_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("points");
    QTest::newRow("vide") << u"ecrit_vide.gpx"_qs << 0;
    // No links, five links, an empty time stamp, accents, escaped names and labels.
    QTest::newRow("complet") << u"ecrit_complet.gpx"_qs << 4;
}

void TestEcriture::aller_retour_octet_pour_octet() {
    QFETCH(QString, reference);
    QFETCH(int, points);
    const QByteArray attendu = Reference(reference);
    const Magasin poi = Lu(attendu);
    QCOMPARE(poi.Nb_POI, points);
    const QByteArray ecrit = Fichiers::Texte_GPX(poi);
    QCOMPARE(ecrit, attendu);
    QCOMPARE(Points_XML(ecrit).size(), points);
}

// Links written whole on one line keep every href and label through a save, as an XML
// reader sees them, and the second save writes the same bytes as the first.
void TestEcriture::liens_sur_une_ligne() {
    const QByteArray lu =
        "<gpx>\n<wpt lat=\"1\" lon=\"2\">\n<time>T</time>\n<name>n</name>\n"
        "<link href=\"https://x.org/?a=1&amp;b=2\"><text>Tom &amp; Jerry</text>"
        "</link>\n<link href=\"www.zero.com\"/>\n"
        "<link rel=\"x\" href='a\"b'><text>&lt;c&gt;</text></link>\n</wpt>\n</gpx>\n";
    const QByteArray ecrit = Fichiers::Texte_GPX(Lu(lu));
    const QList<Point_XML> avant = Points_XML(lu), apres = Points_XML(ecrit);
    QCOMPARE(apres.size(), 1);
    QCOMPARE(apres[0].href, avant[0].href);
    QCOMPARE(apres[0].text, (QStringList{u"Tom & Jerry"_qs, QString(), u"<c>"_qs}));
    QCOMPARE(Fichiers::Texte_GPX(Lu(ecrit)), ecrit);
}

void TestEcriture::saisie_echappee() {
    Magasin poi = Saisie();
    const QByteArray ecrit = Fichiers::Texte_GPX(poi);
    QCOMPARE(ecrit, Reference(u"ecrit_saisie.gpx"_qs));
    const QList<Point_XML> points = Points_XML(ecrit);
    QCOMPARE(points.size(), 1);
    QCOMPARE(points[0].name, poi.Nom_POI[1]);
    QCOMPARE(points[0].href, QStringList{poi.Lien_URL[1][1]});
    // A typed "&lt;" already stands for a character: it is kept as it is.
    QCOMPARE(points[0].text, QStringList{u"R&D <x> a]]>b <"_qs});

    // Read back, the name is the one typed and the other fields are the bytes written.
    QCOMPARE(Fichiers::Texte_GPX(Lu(ecrit)), ecrit);

    poi.Nom_POI[1].clear();
    QVERIFY(Fichiers::Texte_GPX(poi).contains("\t\t<name></name>\r\n"));
}

// Names that a first write used to change again at the next reading.
void TestEcriture::stable_apres_une_ecriture_data() {
    QTest::addColumn<QByteArray>("point");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QByteArray>("ligne");
    QTest::newRow("fins de ligne") << QByteArray("<time>T</time>\n<name>&#10;a&#13;b</name>")
                                   << u"\na\rb"_qs << QByteArray("<name>&#10;a&#13;b</name>");
    QTest::newRow("%20 d'un nom daté") << QByteArray("<time>T</time>\n<name>a&#37;20b</name>")
                                       << u"a%20b"_qs << QByteArray("<name>a&#37;20b</name>");
    // Without a time the reader keeps "%20": the bytes stay as they were.
    QTest::newRow("%20 d'un nom sans heure")
        << QByteArray("<name>a%20b</name>") << u"a%20b"_qs << QByteArray("<name>a%20b</name>");
}

void TestEcriture::stable_apres_une_ecriture() {
    QFETCH(QByteArray, point);
    QFETCH(QString, nom);
    QFETCH(QByteArray, ligne);
    const Magasin lu = Lu("<wpt lat=\"1\" lon=\"2\">\n" + point + "\n</wpt>\n");
    QCOMPARE(lu.Nom_POI[1], nom);
    const QByteArray ecrit = Fichiers::Texte_GPX(lu);
    QVERIFY(ecrit.contains("\t\t" + ligne + "\r\n"));
    const Magasin relu = Lu(ecrit);
    QCOMPARE(Pois(relu), Pois(lu));
    QCOMPARE(Fichiers::Texte_GPX(relu), ecrit);
    QCOMPARE(Points_XML(ecrit).value(0).name, nom);
}

// A time-less mark named in Windows-1252, then given a time stamp by a modification.
void TestEcriture::windows1252_reecrit_en_utf8() {
    Magasin poi = Lu("<wpt lat=\"1\" lon=\"2\">\r\n<name>Pr\xe9 Roche</name>\r\n"
                     "<link href=\"x\">\r\n<text>Caf\xe9</text>\r\n</wpt>\r\n");
    QCOMPARE(poi.Nom_POI[1], u"Pré Roche");
    poi.Date_POI[1] = u"2026-04-01T08:00:00Z"_qs;
    const QByteArray ecrit = Fichiers::Texte_GPX(poi);
    QVERIFY(ecrit.contains("<name>Pr\xc3\xa9 Roche</name>\r\n"));
    QVERIFY(ecrit.contains("<text>Caf\xc3\xa9</text>\r\n"));
    QCOMPARE(Points_XML(ecrit).value(0).name, u"Pré Roche");
}

// A full disk, a folder where the file should be, a path through a regular file: the
// previous file stays whole. Then a longer file is replaced, nothing left beside it.
void TestEcriture::fichier_remplace_d_un_coup() {
    QTemporaryDir dossier;
    const Magasin poi = Saisie();
    const QString chemin = dossier.filePath(u"Escales.gpx"_qs);
    const QByteArray ancien = Reference(u"ecrit_complet.gpx"_qs);
    Ecrire(chemin, ancien);
    {
        Limite_Taille limite(100);
        QVERIFY(!Fichiers::Ecrire_GPX(poi, chemin));
    }
    QVERIFY(QDir(dossier.path()).mkdir(u"dossier.gpx"_qs));
    QVERIFY(!Fichiers::Ecrire_GPX(poi, dossier.filePath(u"dossier.gpx"_qs)));
    QVERIFY(!Fichiers::Ecrire_GPX(poi, chemin + u"/Escales.gpx"_qs));
    QCOMPARE(Lire(chemin), ancien);

    QVERIFY(Fichiers::Ecrire_GPX(poi, chemin));
    QCOMPARE(Lire(chemin), Fichiers::Texte_GPX(poi));
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{u"Escales.gpx"_qs});
}

QUILLVANE_TEST_MAIN(TestEcriture)
#include "test_gpx_ecriture.moc"
