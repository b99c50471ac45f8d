// Folders as they are on real machines: links planted by others, the user's own links, other
// programs, private and unwritable files, full disks, long names, pipes, what a stopped
// program left, awkward names and vanished folders. Each row runs in a child process (its
// user, mounts and alarm are its own) and checks the file, the backups and the folder
// afterwards, the messages, and that nothing outside the folder changed.

#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/Fichiers.h"
#include "gpx/Restes.h"
#include "links/Commandes_Liens.h"
#include "links/Descriptif.h"
#include "support/Banc.h"
#include "support/Pannes.h"
#include "test_gpx_outils.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QTemporaryDir>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

const QByteArray Original = Reference(u"opencpn_linux.gpx"_qs); // file links to re-point

struct Dossier {
    explicit Dossier(const QString& r)
        : bord(r + u"/Bord #1 %41/"_qs), dehors(r + u"/Dehors/"_qs) {}
    QString bord, dehors, gpx = bord + u"Escales.gpx"_qs;
    QString Sauvegarde(int n) const { return bord + u"tmp/Escales.gpx.%1"_qs.arg(n); }
};

struct stat Etat_Lien(const QString& chemin) {
    struct stat s {};
    lstat(QFile::encodeName(chemin).constData(), &s);
    return s;
}

// Every entry under `dossier`: its path, kind and mode, and a link's target or a file's bytes.
QStringList Etat(const QString& dossier) {
    QStringList t;
    QDirIterator it(dossier, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString chemin = it.next();
        const struct stat s = Etat_Lien(chemin);
        QString ligne = chemin.mid(dossier.size()) + u' ' + QString::number(s.st_mode, 8);
        if (S_ISLNK(s.st_mode))
            ligne += u" -> "_qs + QFile::symLinkTarget(chemin);
        else if (S_ISREG(s.st_mode))
            ligne += u' ' + QCryptographicHash::hash(Lire(chemin), QCryptographicHash::Md5).toHex();
        t << ligne;
    }
    t.sort();
    return t;
}

// A plain file of its own (no second name) holding `octets`.
bool Copie_Seule(const QString& chemin, const QByteArray& octets) {
    const struct stat s = Etat_Lien(chemin);
    return S_ISREG(s.st_mode) && s.st_nlink == 1 && Lire(chemin) == octets;
}

void Ouvrir(Banc& b, const Dossier& d) {
    Fichiers::Charger(b.c, d.gpx);
}

// The description of the selected POI, as its window writes it.
void Decrire(Banc& b, const QString& texte) {
    QVERIFY(Gerer_liens::Descriptif_Click(b.c) && Gerer_liens::Ouverture(b.c));
    Gerer_liens::Enregistrer_Click(b.c, texte);
}

// The warning that the file holds routes and tracks, which every opening of Original shows.
const QString Averti = u"Escales.gpx.30 »"_qs;

using Preparer = std::function<void(Dossier&)>;
using Agir = std::function<void(Banc&, Dossier&)>;
using Verifier = std::function<void(Banc&, const Dossier&, const QStringList& avant)>;

void Inchange(Banc&, const Dossier& d, const QStringList& avant) {
    QCOMPARE(Etat(d.bord), avant);
}

// Temporary files of a stopped program and of a live one beside the file, its working copy
// and its newest backup, the copy earlier versions left, and a file of the user's.
void Planter_Restes(Dossier& d) {
    const pid_t fini = fork();
    if (fini == 0)
        _exit(0);
    QVERIFY(waitpid(fini, nullptr, 0) == fini);
    const QString vivant = u"-%1-"_qs.arg(getpid()), mort = u"-%1-"_qs.arg(fini);
    QVERIFY(QDir().mkpath(d.bord + u"tmp"_qs));
    for (const QString& cible : {d.gpx, d.bord + u"Temp.gpx"_qs, d.Sauvegarde(30)}) {
        Ecrire(Restes::Nom_Temporaire(cible).replace(vivant, mort), "reste");
        Ecrire(Restes::Nom_Temporaire(cible).replace(vivant, u"-1-"_qs), "vivant");
    }
    Ecrire(d.gpx + u".quillvane"_qs, "reste");
    Ecrire(d.bord + u".quillvane-notes"_qs, "à moi");
}

void Restes_Retires(Banc&, const Dossier& d, const QStringList& avant) {
    QStringList restes = Etat(d.bord).filter(u".quillvane"_qs);
    QCOMPARE(restes.size(), 4);
    QCOMPARE(avant.filter(u".quillvane"_qs).filter(u"-1-"_qs), restes.filter(u"-1-"_qs));
    QVERIFY(restes.filter(u"-notes"_qs).size() == 1);
}

// The file is swapped for a link to a file of the user's outside the folder after it was
// opened (`lien`: it was itself a link to opencpn/navobj.gpx then): the save refuses to write
// through it and says why, keeps nothing of the link's target, and the edits stay.
void Echanger_Puis_Sauver(Banc& b, Dossier& d, bool lien) {
    if (lien) {
        QVERIFY(QDir().mkpath(d.bord + u"opencpn"_qs));
        QVERIFY(QFile::rename(d.gpx, d.bord + u"opencpn/navobj.gpx"_qs));
        QVERIFY(QFile::link(u"opencpn/navobj.gpx"_qs, d.gpx));
    }
    Ouvrir(b, d);
    const QStringList avant = Etat(d.bord);
    b.c.poi.Nom_POI[1] = u"Renommé"_qs;
    QVERIFY(QFile::remove(d.gpx) && QFile::link(d.dehors + u"victime"_qs, d.gpx));
    QVERIFY(!Fichiers::Sauve_Fichier(b.c));
    QCOMPARE(b.c.poi.Nom_POI[1], u"Renommé"_qs);
    QCOMPARE(b.c.poi.Nom_Fichier, d.gpx);
    QStringList apres = Etat(d.bord);
    QCOMPARE(apres.filter(QRegularExpression(u"^Escales.gpx "_qs)).value(0),
             u"Escales.gpx 120777 -> "_qs + d.dehors + u"victime"_qs);
    const QRegularExpression sauvegardes(u"^tmp/"_qs);
    QCOMPARE(apres.filter(sauvegardes), avant.filter(sauvegardes));
}

const struct {
    const char* nom;
    std::optional<Panne> panne; // of the file system, once the folder is ready
    Preparer preparer;
    Agir agir;
    QStringList messages; // a part of each message shown, in order
    Verifier verifier;
} Cas[] = {
    // 1: links planted at the working copy, the newest backup and a description are replaced,
    // never written through.
    {"1 liens plantés",
     {},
     [](Dossier& d) {
         QVERIFY(QDir().mkpath(d.bord + u"tmp"_qs));
         for (const QString& nom :
              {u"Temp.gpx"_qs, u"tmp/Escales.gpx.30"_qs, u"Port-Haliguen & Quiberon.txt"_qs})
             QVERIFY(QFile::link(d.dehors + u"victime"_qs, d.bord + nom));
     },
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         b.Selectionner(1);
         Decrire(b, u"note"_qs);
     },
     {Averti},
     [](Banc&, const Dossier& d, const QStringList&) {
         QVERIFY(Copie_Seule(d.bord + u"Temp.gpx"_qs, Lire(d.gpx)));
         QVERIFY(Copie_Seule(d.Sauvegarde(30), Original));
         QVERIFY(Copie_Seule(d.bord + u"Port-Haliguen & Quiberon.txt"_qs, "note\r\n"));
     }},
    // 1, 2: a GPX file that is a link is the user's: its target is rewritten and saved in its
    // own folder, the link stays, and the backup is a copy of the bytes.
    {"1 2 fichier lien symbolique",
     {},
     [](Dossier& d) {
         QVERIFY(QDir().mkpath(d.bord + u"opencpn"_qs));
         QFile::remove(d.gpx);
         Ecrire(d.bord + u"opencpn/navobj.gpx"_qs, Original);
         QVERIFY(QFile::link(u"opencpn/navobj.gpx"_qs, d.gpx));
     },
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         QVERIFY(Lire(d.gpx).contains(d.bord.toUtf8() + "Haliguen.txt"));
         b.c.poi.Nom_POI[1] = u"Renommé"_qs;
         QVERIFY(Fichiers::Sauve_Fichier(b.c));
     },
     {Averti},
     [](Banc& b, const Dossier& d, const QStringList&) {
         QVERIFY(S_ISLNK(Etat_Lien(d.gpx).st_mode));
         QCOMPARE(Lire(d.gpx), Fichiers::Texte_GPX(b.c.poi));
         QCOMPARE(QDir(d.bord + u"opencpn"_qs)
                      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{u"navobj.gpx"_qs});
         QVERIFY(Copie_Seule(d.Sauvegarde(30), Original));
     }},
    // 2: a file with a second name: the backup shares no inode that a write to it could change.
    {"2 fichier à deux noms",
     {},
     [](Dossier& d) {
         QVERIFY(link(QFile::encodeName(d.gpx).constData(),
                      QFile::encodeName(d.bord + u"Double.gpx"_qs).constData()) == 0);
     },
     Ouvrir,
     {Averti},
     [](Banc&, const Dossier& d, const QStringList&) {
         QVERIFY(Copie_Seule(d.Sauvegarde(30), Original));
         QCOMPARE(Lire(d.bord + u"Double.gpx"_qs), Original);
     }},
    // 3: another program's version, written after the opening, is kept before a save, told,
    // and only once.
    {"3 autre programme",
     {},
     {},
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         Ecrire(d.gpx, "autre version");
         QVERIFY(Fichiers::Sauve_Fichier(b.c));
         QVERIFY(Fichiers::Sauve_Fichier(b.c));
     },
     {Averti, u"Cette version est gardée dans la sauvegarde « "_qs},
     [](Banc& b, const Dossier& d, const QStringList&) {
         QVERIFY(b.services.messages.value(1).contains(d.Sauvegarde(30)));
         QCOMPARE(Lire(d.Sauvegarde(30)), "autre version");
         QCOMPARE(Lire(d.Sauvegarde(29)), Original);
         QCOMPARE(Lire(d.gpx), Fichiers::Texte_GPX(b.c.poi));
     }},
    // 4: a failed opening deletes no backup and leaves no file behind, and says why.
    {"4 disque plein",
     Panne::Disque_Plein,
     [](Dossier& d) {
         QVERIFY(QDir().mkpath(d.bord + u"tmp"_qs));
         for (int n = 1; n <= 30; ++n)
             Ecrire(d.Sauvegarde(n), QByteArray::number(n));
         Ecrire(d.bord + u"Temp.gpx"_qs, "ancien");
     },
     Ouvrir,
     {u"n'a pas été ouvert. Cause : le disque est plein."_qs},
     Inchange},
    // 4: a failure after the backups moved (the working copy cannot take its place) moves
    // them back: the folder is as it was.
    {"4 échec tardif",
     {},
     [](Dossier& d) {
         QVERIFY(QDir().mkpath(d.bord + u"tmp"_qs) && QDir().mkpath(d.bord + u"Temp.gpx/x"_qs));
         for (int n = 1; n <= 30; ++n)
             Ecrire(d.Sauvegarde(n), QByteArray::number(n));
     },
     Ouvrir,
     {u"La copie de travail « "_qs},
     Inchange},
    {"4 permission refusée",
     Panne::Permission,
     {},
     Ouvrir,
     {u"n'a pas été ouvert. Cause : permission refusée."_qs},
     Inchange},
    // 5: what is written from a private file is private. A "Temp.gpx" of the user's own is
    // kept, out of the way of the working copy.
    {"5 fichier privé",
     {},
     [](Dossier& d) {
         QVERIFY(QFile::setPermissions(d.gpx, QFile::ReadOwner | QFile::WriteOwner));
         Ecrire(d.bord + u"Temp.gpx"_qs, "autre fichier");
     },
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         QVERIFY(Fichiers::Sauve_Fichier(b.c));
     },
     {u"/tmp/Temp (à vous).gpx » : Quillvane écrit sa copie"_qs, Averti},
     [](Banc& b, const Dossier& d, const QStringList&) {
         for (const QString& f : {d.gpx, d.bord + u"Temp.gpx"_qs, d.Sauvegarde(30)})
             QCOMPARE(Etat_Lien(f).st_mode & 0777, 0600u);
         QCOMPARE(Lire(d.bord + u"tmp/Temp (à vous).gpx"_qs), "autre fichier");
         // The working copy is the program's own: the next openings replace it, by its mark
         // even when changed, and without its mark when it holds what is to be written.
         const QString travail = d.bord + u"Temp.gpx"_qs;
         for (const bool marque : {true, false}) {
             if (marque)
                 Ecrire(travail, "changé");
             else
                 QVERIFY(removexattr(QFile::encodeName(travail).constData(),
                                     "user.quillvane.copie_de_travail") == 0);
             b.services.messages.clear();
             Fichiers::Charger(b.c, d.gpx);
             QCOMPARE(b.services.messages.size(), 1);
             QCOMPARE(QDir(d.bord + u"tmp"_qs).entryList({u"Temp*"_qs}).size(), 1);
         }
     }},
    // 6: the rewrite and the save keep the group, mode and attributes.
    {"6 propriétés gardées",
     {},
     [](Dossier& d) {
         const QByteArray nom = QFile::encodeName(d.gpx);
         QVERIFY(chown(nom.constData(), uid_t(-1), getgrnam("users")->gr_gid) == 0);
         QVERIFY(chmod(nom.constData(), 0640) == 0);
         QVERIFY(setxattr(nom.constData(), "user.quillvane", "garde", 5, 0) == 0);
     },
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         QVERIFY(Fichiers::Sauve_Fichier(b.c));
     },
     {Averti},
     [](Banc& b, const Dossier& d, const QStringList&) {
         const struct stat s = Etat_Lien(d.gpx);
         char valeur[8] = {};
         QVERIFY(s.st_gid == getgrnam("users")->gr_gid && (s.st_mode & 0777) == 0640);
         QCOMPARE(getxattr(QFile::encodeName(d.gpx).constData(), "user.quillvane", valeur, 8), 5);
         QCOMPARE(Lire(d.gpx), Fichiers::Texte_GPX(b.c.poi));
     }},
    // 6: a file the user may not write opens re-pointed in memory only; the save refuses it.
    {"6 fichier d'un autre",
     Panne::Permission,
     [](Dossier& d) { QVERIFY(chmod(QFile::encodeName(d.bord).constData(), 0777) == 0); },
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         QVERIFY(b.c.poi.Lien_URL[1][2].contains(u"Bord #1 %41/Haliguen.txt"_qs));
         QVERIFY(!Fichiers::Sauve_Fichier(b.c));
     },
     {Averti, u"n'a pas pu être enregistré ; la version précédente est restée intacte. Cause : "
              u"permission refusée."_qs},
     [](Banc&, const Dossier& d, const QStringList&) { QCOMPARE(Lire(d.gpx), Original); }},
    // 7: the longest names open and save; one too long for its backup is refused, and why.
    {"7 nom de 250 octets",
     {},
     [](Dossier& d) {
         const QString nom = d.bord + QString(123, u'é') + u".gpx"_qs;
         QVERIFY(QFile::rename(d.gpx, nom));
         d.gpx = nom;
     },
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         QVERIFY(Fichiers::Sauve_Fichier(b.c));
     },
     {u".gpx.30 »"_qs},
     [](Banc& b, const Dossier& d, const QStringList&) {
         QCOMPARE(Lire(d.gpx), Fichiers::Texte_GPX(b.c.poi));
     }},
    {"7 nom de 254 octets",
     {},
     [](Dossier& d) {
         const QString nom = d.bord + QString(250, u'n') + u".gpx"_qs;
         QVERIFY(QFile::rename(d.gpx, nom));
         d.gpx = nom;
     },
     Ouvrir,
     {u"n'a pas été ouvert. Cause : le nom est trop long."_qs},
     Inchange},
    // 8: a pipe is refused at once.
    {"8 tube",
     {},
     [](Dossier& d) {
         QFile::remove(d.gpx);
         QVERIFY(mkfifo(QFile::encodeName(d.gpx).constData(), 0644) == 0);
     },
     Ouvrir,
     {u"n'a pas pu être lu. Cause : ce n'est pas un fichier ordinaire."_qs},
     Inchange},
    // 9: what a stopped program left is removed, whether the file is rewritten or not; a live
    // one's files and others' stay.
    {"9 restes", {}, Planter_Restes, Ouvrir, {Averti}, Restes_Retires},
    {"9 restes, liens en place",
     {},
     [](Dossier& d) {
         Ecrire(d.gpx, Fichiers::Corriger_Liens_Fichier(Original, d.bord));
         Planter_Restes(d);
     },
     Ouvrir,
     {Averti},
     Restes_Retires},
    // 10: links reach the opener as the user meant them; stored and written as they were.
    {"10 cibles de liens",
     {},
     {},
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         b.Selectionner(4);
         Decrire(b, u"note"_qs);
         Declarations::Ajouter_Lien(b.c.poi, 4, u"-x"_qs, u"option"_qs);
         b.Selectionner(4);
         for (const int lien : {1, int(b.c.poi.Nb_Liens[4])}) {
             b.Selectionner(lien, b.c.ui.ListeLiens);
             Banc::Cliquer(b.c.ui.Tester_Lien);
         }
         QVERIFY(Fichiers::Sauve_Fichier(b.c));
     },
     {Averti},
     [](Banc& b, const Dossier& d, const QStringList&) {
         const QString description = d.bord + u"Pré Roche.txt"_qs;
         QCOMPARE(b.services.ouvertures, (QStringList{description, u"./-x"_qs}));
         QCOMPARE(b.c.poi.Lien_URL[4][1], u"file://"_qs + description);
         QCOMPARE(Points_XML(Lire(d.gpx)).value(3).href.value(0), u"file://"_qs + description);
     }},
    // 11: the open document's file has vanished with its folder: the user is asked before
    // unsaved edits go, and keeps them when they cannot be saved.
    {"11 dossier disparu",
     {},
     {},
     [](Banc& b, Dossier& d) {
         Ouvrir(b, d);
         b.c.ui.Option1->Bouton(1)->setChecked(true);
         b.c.ui.Lat_Long->setText(u"47,-3"_qs);
         b.c.ui.Nom_WP->setText(u"Nouveau"_qs);
         Banc::Cliquer(b.c.ui.Validation);
         QVERIFY(QDir(d.bord).removeRecursively());
         Ouvrir(b, d);
     },
     {Averti, u"n'a pas pu être enregistré"_qs},
     [](Banc& b, const Dossier& d, const QStringList&) {
         QVERIFY(b.services.questions.value(0).contains(u"modifications qui n'ont pas été"_qs));
         QCOMPARE(b.c.poi.Nom_POI[b.c.poi.Nb_POI], u"Nouveau"_qs);
         QVERIFY(!QFileInfo::exists(d.bord));
     }},
    // 12: a link put in the file's place since the opening is never followed.
    {"12 fichier échangé pour un lien",
     {},
     {},
     [](Banc& b, Dossier& d) { Echanger_Puis_Sauver(b, d, false); },
     {Averti, u"n'a pas été enregistré : depuis son ouverture, il a été remplacé par un lien "
              u"symbolique vers « "_qs},
     [](Banc&, const Dossier&, const QStringList&) {}},
    {"12 lien redirigé",
     {},
     {},
     [](Banc& b, Dossier& d) { Echanger_Puis_Sauver(b, d, true); },
     {Averti, u"remplacé par un lien symbolique vers « "_qs},
     [](Banc&, const Dossier& d, const QStringList&) {
         QVERIFY(!Lire(d.bord + u"opencpn/navobj.gpx"_qs).contains(u"Renommé"_qs.toUtf8()));
     }},
};

} // namespace

class TestDossiersHostiles : public QObject {
    Q_OBJECT
  private slots:
    void dossiers_hostiles_data() { Rangees(Cas); }

    void dossiers_hostiles() {
        QFETCH(int, i);
        const auto& cas = Cas[i];
        if (cas.panne && geteuid() != 0)
            QSKIP("Only root may mount a file system or become the user nobody.");
        QTemporaryDir racine;
        const Fourche enfant;
        if (!enfant.Enfant())
            return;
        Dossier d(racine.path());
        QVERIFY(QDir().mkpath(d.bord) && QDir().mkpath(d.dehors));
        QVERIFY(!cas.panne || Preparer_Panne(*cas.panne, d.bord));
        QVERIFY(QFile::setPermissions(racine.path(), QFile::Permissions(0x7555)));
        Ecrire(d.dehors + u"victime"_qs, "à moi\n");
        Ecrire(d.gpx, Original);
        if (cas.preparer)
            cas.preparer(d);
        Banc b;
        b.Demarrer();
        if (cas.panne)
            Provoquer(*cas.panne, d.bord, d.gpx, d.dehors + u"victime"_qs);
        const QStringList dehors = Etat(d.dehors), avant = Etat(d.bord);
        cas.agir(b, d);
        const QStringList& dit = b.services.messages;
        QVERIFY2(dit.size() == cas.messages.size(), qPrintable(dit.join(u'|')));
        for (int m = 0; m < dit.size(); ++m)
            QVERIFY2(dit[m].contains(cas.messages[m]), qPrintable(dit[m]));
        cas.verifier(b, d, avant);
        QCOMPARE(Etat(d.dehors), dehors);
    }
};

QUILLVANE_TEST_MAIN(TestDossiersHostiles)
#include "test_dossiers_hostiles.moc"
