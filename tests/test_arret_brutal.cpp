// An opening and a save killed at 200 moments spread over their length: the user's file is
// always one of its versions in full, every backup is a whole version, and no backup is lost
// but the oldest ones an opening rotates out; a run left to its end removes what the killed
// ones left behind.

#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/Ouverture.h"
#include "support/Pannes.h"
#include "test_gpx_outils.h"

#include <QRegularExpression>
#include <QTemporaryDir>

constexpr int Passes = 2; // each an opening and a save
constexpr int Arrets = 200;

// A plotter's export of about 700 KB: LF line ends, file links made on Windows, a long track.
static QByteArray Export(int numero) {
    const QString point =
        u"  <wpt lat=\"47.%1\" lon=\"-2.5\">\n    <time>2026-03-05T14:03:07Z</time>\n"
        "    <name>Export %2 point %1</name>\n    <link href=\"file://C:\\Escales"
        "\\Note%1.txt\">\n      <text>Notes</text>\n    </link>\n  </wpt>\n"_qs;
    QString t = u"<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"OpenCPN\">\n"_qs;
    for (int i = 1; i <= 100; ++i)
        t += point.arg(i).arg(numero);
    t +=
        u"  <trk><trkseg>\n"_qs + u"<trkpt lat=\"47.1\" lon=\"-3.1\"></trkpt>\n"_qs.repeated(16000);
    return (t + u"  </trkseg></trk>\n</gpx>\n"_qs).toUtf8();
}

// A file's bytes are known by their 64-bit hash: two versions never share one.
struct Dossier {
    QTemporaryDir racine;
    QString chemin = racine.path() + u"/Escales.gpx"_qs;
    QSet<size_t> connues; // every version of every export

    // Every content the file may hold from `contenu` on: as exported, then after each pass's
    // opening (links re-pointed) and save (POI 1 renamed by the helper).
    QList<size_t> Versions(QByteArray contenu) {
        QList<size_t> v{qHash(contenu)};
        for (int p = 1; p <= Passes; ++p) {
            v << qHash(contenu = Fichiers::Corriger_Liens_Fichier(contenu, racine.path() + u'/'));
            Magasin poi = Lu(contenu);
            poi.Nom_POI[1] = u"Passe "_qs + QString::number(p);
            v << qHash(contenu = Fichiers::Texte_GPX(poi));
        }
        connues.unite(QSet<size_t>(v.cbegin(), v.cend()));
        return v;
    }

    // What the folder holds beside the backups, hidden files included.
    QStringList Entrees() const {
        QStringList t =
            QDir(racine.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        t.removeOne(u"tmp"_qs);
        for (const QString& e :
             QDir(racine.path() + u"/tmp"_qs)
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            if (!QRegularExpression(u"^Escales\\.gpx\\.([1-9]|[12][0-9]|30)$"_qs)
                     .match(e)
                     .hasMatch())
                t << e;
        return t;
    }

    QMap<int, size_t> Sauvegardes() const { // backup n -> its hash, for each there is
        QMap<int, size_t> t;
        for (int n = 1; n <= 30; ++n)
            if (QFile f(racine.path() + u"/tmp/Escales.gpx.%1"_qs.arg(n)); f.open(QFile::ReadOnly))
                t.insert(n, qHash(f.readAll()));
        return t;
    }
};

// Opens the file as the program does and saves it, pass after pass, POI 1 renamed
// "Passe <n>" before save n.
static void Ouvrir_Sauver(const QString& chemin) {
    const Fichiers::Chemins chemins = Fichiers::Decouper_Chemin(chemin);
    for (int n = 1; n <= Passes; ++n) {
        const Fichiers::Ouverture ouverture = Fichiers::Preparer_Ouverture(chemins);
        QVERIFY(!ouverture.erreur);
        Magasin poi = Lu(ouverture.contenu);
        poi.Nom_POI[1] = u"Passe "_qs + QString::number(n);
        QVERIFY(!Fichiers::Ecrire_GPX(poi, chemins.nom));
    }
}

class TestArretBrutal : public QObject {
    Q_OBJECT
  private slots:
    void ouverture_et_sauvegarde_tuees() {
        Dossier d;
        std::chrono::duration<double> duree{};
        QList<int> trouvees(1 + 2 * Passes); // kills that left the file as exported, opened once...
        QMap<int, size_t> avant = d.Sauvegardes();
        for (int k = 0; k < Arrets + Arrets / 20; ++k) {
            const bool mesure = k % 21 == 0; // left to its end, for the length of the next 20 kills
            const QByteArray depart = Export(k);
            const QList<size_t> versions = d.Versions(depart);
            QFile::remove(d.chemin); // a new file: the last opening's backup may be this one
            Ecrire(d.chemin, depart);
            const auto debut = std::chrono::steady_clock::now();
            {
                // Killed at a moment of the work spread evenly from kill to kill.
                const Fourche enfant(mesure ? std::nullopt
                                            : std::optional(duree * std::fmod(k * 0.618034, 1.0)));
                if (enfant.Enfant()) {
                    enfant.Pret();
                    Ouvrir_Sauver(d.chemin);
                    return;
                }
            }
            if (mesure)
                duree = std::chrono::steady_clock::now() - debut;

            const qsizetype version = versions.indexOf(qHash(Lire(d.chemin)));
            QVERIFY2(version >= 0, qPrintable(u"arrêt %1: le fichier est incomplet"_qs.arg(k)));
            QVERIFY(!mesure || version == 2 * Passes);
            // A run left to its end removes what the killed ones left.
            QVERIFY(!mesure || d.Entrees() == QStringList({u"Escales.gpx"_qs, u"Temp.gpx"_qs}));
            trouvees[version] += !mesure;
            const QMap<int, size_t> apres = d.Sauvegardes();
            for (auto it = apres.cbegin(); it != apres.cend(); ++it)
                QVERIFY2(d.connues.contains(*it),
                         qPrintable(u"arrêt %1: sauvegarde %2 incomplète"_qs.arg(k).arg(it.key())));
            // Each opening drops the oldest backup: the others stay, wherever they moved.
            for (auto it = avant.cbegin(); it != avant.cend(); ++it)
                QVERIFY2(it.key() <= Passes || apres.values().contains(*it),
                         qPrintable(u"arrêt %1: sauvegarde %2 perdue"_qs.arg(k).arg(it.key())));
            avant = apres;
        }
        // Kills came before the opening replaced the file, between that and the save, and after.
        qInfo() << "le fichier après les arrêts (exporté, ouvert, enregistré...):" << trouvees;
        QVERIFY(trouvees[0] >= Arrets / 40 && trouvees[1] >= Arrets / 40 &&
                trouvees[2] >= Arrets / 40);
    }
};

QTEST_GUILESS_MAIN(TestArretBrutal)
#include "test_arret_brutal.moc"
