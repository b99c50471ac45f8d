// Speed of opening and saving GPX files against one durable copy of the same file, and
// against GPSBabel reading the same file (when it is installed).
// Usage: bench_gpx [folder]   (default: the system's temporary folder)
// For each size (about 1, 10 and 100 MB: 100 waypoints with 5 links each, padded with a
// track) it prints the time to open the file with 30 backups already in "tmp", the time
// to save the store, the time of a copy followed by fsync, and what the count of what the
// file holds beyond the store (the warning) adds to the opening, the reading alone, and
// GPSBabel's conversion of the file to GPX (read in full, written to /dev/null).

#include "gpx/Disque.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/Inventaire.h"
#include "gpx/Lecture_GPX.h"
#include "gpx/Ouverture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace {

// OpenCPN's own layout: LF line ends, so the opening has every line to rewrite.
QByteArray Generer(qsizetype taille) {
    QByteArray t = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"OpenCPN\" "
                   "xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    for (int i = 1; i <= 100; ++i) {
        const QByteArray n = QByteArray::number(i);
        t += "  <wpt lat=\"47." + n + "\" lon=\"-2." + n +
             "\">\n    <time>2026-03-05T14:" + QByteArray::number(100 + i % 60).right(2) + ":" +
             n.rightJustified(2, '0').right(2) + "Z</time>\n    <name>Point%20" + n +
             " \xc3\xa9t\xc3\xa9</name>\n";
        for (int j = 1; j <= 5; ++j) {
            const QByteArray cible =
                j % 2 ? "file://C:\\Escales\\Note" + n + ".txt"
                      : "https://example.org/p?i=" + n + "&amp;j=" + QByteArray::number(j);
            t += "    <link href=\"" + cible + "\">\n      <text>Lien " + QByteArray::number(j) +
                 "</text>\n    </link>\n";
        }
        t += "    <sym>anchorage</sym>\n  </wpt>\n";
    }
    t += "  <trk>\n    <trkseg>\n";
    for (int k = 0; t.size() < taille; ++k)
        t += "      <trkpt lat=\"47.48" + QByteArray::number(k % 100000) + "\" lon=\"-3.09" +
             QByteArray::number(k % 99991) +
             "\">\n        <time>2026-03-05T14:05:00Z</time>\n"
             "      </trkpt>\n";
    return t + "    </trkseg>\n  </trk>\n</gpx>\n";
}

bool Ecrire_Brut(const QString& chemin, const QByteArray& octets) {
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(octets) == octets.size();
}

// The reference cost: the program's own durable copy of the file.
double Copie_Durable(const QString& source, const QString& cible) {
    QElapsedTimer chrono;
    chrono.start();
    const std::optional<QByteArray> octets = Disque::Lire_Tout(source);
    if (!octets || Disque::Fichier_Neuf(cible, *octets, {}).Poser() != 0)
        qFatal("copy failed");
    return chrono.nsecsElapsed() / 1e6;
}

// GPSBabel reading the file and writing it again, thrown away; -1 without GPSBabel.
double Gpsbabel(const QString& fichier) {
    const QString programme = QStandardPaths::findExecutable(u"gpsbabel"_qs);
    if (programme.isEmpty())
        return -1;
    QElapsedTimer chrono;
    chrono.start();
    QProcess gpsbabel;
    gpsbabel.start(programme, {u"-i"_qs, u"gpx"_qs, u"-f"_qs, fichier, u"-o"_qs, u"gpx"_qs,
                               u"-F"_qs, u"/dev/null"_qs});
    if (!gpsbabel.waitForFinished(-1) || gpsbabel.exitCode() != 0)
        qFatal("gpsbabel failed");
    return chrono.nsecsElapsed() / 1e6;
}

double Mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QTemporaryDir temporaire(base + QStringLiteral("/bench_gpx-XXXXXX"));
    if (!temporaire.isValid())
        qFatal("no temporary folder in %s", qPrintable(base));
    const QString dossier = temporaire.path() + u'/';
    std::printf("%-8s %12s %12s %10s %5s %12s %10s %7s %10s %12s %10s\n", "taille", "ouverture",
                "copie+fsync", "ouv./copie", "POI", "sauvegarde", "comptage", "+ouv.", "lecture",
                "gpsbabel", "gpsb./ouv.");

    for (const qsizetype mo : {1, 10, 100}) {
        const QByteArray contenu = Generer(mo * 1024 * 1024);
        const Fichiers::Chemins chemins = Fichiers::Decouper_Chemin(dossier + u"Escales.gpx"_qs);
        QDir().mkpath(dossier + u"tmp"_qs);
        // A full series of backups; hard links, where there are, keep the disk use to one copy.
        Ecrire_Brut(dossier + u"modele"_qs, contenu);
        for (int n = 1; n <= Fichiers::Nb_Sauvegardes; ++n) {
            const QString sauvegarde = Fichiers::Chemin_Sauvegarde(chemins, n);
            QFile::remove(sauvegarde);
            if (::link(QFile::encodeName(dossier + u"modele"_qs).constData(),
                       QFile::encodeName(sauvegarde).constData()) != 0)
                Ecrire_Brut(sauvegarde, contenu);
        }

        std::vector<double> ouvertures, copies, sauvegardes, comptages, lectures;
        Declarations::Declarations poi;
        poi.Max_POI = Declarations::Capacite;
        for (int essai = 0; essai < 5; ++essai) {
            Ecrire_Brut(chemins.nom, contenu); // as first opened: links to re-point
            copies.push_back(Copie_Durable(chemins.nom, dossier + u"copie"_qs));

            QElapsedTimer chrono;
            chrono.start();
            const Fichiers::Ouverture ouverture = Fichiers::Preparer_Ouverture(chemins);
            if (!ouverture.erreur.isEmpty())
                qFatal("%s", qPrintable(ouverture.erreur));
            Fichiers::Lire_Fichier(poi, ouverture.contenu);
            ouvertures.push_back(chrono.nsecsElapsed() / 1e6);

            chrono.restart();
            Fichiers::Lire_Fichier(poi, ouverture.contenu);
            lectures.push_back(chrono.nsecsElapsed() / 1e6);

            if (ouverture.inventaire.points != 100 || ouverture.inventaire.traces != 1)
                qFatal("wrong count");

            chrono.restart();
            if (!Fichiers::Ecrire_GPX(poi, dossier + u"Sauve.gpx"_qs))
                qFatal("save failed");
            sauvegardes.push_back(chrono.nsecsElapsed() / 1e6);
        }
        const double o = Mediane(ouvertures), c = Mediane(copies), n = Mediane(comptages);
        const double g = Gpsbabel(dossier + u"modele"_qs);
        std::printf("%5lld MB %9.1f ms %9.1f ms %10.2f %5d %9.2f ms %7.2f ms %6.1f%% %7.1f ms "
                    "%9.1f ms %10.1f\n",
                    static_cast<long long>(contenu.size() / (1024 * 1024)), o, c, o / c,
                    int(poi.Nb_POI), Mediane(sauvegardes), n, 100 * n / o, Mediane(lectures), g,
                    g / o);
        QDir(dossier + u"tmp"_qs).removeRecursively();
    }
    return 0;
}
