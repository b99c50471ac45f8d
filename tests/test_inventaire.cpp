// What a file holds beyond what the store lists, and the warning that tells it. Every file is
// opened as the program opens it, files no GPX tool would write included: nothing crashes, the
// store holds what the reader can take, the file stays as it was on disk, and no waypoint name
// leads a description out of the file's folder. A file that is not GPX is not opened at all.

#include "gpx/Inventaire.h"
#include "gpx/Messages_Fichier.h"
#include "gpx/Ouverture.h"
#include "links/Nom_Descriptif.h"
#include "test_gpx_outils.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <unistd.h>

namespace {

QByteArray Liens(int n, const QByteArray& cible = "u") {
    return ("<link href=\"" + cible + "\">\r\n<text>t</text>\r\n</link>\r\n").repeated(n);
}

QByteArray Points(int n, const QByteArray& corps = {},
                  const QByteArray& wpt = "lat=\"1\" lon=\"2\"") {
    return ("<wpt " + wpt + ">\r\n<time>T</time>\r\n" + corps + "</wpt>\r\n").repeated(n);
}

const QByteArray Longue = "https://x.org/" + QByteArray(100 * 1024, 'a');
const QByteArray Noms =
    "<name>../../etc/passwd</name>\r\n</wpt>\n<wpt>\n<name>..</name>\n</wpt>\n"
    "<wpt>\n<name>a/b</name>\n</wpt>\n<wpt>\n<name>..\\x</name>\n</wpt>\n<wpt>\n"
    "<name>bip\a\x1b[31m</name>\n</wpt>\n<wpt>\n<name>" +
    QByteArray(9999, 'n');

QByteArray Gpx(const QByteArray& corps, const QByteArray& fin = "</gpx>") {
    return "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\">\n" + corps + fin;
}

// Counted: waypoints, routes, tracks, waypoints of more than five links, POIs listed; the
// POIs listed begin with `pois`. Each file is opened from disk.
const struct {
    const char* nom;
    const char* comptes;
    QString pois;
    QByteArray contenu;
} Ouverts[] = {
    {"vide", "0 0 0 0 0", "", ""},
    {"BaseCamp", "2 0 0 0 2", "", Reference(u"basecamp.gpx"_qs)},
    // Whole names only: trkpt, rtept, trkseg and BaseCamp's wptx1 are parts, not elements.
    {"routes et traces", "1 2 1 0 1", "",
     Gpx("<rte>\n<rtept "
         "lat=\"1\"/>\n</rte>\n<rte/>\n<trk>\n<trkseg>\n<trkpt></trkpt>\n</trkseg></trk>\n"
         "<wptx1:Address>\n" +
         Points(1))},
    // Links of the metadata, a route or a track are not a waypoint's; the sixth is one too many.
    {"liens", "3 0 1 1 3", "",
     Gpx("<metadata>" + Liens(7) + "</metadata>\n" + Points(2, Liens(5)) + Points(1, Liens(6)) +
         "<trk>" + Liens(9) + "</trk>")},
    {"sur une ligne", "3 0 0 3 3", "", Gpx(Points(3, Liens(6)).replace("\r\n", ""))},
    // The second start tag is never finished: no waypoint, its links are the first one's.
    {"sans fermeture", "1 0 0 1 1", "",
     Gpx("<wpt lat=\"1\" lon=\"2\">\n" + Liens(6) + "<wpt\n" + Liens(6), "")},
    {"20 Mo sur une ligne", "1 0 0 0 1", u"1|2||"_qs,
     Gpx("<wpt lat=\"1\" lon=\"2\"><name>n" + QByteArray(20 << 20, 'x'), "")},
    {"NUL", "1 0 0 0 1", u"4\0|5|T|a\0b|u\0v|t"_qs,
     Gpx(Points(1, QByteArray("<name>a\0b</name>\r\n", 18) + Liens(1, QByteArray("u\0v", 3)),
                QByteArray("lat=\"4\0\" lon=\"5\"", 16)))},
    {"0 à 3 guillemets", "4 0 0 0 4",
     u"||T|(Sans nom)\n||T|(Sans nom)\n1||T|(Sans nom)\n1||T|(Sans nom)"_qs,
     Gpx(Points(1, "", "lat=1 lon=2") + Points(1, "", "lat=\"1 lon=2") +
         Points(1, "", "lat=\"1\" lon=2") + Points(1, "", "lat=\"1\" lon=\"2"))},
    // Nothing in a comment, CDATA, an instruction or another namespace's element is counted.
    {"commentaires et CDATA", "2 0 0 0 2", u"1|2|T|(Sans nom)\n1|2|T|(Sans nom)"_qs,
     Gpx("<!-- " + Points(1) + " -->" + Points(2) + "<![CDATA[" + Points(1) + "]]><?x " +
         Points(1) + "?>")},
    {"autres espaces de noms", "2 0 1 0 2", u"47.1|-3.1|2026-03-05T14:03:07Z|Un\n"_qs,
     Reference(u"espace_etranger.gpx"_qs)},
    {"racine préfixée", "2 0 0 0 2", u"47.1|-3.1|2026-03-05T14:03:07Z|Sur\ndeux lignes\n"_qs,
     Reference(u"en_place.gpx"_qs)},
    {"10 000 points", "10000 0 0 0 100", u"1|2|T|(Sans nom)\n"_qs, Gpx(Points(10000))},
    {"50 liens", "2 0 0 1 2", u"1|2|T|(Sans nom)|u|t|u|t|u|t|u|t|u|t\n"_qs,
     Gpx(Points(1, Liens(50)) + Points(1))},
    {"href de 100 Ko", "1 0 0 0 1",
     u"1|2|T|(Sans nom)|"_qs + QString::fromLatin1(Longue) + u"|t"_qs,
     Gpx(Points(1, Liens(1, Longue)))},
    {"noms dangereux", "6 0 0 0 6", u"1|2|T|../../etc/passwd\n|||..\n"_qs, Gpx(Points(1, Noms))},
};

} // namespace

class TestInventaire : public QObject {
    Q_OBJECT
  private slots:
    void ouverture_data() { Rangees(Ouverts); }

    void ouverture() {
        QFETCH(int, i);
        const auto& [nom, comptes, pois, contenu] = Ouverts[i];
        QTemporaryDir racine;
        const QString dossier = racine.path() + u'/';
        const Fichiers::Chemins chemins = Fichiers::Decouper_Chemin(dossier + u"f.gpx"_qs);
        Ecrire(chemins.nom, contenu);
        const Fichiers::Ouverture ouverture = Fichiers::Preparer_Ouverture(chemins);
        QVERIFY(!ouverture.erreur);
        const Magasin& poi = ouverture.document;
        const Fichiers::Inventaire& n = ouverture.inventaire;
        QCOMPARE(QString::asprintf("%d %d %d %d %d", n.points, n.routes, n.traces,
                                   n.points_trop_liens, int(poi.Nb_POI)),
                 comptes);
        QCOMPARE(Pois(poi).left(pois.size()), pois);
        // As it was on disk, and kept whole as the newest backup.
        QVERIFY(Lire(chemins.nom) == contenu);
        QVERIFY(Lire(chemins.dossier + u"tmp/f.gpx.30"_qs) == contenu);
        for (int p = 1; p <= poi.Nb_POI; ++p)
            if (const auto chemin = Nom_Descriptif::Chemin(dossier, poi.Nom_POI[p]))
                QCOMPARE(QFileInfo(*chemin).absolutePath() + u'/', dossier);
    }

    // A text, a web page, a binary file: one message, and nothing written anywhere.
    void pas_gpx() {
        const QStringList cas =
            QDir(QStringLiteral(QUILLVANE_REFERENCES)).entryList({u"refus_*"_qs});
        QCOMPARE(cas.size(), 3);
        QList<QByteArray> contenus{" \r\n", "<?xml version=\"1.0\"?>\n<!-- rien -->\n<kml/>"};
        for (const QString& f : cas)
            contenus << Reference(f);
        for (const QByteArray& contenu : contenus) {
            QTemporaryDir dossier;
            const auto chemins = Fichiers::Decouper_Chemin(dossier.filePath(u"f.gpx"_qs));
            Ecrire(chemins.nom, contenu);
            QCOMPARE(Fichiers::Message(Fichiers::Preparer_Ouverture(chemins).erreur, chemins.nom),
                     u"Le fichier « %1 » n'est pas un fichier GPX ; il n'a pas été ouvert."_qs.arg(
                         chemins.nom));
            QCOMPARE(Lire(chemins.nom), contenu);
            QCOMPARE(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                     QStringList{u"f.gpx"_qs});
        }
    }

    // Files as large as the memory, sparse: refused from their first bytes, or by their size,
    // without being read; nothing written anywhere.
    void trop_gros() {
        const qint64 memoire = qint64(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGESIZE);
        const std::pair<QByteArray, QString> cas[] = {
            {"", u"Le fichier « %1 » n'est pas un fichier GPX ; il n'a pas été ouvert."_qs},
            {Gpx(Points(1), ""),
             u"Le fichier « %1 » est trop gros pour être ouvert ici ; il n'a pas été ouvert."_qs}};
        for (const auto& [debut, message] : cas) {
            QTemporaryDir dossier;
            const auto chemins = Fichiers::Decouper_Chemin(dossier.filePath(u"f.gpx"_qs));
            QFile f(chemins.nom);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(debut) == debut.size() &&
                    f.resize(memoire));
            f.close();
            QCOMPARE(Fichiers::Message(Fichiers::Preparer_Ouverture(chemins).erreur, chemins.nom),
                     message.arg(chemins.nom));
            QCOMPARE(QDir(dossier.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                     QStringList{u"f.gpx"_qs});
        }
    }

    // Backup n holds the file as it was before opening n + 1; the oldest goes, and a file that
    // is not one of the thirty is left alone.
    void sauvegardes_tournantes() {
        QTemporaryDir dossier;
        const auto chemins = Fichiers::Decouper_Chemin(dossier.filePath(u"f.gpx"_qs));
        QVERIFY(QDir(dossier.path()).mkdir(u"tmp"_qs));
        Ecrire(dossier.filePath(u"tmp/f.gpx.31"_qs), "autre");
        for (int k = 1; k <= 31; ++k) {
            Ecrire(chemins.nom, Gpx(QByteArray::number(k)));
            QVERIFY(!Fichiers::Preparer_Ouverture(chemins).erreur);
        }
        for (int n = 1; n <= 30; ++n)
            QCOMPARE(Lire(dossier.filePath(u"tmp/f.gpx.%1"_qs.arg(n))),
                     Gpx(QByteArray::number(n + 1)));
        QCOMPARE(Lire(dossier.filePath(u"tmp/f.gpx.31"_qs)), "autre");
        QCOMPARE(QDir(dossier.filePath(u"tmp"_qs)).entryList(QDir::Files).size(), 31);
    }

    // One message naming the file and what failed; the file stays as it was. In the way:
    // folders where the file, every backup or the working copy should be, or (no folder) a
    // regular file named "tmp".
    void echecs() {
        QStringList sauvegardes;
        for (int n = 1; n <= 30; ++n)
            sauvegardes << u"tmp/f.gpx.%1/plein"_qs.arg(n);
        const std::pair<QStringList, QString> cas[] = {
            {{u"f.gpx"_qs}, u"Le fichier « %1f.gpx » n'a pas pu être lu."_qs},
            {{},
             u"Le dossier des sauvegardes « %1tmp » n'a pas pu être créé. Le fichier « "
             u"%1f.gpx » n'a pas été ouvert."_qs},
            {sauvegardes, u"%1tmp/f.gpx.30 »"_qs},
            {{u"Temp.gpx"_qs}, u"%1Temp.gpx »"_qs}};
        for (const auto& [dossiers, message] : cas) {
            QTemporaryDir racine;
            const QDir d(racine.path());
            const auto chemins = Fichiers::Decouper_Chemin(d.filePath(u"f.gpx"_qs));
            const bool lisible = !dossiers.contains(u"f.gpx"_qs);
            if (lisible)
                Ecrire(chemins.nom, Gpx(Points(1)));
            if (dossiers.isEmpty())
                Ecrire(d.filePath(u"tmp"_qs), "x");
            for (const QString& dossier : dossiers)
                QVERIFY(d.mkpath(dossier));
            const QString erreur =
                Fichiers::Message(Fichiers::Preparer_Ouverture(chemins).erreur, chemins.nom);
            QVERIFY2(erreur.contains(message.arg(chemins.dossier)) && erreur.contains(chemins.nom),
                     qPrintable(erreur));
            QCOMPARE(Lire(chemins.nom), lisible ? Gpx(Points(1)) : QByteArray());
        }
    }

    // Every text ends the same way: the rest is kept, and where the file as opened is kept.
    void avertissement() {
        const struct {
            int points, routes, traces, trop, listes;
            QString debut;
        } cas[] = {
            {100, 0, 0, 0, 100, {}},
            {101, 0, 0, 0, 100,
             u"Le fichier « E.gpx » contient 101 points de passage : les 100 premiers points sont "
             u"listés"_qs},
            {260, 7, 2, 3, 2,
             u"Le fichier « E.gpx » contient 260 points de passage, 7 routes et 2 traces : les 2 "
             u"premiers points sont listés ; 3 points ont plus de cinq liens, les cinq premiers de "
             u"chacun sont affichés"_qs},
            {1, 0, 1, 0, 1,
             u"Le fichier « E.gpx » contient 1 point de passage et 1 trace : le point est listé"_qs},
            {2, 0, 0, 1, 1,
             u"Le fichier « E.gpx » contient 2 points de passage : le premier point est listé ; un "
             u"point a plus de cinq liens, les cinq premiers sont affichés"_qs},
            {0, 1, 0, 0, 0,
             u"Le fichier « E.gpx » contient 0 point de passage et 1 route : aucun "
             u"point n'est listé"_qs},
        };
        const QString fin =
            u" ; le reste est gardé tel quel à l'enregistrement.\n\nLe fichier tel "
            u"qu'il a été ouvert est gardé dans la sauvegarde « /b/tmp/E.gpx.30 »."_qs;
        for (const auto& [points, routes, traces, trop, listes, debut] : cas)
            QCOMPARE(Fichiers::Avertissement({points, routes, traces, trop}, listes, u"E.gpx"_qs,
                                             u"/b/tmp/E.gpx.30"_qs),
                     debut.isNull() ? QString() : debut + fin);
    }
};

QTEST_GUILESS_MAIN(TestInventaire)
#include "test_inventaire.moc"
