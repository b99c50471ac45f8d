// Faults of the system under an opening, a save and a description save: a file size limit
// too small for the file, a folder that cannot be written, a folder that has vanished. Each
// case runs in a child process, whose size limit and user are its own: one French message
// naming the file, no success told, the user's file, its backups and the old description
// whole.

#include "gpx/Disque.h"
#include "gpx/Fichiers.h"
#include "links/Descriptif.h"
#include "links/TexteLien1.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

#include <QTemporaryDir>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

enum Operation { Ouverture, Sauvegarde, Descriptif };
enum Panne { Taille, Lecture_Seule, Disparu }; // operations, faults

class TestPannes : public QObject {
    Q_OBJECT
  private slots:
    void pannes_data() {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("panne");
        for (const int o : {Ouverture, Sauvegarde, Descriptif})
            for (const int p : {Taille, Lecture_Seule, Disparu})
                QTest::addRow("%s, %s", std::array{"ouverture", "sauvegarde", "descriptif"}[o],
                              std::array{"taille", "lecture seule", "disparu"}[p])
                    << o << p;
    }

    void pannes() {
        QFETCH(int, operation);
        QFETCH(int, panne);
        if (panne == Lecture_Seule && geteuid() != 0)
            QSKIP("Only root can become the user nobody, who writes in none of the folders.");
        QTemporaryDir racine;
        if (const pid_t pid = fork(); pid != 0) {
            int etat = -1; // 0 once the child has ended with every check passed
            QVERIFY2(pid > 0 && waitpid(pid, &etat, 0) == pid && etat == 0, "see the child's log");
            return;
        }
        // The child ends with this function, whatever check stops it, and undoes nothing of
        // the parent's (its folder, its test log).
        const auto fin = qScopeGuard([] { _exit(QTest::currentTestFailed() ? 1 : 0); });
        const QString dossier = racine.path() + u"/Bord/"_qs, chemin = dossier + u"Escales.gpx"_qs;
        const QString description = dossier + u"Île d'Yeu.txt"_qs;
        const QByteArray original = Reference(u"opencpn_linux.gpx"_qs);
        QVERIFY(QDir().mkpath(dossier + u"tmp"_qs));
        QVERIFY(QFile::setPermissions(racine.path(), QFile::Permissions(0x7555))); // rwxr-xr-x
        Ecrire(chemin, original);
        Ecrire(dossier + u"tmp/Escales.gpx.30"_qs, "copie");
        Ecrire(description, "vieux\r\n");
        // The program with a document open (another one, before an opening), and the
        // description of its POI open with a new text typed.
        Banc b;
        b.Demarrer();
        b.c.poi.Nom_Fichier = operation == Ouverture ? u"/ailleurs/avant.gpx"_qs : chemin;
        b.c.suivi.identite = Disque::Identite_De(chemin); // as it was opened
        b.c.poi.Dossier_Fichier = dossier;
        b.Selectionner(b.Ajouter_POI(u"Île d'Yeu"_qs, u"47.1"_qs, u"-2.1"_qs));
        TexteLien1::Ouvrir(b.c);
        b.c.texteLien1->Definir_Texte(QString(300, u'x'));
        // Before an opening, the document holds an unsaved edit: asked first, the user lets it
        // go, or puts the question aside when the file has vanished.
        if (operation == Ouverture) {
            b.c.ui.Nom_WP->setText(u"Yeu"_qs);
            b.c.ui.Option1->Bouton(0)->setChecked(true);
            Banc::Cliquer(b.c.ui.Validation);
            b.services.choix = {panne == Disparu ? Services::Reponse::Annuler
                                                 : Services::Reponse::Non};
        }

        const Limite_Taille limite(panne == Taille ? 100 : RLIM_INFINITY);
        QVERIFY(panne != Lecture_Seule || setuid(getpwnam("nobody")->pw_uid) == 0); // not root
        QVERIFY(panne != Disparu || QDir(dossier).removeRecursively());
        // Each operation as the user makes it, and whether the program then holds it done.
        const std::function<bool()> operations[] = {
            [&] { return Fichiers::Charger(b.c, chemin), b.c.poi.Nom_Fichier == chemin; },
            [&] { return Fichiers::Sauve_Fichier(b.c); },
            [&] {
                return Gerer_liens::Enregistrer_Click(b.c, b.c.texteLien1->Texte()),
                       b.c.poi.Nb_Liens[1] != 0;
            }};
        const bool fait = operations[operation]();
        const QStringList& dit = b.services.messages;
        const char16_t* motif[] = {u"été ouvert", u"être enregistré", u"Impossible d'enregistrer"};
        // A name whose folder has vanished would start a new document: the user, who has
        // unsaved edits, is asked first and keeps them.
        QVERIFY2(operation == Ouverture && panne == Disparu
                     ? dit.isEmpty() && !fait && b.services.questions.size() == 1
                     : dit.size() == 1 && dit[0].contains(motif[operation]) && !fait &&
                           dit[0].contains(operation == Descriptif ? description : chemin),
                 qPrintable(dit.join(u'|')));
        QCOMPARE(QFileInfo::exists(dossier), panne != Disparu);
        // What is on disk but copies of the user's file as it was: its description and the
        // backup there was (an opening may rotate the backups and back the file up first).
        QByteArrayList vu{Lire(chemin), Lire(description)};
        for (const QFileInfo& f : QDir(dossier + u"tmp"_qs).entryInfoList({u"Escales.gpx.*"_qs}))
            vu << Lire(f.filePath());
        vu.removeAll(original);
        QCOMPARE(vu, (panne == Disparu ? QByteArrayList(2) : QByteArrayList{"vieux\r\n", "copie"}));
    }
};

QUILLVANE_TEST_MAIN(TestPannes)
#include "test_pannes.moc"
