// Files no GPX tool would write, opened as the program opens them: nothing crashes, the store
// holds what the line reader can take, the file stays as it was on disk until a save, and no
// waypoint name leads a description out of the file's folder.

#include "gpx/Inventaire.h"
#include "gpx/Ouverture.h"
#include "links/Nom_Descriptif.h"
#include "test_gpx_outils.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

QByteArray Point(const QByteArray& ouverture, const QByteArray& corps = {}) {
    return ouverture + "\r\n<time>T</time>\r\n" + corps + "</wpt>\r\n";
}

QByteArray Nomme(const QByteArray& nom) {
    return Point("<wpt lat=\"1\" lon=\"2\">", "<name>" + nom + "</name>\r\n");
}

QByteArray Liens(int n, const QByteArray& cible = "u") {
    return ("<link href=\"" + cible + "\">\r\n<text>t</text>\r\n</link>\r\n").repeated(n);
}

} // namespace

class TestHostile : public QObject {
    Q_OBJECT
  private slots:
    void ouverture_data();
    void ouverture();
};

void TestHostile::ouverture_data() {
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<int>("nb");          // POIs listed
    QTest::addColumn<QString>("premier"); // the start of POI 1 as lat|lon|time|name|links
    QTest::addColumn<int>("liens");       // links of POI 1
    QTest::addColumn<bool>("avertit");    // the user is told that a save would drop data

    QTest::newRow("vide") << QByteArray() << 0 << QString() << 0 << false;
    QByteArray binaire(64 * 1024, Qt::Uninitialized);
    QRandomGenerator hasard(7);
    hasard.fillRange(reinterpret_cast<quint32*>(binaire.data()), binaire.size() / 4);
    QTest::newRow("binaire") << binaire << 0 << QString() << 0 << false;
    QTest::newRow("20 Mo sans fin de ligne")
        << "<wpt lat=\"1\" lon=\"2\"><name>n</name>" + QByteArray(20 << 20, 'x') << 1 << u"1|2||"_qs
        << 0 << false;
    QTest::newRow("NUL dans les lignes")
        << Point(QByteArray("<wpt lat=\"4\0\" lon=\"5\">", 21),
                 QByteArray("<name>a\0b</name>\r\n", 18) + Liens(1, QByteArray("u\0v", 3)))
        << 1 << u"4\0|5|T|a\0b|u\0v|t"_qs << 1 << false;
    QTest::newRow("0 à 3 guillemets")
        << Point("<wpt lat=1 lon=2>") + Point("<wpt lat=\"1 lon=2>") +
               Point("<wpt lat=\"1\" lon=2>") + Point("<wpt lat=\"1\" lon=\"2>")
        << 4 << u"||T|(Sans nom)"_qs << 0 << false;
    QByteArray dixMille;
    for (int i = 0; i < 10000; ++i)
        dixMille += Nomme("P" + QByteArray::number(i));
    QTest::newRow("10 000 points") << dixMille << 100 << u"1|2|T|P0"_qs << 0 << true;
    QTest::newRow("50 liens") << Point("<wpt lat=\"1\" lon=\"2\">", Liens(50)) << 1
                              << u"1|2|T|(Sans nom)|u|t|u|t|u|t|u|t|u|t"_qs << 5 << true;
    const QByteArray longue = "https://x.org/" + QByteArray(100 * 1024, 'a');
    QTest::newRow("href de 100 Ko")
        << Point("<wpt lat=\"1\" lon=\"2\">", Liens(1, longue)) << 1
        << u"1|2|T|(Sans nom)|"_qs + QString::fromLatin1(longue) + u"|t"_qs << 1 << false;
    QTest::newRow("noms dangereux")
        << Nomme("../../etc/passwd") + Nomme("..") + Nomme("a/b") + Nomme("..\\x") +
               Nomme("bip\a\x1b[31m") + Nomme(QByteArray(10000, 'n'))
        << 6 << u"1|2|T|../../etc/passwd"_qs << 0 << false;
}

void TestHostile::ouverture() {
    QFETCH(QByteArray, contenu);
    QTemporaryDir racine;
    const QString dossier = racine.filePath(u"bord"_qs) + u'/';
    QVERIFY(QDir().mkpath(dossier));
    const Fichiers::Chemins chemins = Fichiers::Decouper_Chemin(dossier + u"hostile.gpx"_qs);
    Ecrire(chemins.nom, contenu);

    const Fichiers::Ouverture ouverture = Fichiers::Preparer_Ouverture(chemins);
    QCOMPARE(ouverture.erreur, QString());
    Magasin poi = Magasin_Vide();
    Fichiers::Lire_Fichier(poi, ouverture.contenu);
    QTEST(int(poi.Nb_POI), "nb");
    QFETCH(QString, premier);
    QCOMPARE(Poi(poi, 1).left(premier.size()), premier);
    QTEST(int(poi.Nb_Liens[1]), "liens");
    QTEST(!Fichiers::Avertissement(Fichiers::Inventorier(ouverture.contenu), poi.Nb_POI,
                                   chemins.court, QString())
               .isEmpty(),
          "avertit");

    // As it was on disk, and kept whole as the newest backup.
    QVERIFY(Lire(chemins.nom) == contenu);
    QVERIFY(Lire(Fichiers::Chemin_Sauvegarde(chemins, Fichiers::Nb_Sauvegardes)) == contenu);

    // A description goes beside the file or nowhere.
    for (int i = 1; i <= poi.Nb_POI; ++i)
        if (const auto chemin = Nom_Descriptif::Chemin(dossier, poi.Nom_POI[i]))
            QCOMPARE(QFileInfo(*chemin).absolutePath() + u'/', dossier);
}

QTEST_GUILESS_MAIN(TestHostile)
#include "test_gpx_hostile.moc"
