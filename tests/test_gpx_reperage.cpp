// Re-pointing the file links of an opened file into its own folder.

#include "gpx/Corriger_Liens.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

class TestReperage : public QObject {
    Q_OBJECT
  private slots:
    void lignes_data();
    void lignes();
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
