// Every fault of the file system under an opening, a save and a description save. Each case
// runs in a child process (its user, limits and mounts are its own): one French message
// naming the file, no success told, nothing written through a link, no temporary file left,
// the user's file, its backups and the old description whole. A kill leaves every file
// whole, and the next run of the operation removes what it left.

#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/Fichiers.h"
#include "links/Descriptif.h"
#include "links/TexteLien1.h"
#include "support/Banc.h"
#include "support/Pannes.h"
#include "test_gpx_outils.h"

#include <QTemporaryDir>

namespace {

enum Operation { Ouverture, Sauvegarde, Descriptif };

struct Cas {
    explicit Cas(const QString& racine)
        : dossier(racine + u"/Bord/"_qs), victime(racine + u"/victime"_qs) {}
    QString dossier, victime, chemin = dossier + u"Escales.gpx"_qs,
                              description = dossier + u"Île d'Yeu.txt"_qs;
    QByteArray original = Reference(u"opencpn_linux.gpx"_qs), texte = QByteArray(300, 'x');

    void Ecrire_Fichiers() {
        QVERIFY(QDir().mkpath(dossier + u"tmp"_qs));
        Ecrire(chemin, original);
        Ecrire(dossier + u"tmp/Escales.gpx.30"_qs, "copie");
        Ecrire(description, "vieux\r\n");
        Ecrire(victime, "à moi\n");
    }

    // The program with a document open (another one, before an opening), and the description
    // of its POI open with a new text typed.
    void Ouvrir_Document(Banc& b, int operation) const {
        b.Demarrer();
        b.c.poi.Nom_Fichier = operation == Ouverture ? u"/ailleurs/avant.gpx"_qs : chemin;
        b.c.suivi.identite = Disque::Identite_De(chemin); // as it was opened
        b.c.suivi.cible = chemin;
        b.c.poi.Dossier_Fichier = dossier;
        b.Selectionner(b.Ajouter_POI(u"Île d'Yeu"_qs, u"47.1"_qs, u"-2.1"_qs));
        TexteLien1::Ouvrir(b.c);
        b.c.texteLien1->Definir_Texte(QString::fromLatin1(texte));
        // Before an opening, the document holds an unsaved edit: asked first, the user lets it
        // go.
        if (operation == Ouverture) {
            b.c.ui.Nom_WP->setText(u"Yeu"_qs);
            b.c.ui.Option1->Bouton(0)->setChecked(true);
            Banc::Cliquer(b.c.ui.Validation);
            b.services.choix = {Services::Reponse::Non};
        }
    }

    // The operation as the user makes it, and whether the program then holds it done.
    bool Faire(Banc& b, int operation) const {
        switch (operation) {
        case Ouverture:
            return Fichiers::Charger(b.c, chemin), b.c.poi.Nom_Fichier == chemin;
        case Sauvegarde:
            return Fichiers::Sauve_Fichier(b.c);
        default:
            return Gerer_liens::Enregistrer_Click(b.c, b.c.texteLien1->Texte()),
                   b.c.poi.Nb_Liens[1] != 0;
        }
    }

    // Every whole version a file of the folder may hold.
    QByteArrayList Versions(const Banc& b) const {
        return {original,
                Fichiers::Corriger_Liens_Fichier(original, dossier),
                Fichiers::Texte_GPX(b.c.poi),
                "copie",
                "vieux\r\n",
                texte + "\r\n"};
    }
};

} // namespace

class TestPannes : public QObject {
    Q_OBJECT
  private slots:
    void pannes_data() {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("panne_");
        for (const int o : {Ouverture, Sauvegarde, Descriptif})
            for (const auto& [nom, panne] : Pannes)
                QTest::addRow("%s, %s", std::array{"ouverture", "sauvegarde", "descriptif"}[o], nom)
                    << o << int(panne);
    }

    void pannes() {
        QFETCH(int, operation);
        QFETCH(int, panne_);
        const Panne panne = Panne(panne_);
        if (geteuid() != 0 && (panne == Panne::Disque_Plein || panne == Panne::Lecture_Seule ||
                               panne == Panne::Permission))
            QSKIP("Only root may mount a file system or become the user nobody.");
        QTemporaryDir racine;
        Cas cas(racine.path());
        QVERIFY(QDir().mkpath(cas.dossier));
        QVERIFY(QFile::setPermissions(racine.path(), QFile::Permissions(0x7555))); // rwxr-xr-x
        const bool arret = panne == Panne::Arret;
        if (arret)
            cas.Ecrire_Fichiers();
        {
            const Fourche enfant(arret ? std::optional(std::chrono::milliseconds(15))
                                       : std::nullopt);
            if (enfant.Enfant()) {
                QVERIFY(Preparer_Panne(panne, cas.dossier));
                if (!arret)
                    cas.Ecrire_Fichiers();
                Banc b;
                cas.Ouvrir_Document(b, operation);
                if (arret) { // the operation over and over, until the parent kills it
                    enfant.Pret();
                    for (int fois = 0; fois < 1000; ++fois)
                        cas.Faire(b, operation);
                    return;
                }
                Dans_L_Enfant(b, cas, operation, panne);
                return;
            }
        }
        if (!arret)
            return;
        // Killed anywhere: each file is one of its versions in full, and the same operation
        // run to its end removes what the killed one left. In a child too: the program's
        // threads must never be forked.
        const Fourche enfant;
        if (!enfant.Enfant())
            return;
        Banc b;
        cas.Ouvrir_Document(b, operation);
        const QByteArrayList versions = cas.Versions(b);
        for (const QFileInfo& f : QDir(cas.dossier).entryInfoList(QDir::Files) +
                                      QDir(cas.dossier + u"tmp"_qs).entryInfoList(QDir::Files))
            QVERIFY2(versions.contains(Lire(f.filePath())), qPrintable(f.filePath()));
        QVERIFY(cas.Faire(b, operation));
        QCOMPARE(Temporaires(cas.dossier), QStringList());
    }

  private:
    static void Dans_L_Enfant(Banc& b, const Cas& cas, int operation, Panne panne) {
        const QString fichier = operation == Descriptif ? cas.description : cas.chemin;
        Provoquer(panne, cas.dossier, fichier, cas.victime);
        // The file has vanished with its folder: the user puts the question aside.
        if (operation == Ouverture && panne == Panne::Dossier_Disparu)
            b.services.choix = {Services::Reponse::Annuler};
        const bool fait = cas.Faire(b, operation);
        const QStringList& dit = b.services.messages;
        QCOMPARE(Lire(cas.victime), "à moi\n");
        // A description's name is the program's own: a link there is replaced, not followed.
        if (panne == Panne::Lien && operation == Descriptif) {
            QVERIFY2(fait && dit.isEmpty(), qPrintable(dit.join(u'|')));
            QVERIFY(!QFileInfo(cas.description).isSymLink());
            QCOMPARE(Lire(cas.description), cas.texte + "\r\n");
            return;
        }
        const char16_t* motif[] = {u"été ouvert", u"enregistré", u"Impossible d'enregistrer"};
        // A name whose folder has vanished would start a new document: the user, who has
        // unsaved edits, is asked first and keeps them.
        QVERIFY2(operation == Ouverture && panne == Panne::Dossier_Disparu
                     ? dit.isEmpty() && !fait && b.services.questions.size() == 1
                     : dit.size() == 1 && dit[0].contains(motif[operation]) && !fait &&
                           dit[0].contains(fichier),
                 qPrintable(dit.join(u'|')));
        QCOMPARE(QFileInfo::exists(cas.dossier), panne != Panne::Dossier_Disparu);
        QCOMPARE(Temporaires(cas.dossier), QStringList());
        // What is on disk but copies of the user's file as it was: its description and the
        // backup there was (an opening may rotate the backups and back the file up first).
        QByteArrayList vu{Lire(cas.description)};
        if (panne != Panne::Lien)
            vu << Lire(cas.chemin);
        for (const QFileInfo& f :
             QDir(cas.dossier + u"tmp"_qs).entryInfoList({u"Escales.gpx.*"_qs}))
            vu << Lire(f.filePath());
        vu.removeAll(cas.original);
        QCOMPARE(vu, (panne == Panne::Dossier_Disparu ? QByteArrayList(2)
                                                      : QByteArrayList{"vieux\r\n", "copie"}));
    }
};

QUILLVANE_TEST_MAIN(TestPannes)
#include "test_pannes.moc"
