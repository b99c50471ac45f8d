// The command line, read with no application object at all, and the real program answering
// --help, --version and a wrong command line with no display.

#include "core/Ligne_Commande.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using Ligne_Commande::Action;

class TestLigneCommande : public QObject {
    Q_OBJECT
  private slots:
    void analyse_data() {
        QTest::addColumn<QStringList>("arguments"); // after the program's own name
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("fichier");
        QTest::addColumn<QString>("extrait"); // part of what is printed
        const QString ici = QDir::toNativeSeparators(QDir::currentPath() + u'/');
        const int demarrer = int(Action::Demarrer), afficher = int(Action::Afficher),
                  refuser = int(Action::Refuser);
        QTest::newRow("aucun fichier") << QStringList{} << demarrer << ""
                                       << "";
        QTest::newRow("chemin relatif")
            << QStringList{"./cartes/../ports.gpx"} << demarrer << ici + "ports.gpx"
            << "";
        QTest::newRow("nom commençant par un tiret")
            << QStringList{"--", "-ports.gpx"} << demarrer << ici + "-ports.gpx"
            << "";
        QTest::newRow("options de Qt")
            << QStringList{"-platform", "offscreen", "--style=Fusion", "-reverse", "ports.gpx"}
            << demarrer << ici + "ports.gpx"
            << "";
        QTest::newRow("deux fichiers")
            << QStringList{"a.gpx", "b.gpx"} << refuser << ""
            << "quillvane : un seul fichier peut être ouvert à la fois.\n"
               "Usage : quillvane [options] [FICHIER.gpx]";
        QTest::newRow("option inconnue") << QStringList{"--carte"} << refuser << ""
                                         << "quillvane : option inconnue « carte ».\nUsage : ";
        QTest::newRow("--version") << QStringList{"--version"} << afficher << ""
                                   << "Quillvane " QUILLVANE_VERSION_PROJET "\n";
        QTest::newRow("-h avec un fichier") << QStringList{"a.gpx", "-h"} << afficher << ""
                                            << "  -v, --version  Affiche la version";
    }

    void analyse() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, extrait);
        const Ligne_Commande::Demande demande =
            Ligne_Commande::Analyser(QStringList{"/usr/bin/quillvane"} + arguments);
        QTEST(int(demande.action), "action");
        QTEST(demande.fichier, "fichier");
        QVERIFY2(demande.texte.contains(extrait), qPrintable(demande.texte));
    }

    void programme_sans_ecran_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("statut");
        QTest::addColumn<QString>("sortie");  // start of the standard output
        QTest::addColumn<QString>("erreurs"); // start of the standard error
        QTest::newRow("--help") << QStringList{"--help"} << 0
                                << "Usage : quillvane [options] [FICHIER.gpx]\n"
                                << "";
        QTest::newRow("deux fichiers") << QStringList{"a.gpx", "b.gpx"} << 2 << ""
                                       << "quillvane : un seul fichier";
    }

    // No display and no way to make one: a window or the web engine would end the program.
    void programme_sans_ecran() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, sortie);
        QFETCH(QString, erreurs);
        QProcess programme;
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environnement.remove(QString::fromLatin1(variable));
        programme.setProcessEnvironment(environnement);
        programme.start(QStringLiteral(QUILLVANE_PROGRAMME), arguments);
        QVERIFY(programme.waitForFinished(30000));
        QCOMPARE(programme.exitStatus(), QProcess::NormalExit);
        QTEST(programme.exitCode(), "statut");
        const QString out = QString::fromUtf8(programme.readAllStandardOutput());
        const QString err = QString::fromUtf8(programme.readAllStandardError());
        QVERIFY2(sortie.isEmpty() ? out.isEmpty() : out.startsWith(sortie), qPrintable(out));
        QVERIFY2(erreurs.isEmpty() ? err.isEmpty() : err.startsWith(erreurs), qPrintable(err));
    }
};

QTEST_APPLESS_MAIN(TestLigneCommande)
#include "test_ligne_commande.moc"
