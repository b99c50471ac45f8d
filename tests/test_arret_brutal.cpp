// An opening and a save killed at 200 moments: the user's file is always one of its versions
// in full, every backup is a whole version, and no backup that existed is lost.

#include "core/Declarations.h"
#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/Lecture_GPX.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <thread>

namespace {

constexpr int Passes = 2; // each an opening and a save
constexpr int Arrets = 200;

// A plotter's export of about 1 MB: LF line ends, file links made on Windows, a long track.
QByteArray Export(int numero) {
    static const QByteArray trace = [] {
        QByteArray t = "  <trk>\n    <trkseg>\n";
        for (int k = 0; t.size() < 1'000'000; ++k)
            t += "      <trkpt lat=\"47." + QByteArray::number(k) + "\" lon=\"-3.1\"></trkpt>\n";
        return t + "    </trkseg>\n  </trk>\n</gpx>\n";
    }();
    QByteArray t = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"OpenCPN\">\n";
    for (int i = 1; i <= 100; ++i)
        t += "  <wpt lat=\"47." + QByteArray::number(i) +
             "\" lon=\"-2.5\">\n"
             "    <time>2026-03-05T14:03:07Z</time>\n    <name>Export " +
             QByteArray::number(numero) + " point " + QByteArray::number(i) +
             "</name>\n    <link href=\"file://C:\\Escales\\Note" + QByteArray::number(i) +
             ".txt\">\n      <text>Notes</text>\n    </link>\n  </wpt>\n";
    return t + trace;
}

Declarations::Declarations Lu(QByteArrayView contenu) {
    Declarations::Declarations poi;
    poi.Max_POI = Declarations::Capacite;
    Fichiers::Lire_Fichier(poi, contenu);
    return poi;
}

struct Dossier {
    QTemporaryDir racine;
    QString dossier = racine.path() + u'/';
    QString chemin = dossier + u"Escales.gpx"_qs;
    QHash<QByteArray, QString> connues;    // digest -> name of the version
    QHash<QString, QByteArray> empreintes; // inode, size and time -> digest, read once

    // Every content the file can hold from `depart` on: as exported, then after each pass's
    // opening (links re-pointed) and save (that the helper renames POI 1 "Passe <n>").
    QStringList Versions(int numero, const QByteArray& depart) {
        QStringList noms;
        const auto Connaitre = [&](const QByteArray& octets, const QString& nom) {
            connues.insert(QCryptographicHash::hash(octets, QCryptographicHash::Sha1), nom);
            noms << nom;
        };
        const QString n = QString::number(numero);
        Connaitre(depart, u"export "_qs + n);
        QByteArray contenu = depart;
        for (int passe = 1; passe <= Passes; ++passe) {
            const QString p = QString::number(passe);
            const QByteArray corrige = Fichiers::Corriger_Liens_Fichier(contenu, dossier);
            Connaitre(corrige, u"ouverture "_qs + p + u' ' + n);
            Declarations::Declarations poi = Lu(corrige);
            poi.Nom_POI[1] = u"Passe "_qs + p;
            contenu = Fichiers::Texte_GPX(poi);
            Connaitre(contenu, u"sauvegarde "_qs + p + u' ' + n);
        }
        return noms;
    }

    // The name of the version the file holds in full; empty when there is no file.
    QString Version(const QString& fichier) {
        struct stat s {};
        if (::stat(QFile::encodeName(fichier).constData(), &s) != 0)
            return QString();
        const QString cle = u"%1:%2:%3.%4"_qs.arg(s.st_ino)
                                .arg(s.st_size)
                                .arg(s.st_mtim.tv_sec)
                                .arg(s.st_mtim.tv_nsec);
        if (!empreintes.contains(cle)) {
            QFile f(fichier);
            if (!f.open(QIODevice::ReadOnly))
                return u"illisible"_qs;
            empreintes.insert(cle, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1));
        }
        return connues.value(empreintes.value(cle), u"inconnue de %1 octets"_qs.arg(s.st_size));
    }

    // Backup n -> the version it holds.
    QMap<int, QString> Sauvegardes() {
        QMap<int, QString> t;
        for (int n = 1; n <= 30; ++n)
            if (const QString v = Version(dossier + u"tmp/Escales.gpx."_qs + QString::number(n));
                !v.isEmpty())
                t.insert(n, v);
        return t;
    }
};

// The next step the helper tells, without its line end; empty when it has ended.
QByteArray Etape_Suivante(QProcess& aide) {
    while (!aide.canReadLine())
        if (!aide.waitForReadyRead(10000))
            return {};
    return aide.readLine().trimmed();
}

// Starts the helper and waits until it is about to open the file.
bool Demarrer(QProcess& aide, const QString& chemin) {
    aide.start(QStringLiteral(QUILLVANE_OUVRIR_SAUVER), {chemin, QString::number(Passes)});
    return Etape_Suivante(aide) == "pret";
}

} // namespace

class TestArretBrutal : public QObject {
    Q_OBJECT
  private slots:
    void ouverture_et_sauvegarde_tuees();
};

void TestArretBrutal::ouverture_et_sauvegarde_tuees() {
    Dossier d;
    const QByteArray modele = Export(0);

    // Runs left to their end give how long each step lasts at the least.
    QVector<double> durees(2 * Passes, 1e9); // ms: each opening and save
    for (int essai = 0; essai < 3; ++essai) {
        d.Versions(0, modele);
        QFile f(d.chemin);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                f.write(modele) == modele.size());
        f.close();
        QProcess aide;
        QVERIFY(Demarrer(aide, d.chemin));
        QElapsedTimer chrono;
        chrono.start();
        // Each step's line comes as it begins; the next one ends it.
        for (int etape = -1; etape < durees.size(); ++etape) {
            const bool fin = etape + 1 == durees.size();
            QCOMPARE(Etape_Suivante(aide), QByteArray(fin               ? "fin"
                                                      : (etape + 1) % 2 ? "sauvegarde"
                                                                        : "ouverture"));
            if (etape >= 0)
                durees[etape] = qMin(durees[etape], chrono.nsecsElapsed() / 1e6);
            chrono.start();
        }
        QVERIFY(aide.waitForFinished(10000));
        QCOMPARE(aide.exitCode(), 0);
        QCOMPARE(d.Version(d.chemin), u"sauvegarde 2 0"_qs);
    }

    QMap<QString, int> atteintes;
    for (int k = 1; k <= Arrets; ++k) {
        // Each kill aims at one step, once it has begun, at a point moving through it from
        // run to run.
        const int etape = k % (2 * Passes);
        const double part = double(k / (2 * Passes)) / (Arrets / (2 * Passes));

        const QByteArray depart = Export(k);
        const QStringList versions = d.Versions(k, depart);
        {
            QFile f(d.chemin);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                    f.write(depart) == depart.size());
        }
        const QMap<int, QString> avant = d.Sauvegardes();
        QProcess aide;
        QVERIFY(Demarrer(aide, d.chemin));
        QByteArray derniere;
        for (int e = 0; e <= etape; ++e)
            derniere = Etape_Suivante(aide);
        std::this_thread::sleep_for(std::chrono::microseconds(qint64(part * durees[etape] * 1000)));
        aide.kill();
        QVERIFY(aide.waitForFinished(10000));
        for (const QByteArray& dite : aide.readAllStandardOutput().split('\n'))
            if (!dite.isEmpty())
                derniere = dite;
        ++atteintes[QString::fromLatin1(derniere)];

        const QString fichier = d.Version(d.chemin);
        QVERIFY2(versions.contains(fichier),
                 qPrintable(u"arrêt %1: le fichier est %2"_qs.arg(k).arg(fichier)));
        const QMap<int, QString> apres = d.Sauvegardes();
        for (auto it = apres.cbegin(); it != apres.cend(); ++it)
            QVERIFY2(
                !it.value().startsWith(u"inconnue"_qs),
                qPrintable(u"arrêt %1: sauvegarde %2 %3"_qs.arg(k).arg(it.key()).arg(it.value())));
        // Each opening rotates once, the oldest backup going: the others stay somewhere.
        for (auto it = avant.cbegin(); it != avant.cend(); ++it)
            if (it.key() > Passes)
                QVERIFY2(apres.values().contains(it.value()),
                         qPrintable(u"arrêt %1: %2 perdue"_qs.arg(k).arg(it.value())));
    }
    qInfo() << "dernière étape commencée avant l'arrêt:" << atteintes;
    QVERIFY(atteintes.value(u"ouverture"_qs) >= Arrets / 10);
    QVERIFY(atteintes.value(u"sauvegarde"_qs) >= Arrets / 10);
}

QTEST_GUILESS_MAIN(TestArretBrutal)
#include "test_arret_brutal.moc"
