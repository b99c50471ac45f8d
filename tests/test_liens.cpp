// The link frame: adding, picking a file, deleting and opening links, and the description
// window with its text file beside the GPX file.

#include "links/TexteLien1.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QTemporaryDir>

namespace {

// A file open in a folder of its own, POI 2 "Île d'Yeu" with links L1..Ln selected, the link
// frame shown.
struct Liens : Banc {
    QTemporaryDir racine;
    QString dossier = racine.path() + u"/escales/"_qs;
    explicit Liens(int liens = 0, const QString& nom = u"Île d'Yeu"_qs) {
        QDir().mkpath(dossier);
        Demarrer();
        c.poi.Nom_Fichier = dossier + u"escales.gpx"_qs;
        c.poi.Dossier_Fichier = dossier;
        Ajouter_POI(u"Port"_qs);
        Ajouter_POI(nom);
        for (int k = 1; k <= liens; ++k)
            Declarations::Ajouter_Lien(c.poi, 2, u"http://%1"_qs.arg(k), u"L%1"_qs.arg(k));
        Selectionner(2);
        c.ui.Gestion_Liens->trigger();
    }
    QString Description() const { return dossier + c.poi.Nom_POI[2] + u".txt"_qs; }
    void Ecrire_Description(const QString& texte) {
        Cliquer(c.ui.Descriptif);
        c.texteLien1->Text1->setPlainText(texte);
        Cliquer(c.texteLien1->Enregistrer);
    }
    QStringList Liste() const { return Entrees(c.ui.ListeLiens); }
};

QStringList Entrees(int n) {
    QStringList t;
    for (int k = 1; k <= n; ++k)
        t << u"%1  L%1 = http://%1"_qs.arg(k);
    return t;
}

} // namespace

class TestLiens : public QObject {
    Q_OBJECT
  private slots:
    // Text1 to Text4 typed, then "Valider": the messages, the entries added after the
    // existing ones, the boxes afterwards (emptied unless said).
    void valider_lien_data() {
        QTest::addColumn<int>("existants");
        QTest::addColumn<QStringList>("textes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("ajouts");
        QTest::addColumn<QStringList>("restes");
        const QString manque = u"Il manque la définition d'un paramètre du lien à valider"_qs;
        // "Valider" clicked, or Enter in Text1 to Text4, by turns.
        QTest::addColumn<int>("par");
        int rangs = 0;
        const auto rang = [&](const char* nom, const QStringList& textes, int manques,
                              const QStringList& ajouts, int existants = 0) {
            QTest::newRow(nom) << existants << textes << QStringList(manques, manque) << ajouts
                               << QStringList(4) << rangs++ % 5;
        };
        rang("deux paires, internet d'abord",
             {"Plan", "/bord/plan de port.pdf", "Site", "http://a"}, 0,
             {"1  Site = http://a", "2  Plan = file:///bord/plan de port.pdf"});
        rang("rien", QStringList(4), 0, {});
        rang("deux moitiés", {"", "/plan", "Site", ""}, 2, {});
        rang("une paire et une moitié", {"Plan", "", "Site", "http://x"}, 1,
             {"1  Site = http://x"});
        rang("adresse de blancs", {"", "", "Vide", "   "}, 0, {"1  Vide =    "});
        // The internet link becomes the fifth; the file link finds no room, says so and stays.
        QTest::newRow("cinquième sans sixième")
            << 4 << QStringList{"Plan", "/plan.pdf", "Site", "http://a"}
            << QStringList{"Le lien « Plan » n'a pas été ajouté : un POI a au plus cinq liens. "
                           "Supprimez-en un pour faire de la place."}
            << QStringList{"5  Site = http://a"} << QStringList{"Plan", "/plan.pdf", "", ""}
            << rangs++ % 5;
        // Plain characters only, U+0020 to U+007F: the refused box is emptied, with its message.
        const QStringList messages = {"Le nom du lien %1 est accentué invalide",
                                      "Nom du chemin ou de fichier %1  accentué invalide",
                                      "Le nom du lien %1  est accentué invalide",
                                      "Nom de l'URL  %1 est accentué invalide"};
        for (int zone = 0; zone < 4; ++zone) {
            QStringList t = {"Plan", "/plan.pdf", "Site", "http://a"}, restes = t;
            t[zone] = u"Caf\u00e9\u007f"_qs;
            restes[zone].clear();
            QTest::addRow("Text%d accentué", zone + 1)
                << 0 << t << QStringList{messages[zone].arg(t[zone])} << QStringList() << restes
                << rangs++ % 5;
        }
    }

    void valider_lien() {
        QFETCH(int, existants);
        QFETCH(QStringList, textes);
        QFETCH(QStringList, ajouts);
        Liens l(existants);
        if (existants > 0)
            l.Selectionner(1, l.c.ui.ListeLiens); // an addition rebuilds the list: none chosen
        l.Remplir(textes);
        QFETCH(int, par);
        const QList<QLineEdit*> zones{l.c.ui.Text1, l.c.ui.Text2, l.c.ui.Text3, l.c.ui.Text4};
        if (par == 0)
            Banc::Cliquer(l.c.ui.Valider_lien);
        else
            QTest::keyClick(zones[par - 1], Qt::Key_Return);
        QTEST(l.services.messages, "messages");
        QTEST(l.Zones(), "restes");
        QCOMPARE(l.Liste(), Entrees(existants) + ajouts);
        QCOMPARE(l.c.poi.Nb_Liens[2] + l.c.poi.Nb_Liens[1], existants + ajouts.size());
        QCOMPARE(l.c.ui.ListeLiens->ListIndex(), -1);
    }

    // With no POI (or no link) chosen, each command refuses with its message and changes
    // nothing: no box, no link, no dialog, no opening, no description window.
    void sans_choix() {
        const QString poi = u"Choisisser d'abord un POI"_qs,
                      supprimer = u"Choisissez un lien à supprimer"_qs,
                      tester = u"Choisissez un lien à tester"_qs;
        for (const bool lien_choisi : {true, false}) {
            Liens l(1);
            if (lien_choisi) { // a link chosen, then no POI
                l.Selectionner(1, l.c.ui.ListeLiens);
                l.c.ui.ListePOI->SetListIndex(-1);
            }
            const QStringList textes = {"Plan", "/plan.pdf", "Site", "http://x"};
            l.Remplir(textes);
            l.services.fichiers << u"/plan2.pdf"_qs;
            const Controles& ui = l.c.ui;
            for (QPushButton* bouton : {ui.Supprimer_Lien, ui.Tester_Lien})
                Banc::Cliquer(bouton);
            if (lien_choisi) {
                for (QPushButton* bouton : {ui.Valider_lien, ui.Fichier_lien, ui.Descriptif})
                    Banc::Cliquer(bouton);
                ui.Gestion_Liens->trigger();
            }
            QStringList attendus{supprimer, tester};
            if (lien_choisi)
                attendus << poi << poi << poi << u"Selectionnez d'abord un POI à gérer"_qs;
            QCOMPARE(l.services.messages, attendus);
            QCOMPARE(l.Zones() + l.Liste(), textes + Entrees(1));
            QVERIFY(l.services.dialogues.isEmpty() && l.services.ouvertures.isEmpty());
            QVERIFY(l.c.poi.Nb_Liens[2] == 1 && !l.c.texteLien1->isVisible());
        }
    }

    void fichier_supprimer_tester() {
        Liens l(4);
        // A file picked: cancelled, refused for its accent, taken; the other boxes stay.
        l.c.ui.Text1->setText(u"Plan"_qs);
        l.services.fichiers << QString() << u"/bord/Données/plan.pdf"_qs << u"/bord/plan 2.pdf"_qs;
        for (int i = 0; i < 3; ++i)
            Banc::Cliquer(l.c.ui.Fichier_lien);
        QCOMPARE(l.services.dialogues, QStringList(3, "*|"));
        QCOMPARE(l.services.messages, QStringList{"Nom du chemin ou de fichier accentué invalide"});
        QCOMPARE(l.Zones(), (QStringList{"Plan", "/bord/plan 2.pdf", "", ""}));

        // Deleting link 2, then the last: the others move down, nothing stays chosen.
        for (const int lien : {2, 3}) {
            l.Selectionner(lien, l.c.ui.ListeLiens);
            Banc::Cliquer(l.c.ui.Supprimer_Lien);
        }
        QCOMPARE(l.Liste(), (QStringList{"1  L1 = http://1", "2  L3 = http://3"}));
        QCOMPARE(l.c.ui.ListeLiens->ListIndex(), -1);

        // Targets go to the opener as one argument each, a file as its path, or, when its name
        // is not UTF-8 (read byte for byte from an older disk), as an address that keeps its
        // bytes; a target read from a file has its XML spelling resolved. A missing file, and a
        // target that nothing opens, are told.
        QVERIFY(QDir().mkpath(l.dossier + u"Tom & Jerry"_qs));
        Ecrire(l.dossier + u"Tom & Jerry/a b;$(reboot)"_qs, "x");
        const QByteArray latin1 = QFile::encodeName(l.dossier) + "Donn\xe9"
                                                                 "es.txt";
        QFile ancien;
        QVERIFY(ancien.open(fopen(latin1.constData(), "w"), QIODevice::WriteOnly,
                            QFileDevice::AutoCloseHandle));
        ancien.close();
        for (const QString& cible :
             {u"Tom &amp; Jerry/a b;$(reboot)"_qs, u"Donn\u00e9es.txt"_qs, u"absent.txt"_qs})
            Declarations::Ajouter_Lien(l.c.poi, 2, u"file://"_qs + l.dossier + cible, u"N"_qs);
        l.Selectionner(2);
        for (const int lien : {1, 3, 4, 5}) {
            l.Selectionner(lien, l.c.ui.ListeLiens);
            Banc::Cliquer(l.c.ui.Tester_Lien);
        }
        l.services.ouverture_impossible = true;
        l.Selectionner(1, l.c.ui.ListeLiens);
        Banc::Cliquer(l.c.ui.Tester_Lien);
        const QStringList& ouvertes = l.services.ouvertures;
        QCOMPARE(ouvertes.mid(0, 2),
                 (QStringList{"http://1", l.dossier + u"Tom & Jerry/a b;$(reboot)"_qs}));
        QVERIFY(ouvertes[2].startsWith(u"file:///"));
        QCOMPARE(QByteArray::fromPercentEncoding(ouvertes[2].mid(7).toLatin1()), latin1);
        QCOMPARE(ouvertes.size(), 4);
        QCOMPARE(l.services.messages.mid(1),
                 (QStringList{u"Le lien ne peut pas être ouvert : le fichier « %1absent.txt » "
                              u"n'existe pas."_qs.arg(l.dossier),
                              u"Le lien « http://1 » n'a pas pu être ouvert : aucun programme de "
                              u"cet ordinateur n'ouvre ce genre de fichier ou d'adresse."_qs}));
    }

    // The text is written in UTF-8 with CR LF line ends; the first save puts the "Description"
    // link in slot 1, moving the others up; a POI with five links keeps them and is told. The
    // window refuses its close box, and comes back where it was closed, ten times over.
    void description() {
        Liens l(4);
        l.Ecrire_Description(u"Été\n€"_qs);
        QCOMPARE(Lire(l.Description()), QByteArray("\xc3\x89t\xc3\xa9\r\n\xe2\x82\xac\r\n"));
        QStringList entrees{u"1  Description = file://"_qs + l.Description()};
        for (int k = 1; k <= 4; ++k)
            entrees << u"%1  L%2 = http://%2"_qs.arg(k + 1).arg(k);
        QCOMPARE(l.Liste(), entrees);
        l.Ecrire_Description(u"bis"_qs); // already linked: no second link
        QCOMPARE(l.Liste(), entrees);

        for (int k = 1; k <= 5; ++k)
            Declarations::Ajouter_Lien(l.c.poi, 1, u"http://%1"_qs.arg(k), u"L%1"_qs.arg(k));
        l.Selectionner(1); // the window follows
        l.c.texteLien1->Text1->setPlainText(u"Port"_qs);
        Banc::Cliquer(l.c.texteLien1->Enregistrer);
        QCOMPARE(l.services.messages,
                 QStringList{u"La description n'a pas été enregistrée : le POI « Port » a déjà "
                             u"cinq liens, le plus qu'un POI puisse avoir. Supprimez-en un pour "
                             u"faire place à la description."_qs});
        QCOMPARE(l.Liste(), Entrees(5));
        QVERIFY(!QFile::exists(l.dossier + u"Port.txt"_qs));
        QCOMPARE(l.c.texteLien1->Texte(), u"Port");
        l.services.messages.clear();
        l.Selectionner(2);

        QPointer<TexteLien1> fenetre = l.c.texteLien1.get();
        QVERIFY(!fenetre->close()); // the close box is refused
        fenetre->move(300, 210);
        for (int fois = 0; fois < 10; ++fois) {
            fenetre->Text1->setPlainText(u"non enregistré"_qs);
            Banc::Cliquer(fenetre->Fermer);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(fenetre.isNull());
            QCOMPARE(l.services.reglages.value("Startup/TexteLien1_MargeG"), u"4500");
            QCOMPARE(l.services.reglages.value("Startup/TexteLien1_Haut"), u"3150");
            Banc::Cliquer(l.c.ui.Descriptif);
            fenetre = l.c.texteLien1.get();
            QCOMPARE(fenetre->frameGeometry().topLeft(), QPoint(300, 210));
            QCOMPARE(fenetre->Texte(), u"bis\r\n");
        }
        QVERIFY(l.services.messages.isEmpty() && l.services.questions.isEmpty());
    }

    // A POI's description is the file its link points to: two POIs of one name have a file
    // each, a renamed POI keeps its own, and the window, which follows the selection, never
    // writes one POI's text into another's file. Its POI gone, the window closes; undoing the
    // link leaves the file.
    void descriptions_et_poi() {
        Liens l(0, u"Port"_qs);
        l.Ecrire_Description(u"deux"_qs);
        l.Selectionner(1);
        QCOMPARE(l.c.texteLien1->Texte(), QString());
        l.c.texteLien1->Text1->setPlainText(u"un"_qs);
        Banc::Cliquer(l.c.texteLien1->Enregistrer);
        QCOMPARE(Lire(l.dossier + u"Port.txt"_qs), "deux\r\n");
        QCOMPARE(Lire(l.dossier + u"Port (2).txt"_qs), "un\r\n");

        l.Selectionner(2);
        QCOMPARE(l.c.texteLien1->Texte(), u"deux\r\n");
        l.c.ui.Option1->Bouton(0)->setChecked(true);
        l.c.ui.Nom_WP->setText(u"Houat"_qs);
        Banc::Cliquer(l.c.ui.Validation);
        QCOMPARE(l.c.poi.Nom_POI[2], u"Houat");
        Banc::Cliquer(l.c.ui.Descriptif);
        QCOMPARE(l.c.texteLien1->Texte(), u"deux\r\n");
        l.c.texteLien1->Text1->selectAll(); // typed, not yet saved
        l.c.texteLien1->Text1->insertPlainText(u"deux bis"_qs);
        Banc::Cliquer(l.c.ui.Descriptif); // the button again keeps what was typed
        QCOMPARE(l.c.texteLien1->Texte(), u"deux bis");
        l.services.reponses = {true}; // saved in its own file before the window follows
        l.Selectionner(1);
        QCOMPARE(l.services.questions,
                 QStringList{u"La description de « Houat » a été modifiée. L'enregistrer ?"_qs});
        QCOMPARE(l.c.texteLien1->Texte(), u"un\r\n");
        QCOMPARE(Lire(l.dossier + u"Port.txt"_qs), "deux bis\r\n");
        QCOMPARE(QDir(l.dossier).entryList(QDir::Files), (QStringList{"Port (2).txt", "Port.txt"}));

        l.c.historique.undo(); // the new name
        l.c.historique.undo(); // the link of POI 1, not its file
        QCOMPARE(l.c.poi.Nom_POI[2] + l.c.texteLien1->Texte(), u"Portun\r\n");
        QCOMPARE(l.c.poi.Nb_Liens[1], 0);
        QVERIFY(QFile::exists(l.dossier + u"Port (2).txt"_qs));
        l.c.ui.Option1->Bouton(2)->setChecked(true);
        Banc::Cliquer(l.c.ui.Validation);
        QVERIFY(!l.c.texteLien1 || !l.c.texteLien1->isVisible());
        QVERIFY(l.services.messages.isEmpty());
    }

    // Nothing is written but where told, no link is added, the text stays to retry.
    void description_refusee() {
        const QString refuse = u"Ce nom de POI ne peut pas servir de nom de fichier"_qs;
        const std::tuple<QString, int, QString> cas[] = {
            {u"../evasion"_qs, 0, refuse},
            {u""_qs, 0, refuse},
            {u"Yeu"_qs, 1,
             u"La description « %1Yeu.txt » n'a pas pu être lue : elle n'est pas "
             u"remplacée."_qs},                                          // a folder there
            {u"Yeu"_qs, 2, u"Définissez un nom de fichier"_qs},          // no folder known
            {u"Yeu"_qs, 3, u"Pas de POI défini pour le descriptif"_qs}}; // name box emptied
        for (const auto& [nom, obstacle, message] : cas) {
            Liens l(0, nom);
            if (obstacle == 1)
                QVERIFY(QDir().mkpath(l.Description()));
            if (obstacle == 2)
                l.c.poi.Dossier_Fichier.clear();
            if (obstacle == 3)
                l.c.ui.Nom_WP->clear();
            l.Ecrire_Description(u"texte"_qs);
            QCOMPARE(l.services.messages,
                     QStringList{QString(message).replace(u"%1"_qs, l.dossier)});
            QCOMPARE(QDir(l.racine.path()).entryList(QDir::Files) +
                         QDir(l.dossier).entryList(QDir::Files),
                     obstacle == 3 ? QStringList{"Yeu.txt"} : QStringList());
            QCOMPARE(l.c.poi.Nb_Liens[2], 0);
            QCOMPARE(l.c.texteLien1->Texte(), u"texte");
        }
    }
};

QUILLVANE_TEST_MAIN(TestLiens)
#include "test_liens.moc"
