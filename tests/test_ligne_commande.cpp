// The command line, read with no application object at all, and the real program answering
// --help and a wrong command line with no display.

#include "core/Ligne_Commande.h"

#include <QDir>
#include <QProcess>
#include <QtTest>

using Ligne_Commande::Action;

class TestLigneCommande : public QObject {
    Q_OBJECT
  private slots:
    // The arguments after the program's own name: what to do, the file, part of what is
    // printed.
    void analyse() {
        const QString ici = QDir::toNativeSeparators(QDir::currentPath() + u'/');
        const std::tuple<QStringList, Action, QString, QString> cas[] = {
            {{}, Action::Demarrer, {}, {}},
            {{"./cartes/../ports.gpx"}, Action::Demarrer, ici + u"ports.gpx"_qs, {}},
            {{"--", "-ports.gpx"}, Action::Demarrer, ici + u"-ports.gpx"_qs, {}},
            {{"-platform", "offscreen", "--style=Fusion", "-reverse", "ports.gpx"},
             Action::Demarrer,
             ici + u"ports.gpx"_qs,
             {}},
            {{"a.gpx", "b.gpx"},
             Action::Refuser,
             {},
             u"quillvane : un seul fichier peut être ouvert à la fois.\n"
             u"Usage : quillvane [options] [FICHIER.gpx]"_qs},
            {{"--carte"},
             Action::Refuser,
             {},
             u"quillvane : option inconnue « carte ».\nUsage : "_qs},
            {{"-style"},
             Action::Refuser,
             {},
             u"quillvane : valeur manquante après « -style ».\nUsage : "_qs},
            {{"--help=oui"},
             Action::Refuser,
             {},
             u"quillvane : valeur inattendue après « --help ».\nUsage : "_qs},
            {{"--version"}, Action::Afficher, {}, u"Quillvane " QUILLVANE_VERSION_PROJET "\n"_qs},
            {{"a.gpx", "-h"},
             Action::Afficher,
             {},
             u"\n\nOptions :\n  -h, --help     Affiche cette aide et s'arrête.\n"
             u"  -v, --version  Affiche la version et s'arrête.\n\nArguments :\n"
             u"  FICHIER.gpx    Le fichier GPX"_qs}};
        for (const auto& [arguments, action, fichier, extrait] : cas) {
            const Ligne_Commande::Demande demande =
                Ligne_Commande::Analyser(QStringList{"/usr/bin/quillvane"} + arguments);
            QCOMPARE(demande.action, action);
            QCOMPARE(demande.fichier, fichier);
            QVERIFY2(demande.texte.contains(extrait), qPrintable(demande.texte));
        }
    }

    // No display and no way to make one: a window or the web engine would end the program.
    void programme_sans_ecran() {
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environnement.remove(QString::fromLatin1(variable));
        const std::tuple<QStringList, int, QString> cas[] = {
            {{"--help"}, 0, u"Usage : quillvane [options] [FICHIER.gpx]\n"_qs},
            {{"a.gpx", "b.gpx"}, 2, u"quillvane : un seul fichier"_qs}}; // on the error output
        for (const auto& [arguments, statut, debut] : cas) {
            QProcess programme;
            programme.setProcessEnvironment(environnement);
            programme.start(QStringLiteral(QUILLVANE_PROGRAMME), arguments);
            QVERIFY(programme.waitForFinished(30000));
            QCOMPARE(programme.exitStatus(), QProcess::NormalExit);
            QCOMPARE(programme.exitCode(), statut);
            const QByteArray sortie = programme.readAllStandardOutput(),
                             erreurs = programme.readAllStandardError();
            QVERIFY2(QString::fromUtf8(statut ? erreurs : sortie).startsWith(debut) &&
                         (statut ? sortie : erreurs).isEmpty(),
                     (sortie + erreurs).constData());
        }
    }
};

QTEST_APPLESS_MAIN(TestLigneCommande)
#include "test_ligne_commande.moc"
