// Faults of the system under an opening, a save and a description save: a file size limit
// too small for the file, a folder that cannot be written, a folder that has vanished. Each
// case runs in a child process, whose size limit and user are its own: a French message, no
// success told, the user's file, its backups and the old description whole.

#include "gpx/Fichiers.h"
#include "links/TexteLien1.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

enum Operation { Ouverture, Sauvegarde, Descriptif };
enum Panne { Taille, Lecture_Seule, Disparu };

const QByteArray Ancien_Texte = "ancien texte\r\n";

struct Lieu {
    QTemporaryDir racine;
    QString dossier = racine.path() + u"/Bord/"_qs;
    QString chemin = dossier + u"Escales.gpx"_qs;
    QString description = dossier + u"Île d'Yeu.txt"_qs;
    QString Sauvegarde(int n) const {
        return dossier + u"tmp/Escales.gpx."_qs + QString::number(n);
    }
};

// Without root's power to write anywhere: the user "nobody" (already so when not root).
bool Sans_Privileges() {
    if (geteuid() != 0)
        return true;
    const passwd* personne = getpwnam("nobody");
    return personne && setgroups(0, nullptr) == 0 && setgid(personne->pw_gid) == 0 &&
           setuid(personne->pw_uid) == 0;
}

// In the child: the program with a document open (or another one, before an opening), the
// fault, then the operation. Gives the messages shown and whether the operation was done.
QByteArray Enfant(const Lieu& l, Operation operation, Panne panne) {
    Banc b;
    b.Demarrer();
    b.c.poi.Nom_Fichier = operation == Ouverture ? u"/ailleurs/avant.gpx"_qs : l.chemin;
    b.c.poi.Dossier_Fichier = operation == Ouverture ? u"/ailleurs/"_qs : l.dossier;
    b.c.poi.Nom_Court = u"Escales.gpx"_qs;
    b.Ajouter_POI(u"Île d'Yeu"_qs, u"47.1"_qs, u"-2.1"_qs);
    if (operation == Descriptif) {
        b.Selectionner(1);
        b.c.ui.Gestion_Liens->trigger();
        QTest::mouseClick(b.c.ui.Descriptif, Qt::LeftButton);
        b.c.texteLien1->Text1->setPlainText(QString(300, u'x'));
    }

    bool panne_en_place = true;
    if (panne == Taille) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limite{100, 100};
        panne_en_place = setrlimit(RLIMIT_FSIZE, &limite) == 0;
    } else if (panne == Lecture_Seule) {
        panne_en_place = Sans_Privileges();
    }

    bool fait = false;
    if (operation == Ouverture) {
        b.services.fichiers << l.chemin;
        QTest::mouseClick(b.c.ui.Charge_Fichier, Qt::LeftButton);
        fait = b.c.poi.Nom_Fichier == l.chemin;
    } else if (operation == Sauvegarde) {
        fait = Fichiers::Sauve_Fichier(b.c);
    } else {
        QTest::mouseClick(b.c.texteLien1->Enregistrer, Qt::LeftButton);
        fait = b.c.poi.Nb_Liens[1] != 0;
    }
    QByteArray resultat;
    QDataStream flux(&resultat, QIODevice::WriteOnly);
    flux << panne_en_place << b.services.messages << fait;
    return resultat;
}

// Runs Enfant in a forked child and brings its result back through a pipe.
QByteArray Dans_Un_Enfant(const Lieu& l, Operation operation, Panne panne) {
    int tube[2];
    if (pipe(tube) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(tube[0]);
        const QByteArray resultat = Enfant(l, operation, panne);
        const bool ecrit =
            write(tube[1], resultat.constData(), size_t(resultat.size())) == resultat.size();
        // Nothing of the parent's (its temporary folder, its test log) is undone here.
        _exit(ecrit ? 0 : 1);
    }
    close(tube[1]);
    QByteArray resultat;
    char tampon[4096];
    for (ssize_t n; (n = read(tube[0], tampon, sizeof tampon)) > 0;)
        resultat.append(tampon, n);
    close(tube[0]);
    int etat = 0;
    waitpid(pid, &etat, 0);
    return WIFEXITED(etat) && WEXITSTATUS(etat) == 0 ? resultat : QByteArray();
}

} // namespace

class TestPannes : public QObject {
    Q_OBJECT
  private slots:
    void pannes_data();
    void pannes();
};

void TestPannes::pannes_data() {
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("panne");
    QTest::addColumn<QString>("message"); // what the one message says, before the path
    const QString ouverture = u"n'a pas été ouvert"_qs;
    const QString sauvegarde = u"n'a pas pu être enregistré"_qs;
    const QString descriptif = u"Impossible d'enregistrer le fichier"_qs;
    QTest::newRow("ouverture, taille limitée") << int(Ouverture) << int(Taille) << ouverture;
    QTest::newRow("ouverture, dossier en lecture seule")
        << int(Ouverture) << int(Lecture_Seule) << ouverture;
    // A name that is not on disk starts a new document, silently: nothing is created there.
    QTest::newRow("ouverture, dossier disparu") << int(Ouverture) << int(Disparu) << QString();
    QTest::newRow("sauvegarde, taille limitée") << int(Sauvegarde) << int(Taille) << sauvegarde;
    QTest::newRow("sauvegarde, dossier en lecture seule")
        << int(Sauvegarde) << int(Lecture_Seule) << sauvegarde;
    QTest::newRow("sauvegarde, dossier disparu") << int(Sauvegarde) << int(Disparu) << sauvegarde;
    QTest::newRow("descriptif, taille limitée") << int(Descriptif) << int(Taille) << descriptif;
    QTest::newRow("descriptif, dossier en lecture seule")
        << int(Descriptif) << int(Lecture_Seule) << descriptif;
    QTest::newRow("descriptif, dossier disparu") << int(Descriptif) << int(Disparu) << descriptif;
}

void TestPannes::pannes() {
    QFETCH(int, operation);
    QFETCH(int, panne);
    QFETCH(QString, message);
    Lieu l;
    const QByteArray original = Reference(u"opencpn_linux.gpx"_qs);
    QVERIFY(QDir().mkpath(l.dossier + u"tmp"_qs));
    Ecrire(l.chemin, original);
    Ecrire(l.Sauvegarde(29), "sauvegarde ancienne");
    Ecrire(l.Sauvegarde(30), "sauvegarde récente");
    Ecrire(l.description, Ancien_Texte);
    const auto Droits = [&](QFile::Permissions droits) {
        for (const QString& d : {l.racine.path(), l.dossier, l.dossier + u"tmp"_qs})
            QVERIFY(!QFileInfo::exists(d) || QFile::setPermissions(d, droits));
    };
    const QFile::Permissions lecture = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                       QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    Droits(panne == Lecture_Seule ? lecture : lecture | QFile::WriteOwner);
    if (panne == Disparu)
        QVERIFY(QDir(l.dossier).removeRecursively());

    const QByteArray resultat = Dans_Un_Enfant(l, Operation(operation), Panne(panne));
    Droits(lecture | QFile::WriteOwner);
    QVERIFY2(!resultat.isEmpty(), "the child process failed");
    QDataStream flux(resultat);
    bool panne_en_place = false, fait = true;
    QStringList messages;
    flux >> panne_en_place >> messages >> fait;
    QVERIFY2(panne_en_place, "the fault could not be set");

    if (panne == Disparu) {
        QVERIFY(!QFileInfo::exists(l.dossier));
        if (message.isEmpty()) {
            QVERIFY(messages.isEmpty());
            QVERIFY(fait); // the new document takes the name
            return;
        }
    }
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(message), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(operation == Descriptif ? l.description : l.chemin),
             qPrintable(messages[0]));
    QVERIFY(!fait);
    if (panne == Disparu)
        return;
    QCOMPARE(Lire(l.chemin), original);
    QCOMPARE(Lire(l.description), Ancien_Texte);
    // An opening rotates the backups before it fails: each is still there, whole.
    QStringList sauvegardes;
    for (int n = 1; n <= 30; ++n)
        if (QFileInfo::exists(l.Sauvegarde(n)))
            sauvegardes << QString::fromUtf8(Lire(l.Sauvegarde(n)));
    QVERIFY2(sauvegardes.contains(u"sauvegarde ancienne"_qs), qPrintable(sauvegardes.join(u'|')));
    QVERIFY2(sauvegardes.contains(u"sauvegarde récente"_qs), qPrintable(sauvegardes.join(u'|')));
    for (const QString& s : sauvegardes)
        QVERIFY(s.startsWith(u"sauvegarde "_qs) || s.toUtf8() == original);
}

QUILLVANE_TEST_MAIN(TestPannes)
#include "test_pannes.moc"
