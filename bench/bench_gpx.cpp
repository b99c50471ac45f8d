// Speed of opening and saving GPX files against one durable copy of the same file, and
// of reading them against GPSBabel reading the same file (when it is installed).
// Usage: bench_gpx [folder]   (default: the system's temporary folder)
// For each size (about 1, 10 and 100 MB: 100 waypoints with 5 links each, padded with a
// track) it prints the time to open the file with 30 backups already in "tmp" (backup,
// working copy and rewrite, and the reading) and to save the store, each also as a multiple
// of one copy of the file followed by fsync (and the opening's file work alone: the opening
// less the reading alone); the bytes each sends to the disk, as a multiple of the file's size;
// the reading alone (links re-pointed and the warning's count included, best of 5) and
// GPSBabel's reading of the waypoints written back as GPX (best of 3). Then the reading of
// files no GPX tool writes (many comments, unclosed elements), best of 3.

#include "Compteurs_Proc.h"
#include "gpx/Disque.h"
#include "gpx/Ecriture_GPX.h"
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
    const std::optional<QByteArray> octets = Disque::Lire(source).octets;
    if (!octets || Disque::Fichier_Neuf(cible, *octets, {}, Disque::Etape::Sauvegarde).Poser())
        qFatal("copy failed");
    return chrono.nsecsElapsed() / 1e6;
}

// GPSBabel reading the file's waypoints and writing them again (tracks and routes dropped,
// as the program lists only the waypoints); -1 without GPSBabel.
double Gpsbabel(const QString& fichier, const QString& sortie) {
    const QString programme = QStandardPaths::findExecutable(u"gpsbabel"_qs);
    if (programme.isEmpty())
        return -1;
    QElapsedTimer chrono;
    chrono.start();
    QProcess gpsbabel;
    gpsbabel.start(programme,
                   {u"-i"_qs, u"gpx"_qs, u"-f"_qs, fichier, u"-x"_qs, u"nuketypes,tracks,routes"_qs,
                    u"-o"_qs, u"gpx"_qs, u"-F"_qs, sortie});
    if (!gpsbabel.waitForFinished(-1) || gpsbabel.exitCode() != 0)
        qFatal("gpsbabel failed");
    return chrono.nsecsElapsed() / 1e6;
}

// The bytes this process has sent to the disk so far (written by it, whether flushed by it or
// by the kernel).
double Octets_Ecrits() {
    return Compteur_Proc(u"io"_qs, "write_bytes:");
}

// Files no GPX tool writes, each read alone: the time must grow with the size only.
void Hostiles() {
    const QByteArray tete = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\">\n";
    const QByteArray point = "<wpt lat=\"1\" lon=\"2\"><name>n</name></wpt>\n";
    const auto Imbrique = [&](int n) {
        return tete + "<wpt lat=\"1\" lon=\"2\">" + QByteArray("<a>").repeated(n) +
               QByteArray("</b>").repeated(n) + "</wpt>" + point + "</gpx>\n";
    };
    const struct {
        const char* nom;
        QByteArray contenu;
    } cas[] = {
        {"400 000 commentaires",
         tete + QByteArray("<!-- c -->\n").repeated(400000) + point + "</gpx>\n"},
        {"400 000 CDATA",
         tete + QByteArray("<![CDATA[c]]>\n").repeated(400000) + point + "</gpx>\n"},
        {"40 000 <a> puis </b>", Imbrique(40000)},
        {"400 000 <a> puis </b>", Imbrique(400000)},
        {"400 000 <a> hors point", tete + QByteArray("<a>").repeated(400000) +
                                       QByteArray("</b>").repeated(400000) + point + "</gpx>\n"},
    };
    for (const auto& [nom, contenu] : cas) {
        std::vector<double> lectures;
        Declarations::Declarations poi;
        for (int essai = 0; essai < 3; ++essai) {
            QElapsedTimer chrono;
            chrono.start();
            Fichiers::Lire_Fichier(poi, contenu);
            lectures.push_back(chrono.nsecsElapsed() / 1e6);
        }
        std::printf("%-26s %6.1f Mo %9.1f ms (meilleure de 3)\n", nom, contenu.size() / 1e6,
                    *std::min_element(lectures.begin(), lectures.end()));
    }
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
    std::printf("%-8s %12s %12s %10s %10s %9s %5s %12s %10s %9s %10s %12s %11s\n", "taille",
                "ouverture", "copie+fsync", "ouv./copie", "prép./copie", "ouv.écrit", "POI",
                "sauvegarde", "sauv./copie", "sauv.écrit", "lecture", "gpsbabel", "gpsb./lect.");

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

        std::vector<double> ouvertures, copies, sauvegardes, lectures, ecrits_ouverture,
            ecrits_sauvegarde;
        Declarations::Declarations poi;
        poi.Max_POI = Declarations::Capacite;
        for (int essai = 0; essai < 5; ++essai) {
            Ecrire_Brut(chemins.nom, contenu); // as first opened: links to re-point
            copies.push_back(Copie_Durable(chemins.nom, dossier + u"copie"_qs));

            ::sync(); // what the preparation wrote is not counted, nor waited for, in the opening
            double ecrits = Octets_Ecrits();
            QElapsedTimer chrono;
            chrono.start();
            const Fichiers::Ouverture ouverture = Fichiers::Preparer_Ouverture(chemins);
            if (ouverture.erreur)
                qFatal("opening failed");
            ouvertures.push_back(chrono.nsecsElapsed() / 1e6);
            ecrits_ouverture.push_back((Octets_Ecrits() - ecrits) / double(contenu.size()));

            chrono.restart();
            const Fichiers::Lecture lecture =
                Fichiers::Lire_Fichier(poi, contenu, &chemins.dossier);
            lectures.push_back(chrono.nsecsElapsed() / 1e6);
            if (lecture.inventaire.points != 100 || lecture.inventaire.traces != 1 ||
                ouverture.inventaire.points != 100 || lecture.cibles.size() != 300)
                qFatal("wrong count");

            ecrits = Octets_Ecrits();
            chrono.restart();
            if (Fichiers::Ecrire_GPX(poi, dossier + u"Sauve.gpx"_qs))
                qFatal("save failed");
            sauvegardes.push_back(chrono.nsecsElapsed() / 1e6);
            ecrits_sauvegarde.push_back((Octets_Ecrits() - ecrits) / double(contenu.size()));
        }
        const double o = Mediane(ouvertures), c = Mediane(copies);
        const double sv = Mediane(sauvegardes);
        std::vector<double> babel;
        for (int essai = 0; essai < 3; ++essai)
            babel.push_back(Gpsbabel(dossier + u"modele"_qs, dossier + u"babel.gpx"_qs));
        const double g = *std::min_element(babel.begin(), babel.end());
        const double l = *std::min_element(lectures.begin(), lectures.end());
        std::printf("%5lld MB %9.1f ms %9.1f ms %10.2f %11.2f %8.2fx %5d %9.2f ms %11.2f %9.2fx "
                    "%7.1f ms %9.1f ms %11.1f\n",
                    static_cast<long long>(contenu.size() / (1024 * 1024)), o, c, o / c,
                    (o - l) / c, Mediane(ecrits_ouverture), int(poi.Nb_POI), sv, sv / c,
                    Mediane(ecrits_sauvegarde), l, g, g / l);
        QDir(dossier + u"tmp"_qs).removeRecursively();
    }
    Hostiles();
    return 0;
}
