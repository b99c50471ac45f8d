// The GPX file layer: reading a file's bytes into the store, writing the store back in
// OpenCPN's layout, and re-pointing the file links of an opened file into its own folder.

#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "test_gpx_outils.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

const QByteArray Opencpn = Reference(u"opencpn_linux.gpx"_qs);
const QByteArray Saisie = Reference(u"ecrit_saisie.gpx"_qs);

// Each file re-pointed into `dossier`: only the targets of the links of waypoints, routes and
// tracks move; a "file://" in a description, a label, a comment, CDATA or another namespace's
// attribute stays, and so does every other byte. The next opening changes nothing.
const QByteArray Textes = Reference(u"reperage_textes.gpx"_qs);
QByteArray Textes_Dans(const QByteArray& dossier) {
    return QByteArray(Textes)
        .replace("href=\"file:///home/bob/plans/a.pdf\"", "href=\"file://" + dossier + "a.pdf\"")
        .replace("href=\"file://C:\\Escales\\b.pdf\"", "href=\"file://" + dossier + "b.pdf\"")
        .replace("href=\"file:///home/bob/trace.txt\"", "href=\"file://" + dossier + "trace.txt\"");
}
QByteArray UTF16_En_UTF8(const QByteArray& octets) {
    return QString(QStringDecoder(QStringConverter::Utf16LE).decode(octets.sliced(2)))
        .toUtf8()
        .replace("encoding=\"UTF-16\"", "encoding=\"UTF-8\"");
}
const QByteArray Utf16 = Reference(u"utf16.gpx"_qs);
const struct {
    const char* nom;
    QByteArray entree, sortie;
    QString dossier = u"/b/"_qs;
} Reperages[] = {
    {"points et traces", Textes, Textes_Dans("/b/")},
    {"déjà dans le dossier", Textes_Dans("/b/"), Textes_Dans("/b/")},
    {"un dossier de plus", Textes_Dans("/b/x/"), Textes_Dans("/b/")},
    // What would end the attribute, the comment or a CDATA section is escaped.
    {"dossier à échapper", Textes,
     Textes_Dans("/Bretagne--Sud]]&gt;&quot;&apos;&amp;&lt;&#92;\xc3\xa9/"),
     u"/Bretagne--Sud]]>\"'&<\\é/"_qs},
    {"apostrophes", "<gpx><wpt lat='1' lon='2'><link href='file://C:\\N'/></wpt></gpx>",
     "<gpx><wpt lat='1' lon='2'><link href='file:///a&apos;b/N'/></wpt></gpx>", u"/a'b/"_qs},
    {"sans lien de fichier", Saisie, Saisie},
    {"pas du GPX", "<x><link href=\"file://C:\\a\"/></x>", "<x><link href=\"file://C:\\a\"/></x>"},
    {"UTF-16", Utf16, UTF16_En_UTF8(Utf16).replace("file:///home/bob/", "file:///b/")},
};

// What xmllint says of a file against the GPX schema; null when it validates.
QString Valide(const QString& fichier) {
    QProcess xmllint;
    xmllint.setProcessChannelMode(QProcess::MergedChannels);
    xmllint.start(QStandardPaths::findExecutable(u"xmllint"_qs),
                  {u"--noout"_qs, u"--schema"_qs, QStringLiteral(QUILLVANE_SCHEMA), fichier});
    if (!xmllint.waitForFinished())
        return u"xmllint n'a pas fini"_qs;
    return xmllint.exitCode() == 0 ? QString() : QString::fromUtf8(xmllint.readAll());
}

// The cases of reference/ that are GPX documents as XML reads them.
void Documents_XML(bool valides) {
    QTest::addColumn<QString>("fichier");
    const QString references = QStringLiteral(QUILLVANE_REFERENCES "/");
    const QString xmllint = QStandardPaths::findExecutable(u"xmllint"_qs);
    int n = 0;
    for (const QString& f : QDir(references).entryList({u"*.gpx"_qs})) {
        const QStringList elements = Elements_XML(Lire(references + f));
        if (elements.filter(QRegularExpression(u"^gpx#1:"_qs)).isEmpty())
            continue;
        if (valides && (xmllint.isEmpty() || !Valide(references + f).isNull()))
            continue;
        QTest::newRow(qPrintable(f)) << references + f;
        ++n;
    }
    QVERIFY(n >= 10);
}

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

    // A well-formed file is read by XML, written back, the same way: every element, comment
    // and instruction at its place with its attributes and text, in the same order; only the
    // writer's own lines are added, and the names of the POIs follow the reading's rules
    // (checked above).
    void xml_egal_data() { Documents_XML(false); }

    void xml_egal() {
        QFETCH(QString, fichier);
        const QByteArray contenu = Lire(fichier);
        const QStringList ecarts = Ecarts_XML(contenu, Fichiers::Texte_GPX(Lu(contenu)));
        QVERIFY2(ecarts.isEmpty(), qPrintable(ecarts.join(u'\n')));
    }

    // A file that is valid GPX stays so once edited: every POI given a link and a time.
    void valide_apres_edition_data() { Documents_XML(true); }

    void valide_apres_edition() {
        QFETCH(QString, fichier);
        Magasin poi = Lu(Lire(fichier));
        for (int i = 1; i <= poi.Nb_POI; ++i) {
            Declarations::Ajouter_Lien(poi, i, u"file:///b/Note.txt"_qs, u"Note"_qs);
            if (poi.Date_POI[i].isEmpty())
                poi.Date_POI[i] = u"2026-04-01T08:00:00Z"_qs;
        }
        QTemporaryDir dossier;
        const QString ecrit = dossier.filePath(u"f.gpx"_qs);
        Ecrire(ecrit, Fichiers::Texte_GPX(poi));
        const QString erreur = Valide(ecrit);
        QVERIFY2(erreur.isNull(), qPrintable(erreur));
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
        const auto& [nom, entree, sortie, dossier] = Reperages[i];
        bool dit = entree == sortie; // must be set either way
        QCOMPARE(Fichiers::Corriger_Liens_Fichier(entree, dossier, &dit), sortie);
        QCOMPARE(dit, entree != sortie);
        QCOMPARE(Fichiers::Corriger_Liens_Fichier(sortie, dossier, &dit), sortie);
        QCOMPARE(dit, false);
        // The store read with the folder, what it keeps included, is the one of the bytes
        // re-pointed; XML still reads them.
        Magasin poi = Magasin_Vide();
        Fichiers::Lire_Fichier(poi, entree, &dossier);
        QCOMPARE(Fichiers::Texte_GPX(poi), Fichiers::Texte_GPX(Lu(sortie)));
        QCOMPARE(Elements_XML(sortie).isEmpty(), Elements_XML(entree).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGpx)
#include "test_gpx.moc"
