// Re-pointing the file links of an opened file into its own folder.

#include "gpx/Corriger_Liens.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

class TestReperage : public QObject {
    Q_OBJECT
  private slots:
    void lignes_data();
    void lignes();
    void stable_a_la_reouverture_data();
    void stable_a_la_reouverture();
    void fichier_sur_une_ligne();
    void dossier_avec_esperluette_et_accents();
};

void TestReperage::lignes_data() {
    QTest::addColumn<QByteArray>("entree");
    QTest::addColumn<QByteArray>("sortie");
    QTest::addColumn<bool>("repointe"); // a target points elsewhere now
    const QByteArray d = "/home/anne/Bord/";
    QTest::newRow("lien Windows") << QByteArray("\t\t<link href=\"file://C:\\Escales\\Note.txt\">")
                                  << "\t\t<link href=\"file://" + d + "Note.txt\">\r\n"
                                  << true;
    QTest::newRow("lien en /") << QByteArray("<link href=\"file:///C:/Escales/Note.txt\">")
                               << "<link href=\"file://" + d + "Note.txt\">\r\n"
                               << true;
    QTest::newRow("sans dossier") << QByteArray("<link href=\"file://Note.txt\">")
                                  << "<link href=\"file://" + d + "Note.txt\">\r\n"
                                  << true;
    QTest::newRow("lien web avant")
        << QByteArray("<a href=\"https://x.org/a/b\"/><link href=\"file:///a/b.txt\">")
        << "<a href=\"https://x.org/a/b\"/><link href=\"file://" + d + "b.txt\">\r\n"
        << true;
    QTest::newRow("deux liens, le second déjà là")
        << "<x href='file://C:\\a\\un.txt'/><desc>file://" + d + "deux.txt</desc>"
        << "<x href='file://" + d + "un.txt'/><desc>file://" + d + "deux.txt</desc>\r\n"
        << true;
    QTest::newRow("déjà dans le dossier, LF") << "<link href=\"file://" + d + "Note.txt\">\n"
                                              << "<link href=\"file://" + d + "Note.txt\">\r\n"
                                              << false;
    QTest::newRow("un dossier de plus") << "<link href=\"file://" + d + "x/Note.txt\">\r\n"
                                        << "<link href=\"file://" + d + "Note.txt\">\r\n"
                                        << true;
    QTest::newRow("jusqu'à la fin de ligne")
        << QByteArray("voir file://D:\\x\\y z.txt") << "voir file://" + d + "y z.txt\r\n"
        << true;
    QTest::newRow("cible vide") << QByteArray("file://\"") << "file://" + d + "\"\r\n" << true;
    QTest::newRow("sans lien, LF") << QByteArray("<a>\n\t<b \xe9>\n</a>")
                                   << QByteArray("<a>\r\n\t<b \xe9>\r\n</a>\r\n") << false;
    QTest::newRow("CR et mélanges")
        << QByteArray("a\rb\r\n\r\nc\n") << QByteArray("a\r\nb\r\n\r\nc\r\n") << false;
    QTest::newRow("vide") << QByteArray() << QByteArray() << false;
    QTest::newRow("liens sur plusieurs lignes")
        << QByteArray("file://a/1\nrien\nfile://b\\2\n")
        << "file://" + d + "1\r\nrien\r\nfile://" + d + "2\r\n"
        << true;
}

void TestReperage::lignes() {
    QFETCH(QByteArray, entree);
    QFETCH(bool, repointe);
    bool dit = !repointe; // must be set either way
    QTEST(Fichiers::Corriger_Liens_Fichier(entree, u"/home/anne/Bord/"_qs, &dit), "sortie");
    QCOMPARE(dit, repointe);
}

// Quotes, line ends and backslashes of the folder, a quote of the other kind inside a quoted
// target: the target is re-pointed whole, and the next opening leaves it as it is.
void TestReperage::stable_a_la_reouverture_data() {
    QTest::addColumn<QString>("dossier");
    QTest::addColumn<QByteArray>("entree");
    QTest::addColumn<QByteArray>("sortie");
    const QByteArray lien = "<link href=\"file://C:\\a\\Note.txt\">";
    QTest::newRow("apostrophe du dossier")
        << u"/home/anne/Carnet d'escales/"_qs << lien
        << QByteArray("<link href=\"file:///home/anne/Carnet d&apos;escales/Note.txt\">\r\n");
    QTest::newRow("apostrophe entre guillemets")
        << u"/b/"_qs << QByteArray("<link href=\"file:///home/anne/Carnet d'escales/Note.txt\">")
        << QByteArray("<link href=\"file:///b/Note.txt\">\r\n");
    QTest::newRow("guillemet entre apostrophes")
        << u"/b/"_qs << QByteArray("<x href='file:///a \"b\"/N.txt'/>")
        << QByteArray("<x href='file:///b/N.txt'/>\r\n");
    QTest::newRow("barre inverse du dossier")
        << u"/home/a\\b/"_qs << lien
        << QByteArray("<link href=\"file:///home/a&#92;b/Note.txt\">\r\n");
    QTest::newRow("fins de ligne du dossier")
        << u"/home/a\nb\r/"_qs << lien
        << QByteArray("<link href=\"file:///home/a&#10;b&#13;/Note.txt\">\r\n");
}

void TestReperage::stable_a_la_reouverture() {
    QFETCH(QString, dossier);
    QFETCH(QByteArray, entree);
    QFETCH(QByteArray, sortie);
    QCOMPARE(Fichiers::Corriger_Liens_Fichier(entree, dossier), sortie);
    QCOMPARE(Fichiers::Corriger_Liens_Fichier(sortie, dossier), sortie);
}

// Several waypoints on one line: every byte is kept but the two targets (the one of the
// description, then the link's).
void TestReperage::fichier_sur_une_ligne() {
    const QByteArray contenu = Reference(u"opencpn_linux.gpx"_qs).replace("\n", "");
    QByteArray attendu = contenu;
    attendu.replace("file:///home/marc/Notes/Haliguen.txt", "file:///bord/Haliguen.txt");
    QCOMPARE(Fichiers::Corriger_Liens_Fichier(contenu, u"/bord/"_qs), attendu + "\r\n");
}

void TestReperage::dossier_avec_esperluette_et_accents() {
    const QString dossier = u"/home/anne/Tom & Jerry <\"Escales été\">/"_qs;
    const QByteArray sortie =
        Fichiers::Corriger_Liens_Fichier(Reference(u"opencpn_linux.gpx"_qs), dossier);
    QVERIFY(sortie.contains("file:///home/anne/Tom &amp; Jerry &lt;&quot;Escales "
                            "\xc3\xa9t\xc3\xa9&quot;>/Haliguen.txt\">\r\n"));
    QCOMPARE(Points_XML(sortie).value(0).href.value(1),
             u"file://"_qs + dossier + u"Haliguen.txt"_qs);
}

QUILLVANE_TEST_MAIN(TestReperage)
#include "test_gpx_reperage.moc"
