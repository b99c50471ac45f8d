// Writing the store in OpenCPN's layout: exact bytes, well-formed XML, atomic replacement.

#include "gpx/Ecriture_GPX.h"
#include "gpx/Lecture_GPX.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

#include <QBuffer>
#include <QTemporaryDir>

using Magasin = Declarations::Declarations;

namespace {

Magasin Lu(QByteArrayView contenu) {
    Magasin poi = Magasin_Vide();
    Fichiers::Lire_Fichier(poi, contenu);
    return poi;
}

// What a user types: "&", "<", ">" and quotes in a name, a label and an address.
Magasin Saisie() {
    Magasin poi = Magasin_Vide();
    poi.Nb_POI = 1;
    poi.Lat_POI[1] = QStringLiteral("47.5");
    poi.Long_POI[1] = QStringLiteral("-3.1");
    poi.Date_POI[1] = QStringLiteral("2026-04-01T08:00:00Z");
    poi.Nom_POI[1] = QStringLiteral("Tom & Jerry <3> \"ici\" &amp;");
    poi.Nb_Liens[1] = 1;
    poi.Lien_URL[1][1] = QStringLiteral("https://example.org/?a=1&b=2&c=\"q\"<");
    poi.Lien_Nom[1][1] = QStringLiteral("R&D <x> a]]>b &lt;");
    // Slots above the count and POIs above Nb_POI are never written.
    poi.Lien_URL[1][2] = QStringLiteral("oublié");
    poi.Nom_POI[2] = QStringLiteral("oublié");
    return poi;
}

} // namespace

class TestEcriture : public QObject {
    Q_OBJECT
  private slots:
    void aller_retour_octet_pour_octet_data();
    void aller_retour_octet_pour_octet();
    void saisie_echappee();
    void windows1252_reecrit_en_utf8();
    void nom_vide_date();
    void peripherique_refuse();
    void fichier_remplace_d_un_coup();
    void echecs_laissent_le_fichier_entier();
};

void TestEcriture::aller_retour_octet_pour_octet_data() {
    QTest::addColumn<QString>("reference");
    QTest::addColumn<int>("points");
    QTest::newRow("vide") << u"ecrit_vide.gpx"_qs << 0;
    // No links, five links, an empty time stamp, accents, escaped names and labels.
    QTest::newRow("complet") << u"ecrit_complet.gpx"_qs << 4;
    QTest::newRow("saisie") << u"ecrit_saisie.gpx"_qs << 1;
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

void TestEcriture::saisie_echappee() {
    const Magasin poi = Saisie();
    const QByteArray ecrit = Fichiers::Texte_GPX(poi);
    QCOMPARE(ecrit, Reference(u"ecrit_saisie.gpx"_qs));

    const QList<Point_XML> points = Points_XML(ecrit);
    QCOMPARE(points.size(), 1);
    QCOMPARE(points[0].name, poi.Nom_POI[1]);
    QCOMPARE(points[0].href, QStringList{poi.Lien_URL[1][1]});
    // A typed "&lt;" already stands for a character: it is kept as it is.
    QCOMPARE(points[0].text, QStringList{u"R&D <x> a]]>b <"_qs});

    // Read back, the name is the one typed and the other fields are the bytes written.
    const Magasin relu = Lu(ecrit);
    QCOMPARE(relu.Nom_POI[1], poi.Nom_POI[1]);
    QCOMPARE(relu.Nb_Liens[1], 1);
    QCOMPARE(Fichiers::Texte_GPX(relu), ecrit);
}

void TestEcriture::windows1252_reecrit_en_utf8() {
    // A time-less mark named in Windows-1252, then given a time stamp by a modification.
    Magasin poi = Lu("<wpt lat=\"1\" lon=\"2\">\r\n<name>Pr\xe9 Roche</name>\r\n"
                     "<link href=\"x\">\r\n<text>Caf\xe9</text>\r\n</wpt>\r\n");
    QCOMPARE(poi.Nom_POI[1], u"Pré Roche");
    poi.Date_POI[1] = QStringLiteral("2026-04-01T08:00:00Z");
    const QByteArray ecrit = Fichiers::Texte_GPX(poi);
    QVERIFY(ecrit.contains("<name>Pr\xc3\xa9 Roche</name>\r\n"));
    QVERIFY(ecrit.contains("<text>Caf\xc3\xa9</text>\r\n"));
    const QList<Point_XML> points = Points_XML(ecrit);
    QCOMPARE(points.size(), 1);
    QCOMPARE(points[0].name, u"Pré Roche");
    QCOMPARE(Lu(ecrit).Nom_POI[1], u"Pré Roche");
}

void TestEcriture::nom_vide_date() {
    Magasin poi = Saisie();
    poi.Nom_POI[1].clear();
    poi.Nb_Liens[1] = 0;
    const QByteArray ecrit = Fichiers::Texte_GPX(poi);
    QVERIFY(ecrit.contains("\t\t<name></name>\r\n"));
    QCOMPARE(ecrit.count("\r\n"), 2 + 10 + 1);
    QCOMPARE(ecrit.count('\n'), ecrit.count("\r\n"));
    QCOMPARE(Lu(ecrit).Nom_POI[1], u"(Sans nom)");
}

void TestEcriture::peripherique_refuse() {
    const Magasin poi = Saisie();
    QBuffer tampon;
    QVERIFY(tampon.open(QIODevice::WriteOnly));
    QVERIFY(Fichiers::Ecrire_GPX(poi, tampon));
    QCOMPARE(tampon.data(), Fichiers::Texte_GPX(poi));

    QBuffer lecture;
    QVERIFY(lecture.open(QIODevice::ReadOnly));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("device not open|ReadOnly"));
    QVERIFY(!Fichiers::Ecrire_GPX(poi, lecture));
}

void TestEcriture::fichier_remplace_d_un_coup() {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"Escales.gpx"_qs);
    Ecrire(chemin, "ancien contenu plus long que rien");
    const Magasin poi = Saisie();
    QVERIFY(Fichiers::Ecrire_GPX(poi, chemin));
    QCOMPARE(Lire(chemin), Fichiers::Texte_GPX(poi));
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files), QStringList{u"Escales.gpx"_qs});
}

void TestEcriture::echecs_laissent_le_fichier_entier() {
    QTemporaryDir dossier;
    const Magasin poi = Saisie();
    // A folder where the file should be, a path through a regular file.
    QVERIFY(QDir(dossier.path()).mkdir(u"dossier.gpx"_qs));
    QVERIFY(!Fichiers::Ecrire_GPX(poi, dossier.filePath(u"dossier.gpx"_qs)));
    Ecrire(dossier.filePath(u"simple"_qs), "x");
    QVERIFY(!Fichiers::Ecrire_GPX(poi, dossier.filePath(u"simple/Escales.gpx"_qs)));
    QCOMPARE(Lire(dossier.filePath(u"simple"_qs)), QByteArray("x"));

    // A full disk: the previous file stays whole.
    const QString chemin = dossier.filePath(u"Escales.gpx"_qs);
    const QByteArray ancien = Reference(u"ecrit_complet.gpx"_qs);
    Ecrire(chemin, ancien);
    {
        Limite_Taille limite(100);
        QVERIFY(!Fichiers::Ecrire_GPX(poi, chemin));
    }
    QCOMPARE(Lire(chemin), ancien);
    QCOMPARE(QDir(dossier.path()).entryList(QDir::Files).size(), 2);
}

QUILLVANE_TEST_MAIN(TestEcriture)
#include "test_gpx_ecriture.moc"
