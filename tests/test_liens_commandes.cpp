// The link frame's commands: plain-character rule, adding, picking a file, deleting, opening.

#include "support/Banc.h"

#include <QGroupBox>
#include <QPushButton>

namespace {

const QString Manque = QStringLiteral("Il manque la définition d'un paramètre du lien à valider");

// A POI with links L1..Ln selected and the link frame shown, as the user gets there.
struct Liens : Banc {
    explicit Liens(int liens = 0) {
        Demarrer();
        c.poi.Nom_Fichier = QStringLiteral("/tmp/escales.gpx");
        Ajouter_POI(QStringLiteral("Port"), QStringLiteral("47.1"), QStringLiteral("-2.1"));
        Ajouter_POI(QStringLiteral("Ile"), QStringLiteral("47.2"), QStringLiteral("-2.2"));
        for (int k = 1; k <= liens; ++k)
            Ajouter_Lien(2, QStringLiteral("L%1").arg(k), QStringLiteral("http://%1").arg(k));
        Selectionner(2);
        c.ui.Gestion_Liens->trigger();
    }
    QList<QLineEdit*> Zones() const { return {c.ui.Text1, c.ui.Text2, c.ui.Text3, c.ui.Text4}; }
    void Remplir(const QStringList& textes) {
        for (int i = 0; i < 4; ++i)
            Zones()[i]->setText(textes[i]);
    }
    QStringList Textes() const {
        return {c.ui.Text1->text(), c.ui.Text2->text(), c.ui.Text3->text(), c.ui.Text4->text()};
    }
    QStringList Liste() const {
        QStringList entrees;
        for (int i = 0; i < c.ui.ListeLiens->count(); ++i)
            entrees << c.ui.ListeLiens->item(i)->text();
        return entrees;
    }
    void Cliquer(QPushButton* bouton) { QTest::mouseClick(bouton, Qt::LeftButton); }
    void Choisir_Lien(int slot) {
        ListeBox* liste = c.ui.ListeLiens;
        const QRect zone = liste->visualItemRect(liste->item(slot - 1));
        QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, zone.center());
        QCOMPARE(liste->ListIndex(), slot - 1);
    }
};

// The list entries of links L1..Ln.
QStringList Entrees(int n) {
    QStringList entrees;
    for (int k = 1; k <= n; ++k)
        entrees << QStringLiteral("%1  L%1 = http://%1").arg(k);
    return entrees;
}

} // namespace

class TestLiensCommandes : public QObject {
    Q_OBJECT
  private slots:
    void valider_lien_data();
    void valider_lien();
    void sans_choix_data();
    void sans_choix();
    void gerer_sans_POI_puis_fichier_des_POI();
    void fichier_lien();
    void supprimer_lien();
    void tester_lien();
};

void TestLiensCommandes::valider_lien_data() {
    QTest::addColumn<int>("existants"); // links L1..Ln the POI has already
    QTest::addColumn<QStringList>("textes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("ajouts"); // list entries after the existing ones
    QTest::addColumn<QStringList>("restes"); // the boxes afterwards
    const QStringList vides(4, QString());
    const auto rangee = [&](const char* nom, const QStringList& textes, int manques,
                            const QStringList& ajouts, int existants = 0) {
        QTest::newRow(nom) << existants << textes << QStringList(manques, Manque) << ajouts
                           << vides;
    };
    rangee("deux paires, internet d'abord",
           {"Plan", "/home/marin/plan de port.pdf", "Site", "http://ile.example"}, 0,
           {"1  Site = http://ile.example", "2  Plan = file:///home/marin/plan de port.pdf"});
    rangee("rien", vides, 0, {});
    rangee("Text1 seul", {"Plan", "", "", ""}, 1, {});
    rangee("Text4 seul", {"", "", "", "http://x"}, 1, {});
    rangee("deux moities", {"", "/plan", "Site", ""}, 2, {});
    rangee("une paire et une moitie", {"Plan", "", "Site", "http://x"}, 1, {"1  Site = http://x"});
    rangee("adresse de blancs", {"", "", "Vide", "   "}, 0, {"1  Vide =    "});
    // The internet link becomes the fifth; the file link, and then a sixth, find no room.
    rangee("cinquieme sans sixieme", {"Plan", "/plan.pdf", "Site", "http://ile.example"}, 0,
           {"5  Site = http://ile.example"}, 4);
    rangee("sixieme", {"", "", "Autre", "http://autre.example"}, 0, {}, 5);

    // The plain-character rule: a refused box is emptied, with its own message naming it.
    const QStringList messages = {
        QStringLiteral("Le nom du lien %1 est accentué invalide"),
        QStringLiteral("Nom du chemin ou de fichier %1  accentué invalide"),
        QStringLiteral("Le nom du lien %1  est accentué invalide"),
        QStringLiteral("Nom de l'URL  %1 est accentué invalide"),
    };
    for (int zone = 0; zone < 4; ++zone)
        for (const char16_t code : {31, 32, 127, 128, 0xE9}) {
            QStringList t = {"Plan", "/home/marin/plan.pdf", "Site", "http://ile.example"};
            t[zone] = QStringLiteral("Caf") + QChar(code) + u's';
            const bool simple = code >= 32 && code <= 127;
            QStringList restes = simple ? vides : t;
            restes[zone].clear();
            QTest::addRow("Text%d code %d", zone + 1, code)
                << 0 << t << (simple ? QStringList() : QStringList{messages[zone].arg(t[zone])})
                << (simple ? QStringList{"1  " + t[2] + " = " + t[3],
                                         "2  " + t[0] + " = file://" + t[1]}
                           : QStringList())
                << restes;
        }
}

void TestLiensCommandes::valider_lien() {
    QFETCH(int, existants);
    QFETCH(QStringList, textes);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, ajouts);
    QFETCH(QStringList, restes);
    Liens l(existants);
    if (existants > 0)
        l.Choisir_Lien(1); // an addition rebuilds the list: nothing is chosen any more
    l.Remplir(textes);
    l.Cliquer(l.c.ui.Valider_lien);
    QCOMPARE(l.services.messages, messages);
    QCOMPARE(l.Textes(), restes);
    QCOMPARE(l.Liste(), Entrees(existants) + ajouts);
    QCOMPARE(l.c.poi.Nb_Liens[2], existants + ajouts.size());
    QCOMPARE(l.c.poi.Nb_Liens[1], 0);
    QCOMPARE(l.c.ui.ListeLiens->ListIndex(), -1);
}

void TestLiensCommandes::sans_choix_data() {
    QTest::addColumn<int>("bouton"); // Valider_lien, Fichier_lien, Supprimer_Lien, Tester_Lien
    QTest::addColumn<bool>("lien_choisi");
    QTest::addColumn<bool>("POI_choisi");
    QTest::addColumn<QString>("message");
    const QString poi = QStringLiteral("Choisisser d'abord un POI");
    const QString supprimer = QStringLiteral("Choisissez un lien à supprimer");
    const QString tester = QStringLiteral("Choisissez un lien à tester");
    QTest::newRow("valider sans POI") << 0 << true << false << poi;
    QTest::newRow("fichier sans POI") << 1 << true << false << poi;
    QTest::newRow("supprimer sans lien") << 2 << false << true << supprimer;
    QTest::newRow("supprimer sans POI") << 2 << true << false << supprimer;
    QTest::newRow("tester sans lien") << 3 << false << true << tester;
    QTest::newRow("tester sans POI") << 3 << true << false << tester;
}

// The command refuses with its message and changes nothing.
void TestLiensCommandes::sans_choix() {
    QFETCH(int, bouton);
    QFETCH(bool, lien_choisi);
    QFETCH(bool, POI_choisi);
    QFETCH(QString, message);
    Liens l(1);
    if (lien_choisi)
        l.Choisir_Lien(1);
    if (!POI_choisi)
        l.c.ui.ListePOI->SetListIndex(-1);
    const QStringList textes = {"Plan", "/plan.pdf", "Site", "http://x"};
    l.Remplir(textes);
    l.services.fichiers << QStringLiteral("/plan2.pdf");
    const Controles& ui = l.c.ui;
    l.Cliquer(QList<QPushButton*>{ui.Valider_lien, ui.Fichier_lien, ui.Supprimer_Lien,
                                  ui.Tester_Lien}[bouton]);
    QCOMPARE(l.services.messages, QStringList{message});
    QCOMPARE(l.Textes(), textes);
    QCOMPARE(l.Liste(), Entrees(1));
    QCOMPARE(l.c.poi.Nb_Liens[2], 1);
    QVERIFY(l.services.dialogues.isEmpty());
    QVERIFY(l.services.ouvertures.isEmpty());
}

void TestLiensCommandes::gerer_sans_POI_puis_fichier_des_POI() {
    Liens l;
    QVERIFY(l.c.ui.LIENS->isVisible() && !l.c.ui.POIS->isVisible());
    l.c.ui.Montre_Fichier->trigger();
    QVERIFY(l.c.ui.POIS->isVisible() && !l.c.ui.LIENS->isVisible());
    l.c.ui.ListePOI->SetListIndex(-1);
    l.c.ui.Gestion_Liens->trigger();
    QCOMPARE(l.services.messages,
             QStringList{QStringLiteral("Selectionnez d'abord un POI à gérer")});
    QVERIFY(l.c.ui.POIS->isVisible() && !l.c.ui.LIENS->isVisible());
}

void TestLiensCommandes::fichier_lien() {
    Liens l;
    l.c.ui.Text1->setText(QStringLiteral("Plan"));
    l.c.ui.Text2->setText(QStringLiteral("avant"));
    l.services.fichiers << QString() << QStringLiteral("/home/marin/Données/plan.pdf")
                        << QStringLiteral("/home/marin/plan de port.pdf");
    for (int i = 0; i < 3; ++i)
        l.Cliquer(l.c.ui.Fichier_lien);
    QCOMPARE(l.services.dialogues.size(), 3);
    for (const auto& dialogue : l.services.dialogues) {
        QCOMPARE(dialogue.filtre, QStringLiteral("*"));
        QCOMPARE(dialogue.nomInitial, QString());
    }
    QCOMPARE(l.services.messages,
             QStringList{QStringLiteral("Nom du chemin ou de fichier accentué invalide")});
    QCOMPARE(l.c.ui.Text2->text(), QStringLiteral("/home/marin/plan de port.pdf"));
    QCOMPARE(l.c.ui.Text1->text(), QStringLiteral("Plan"));
    QCOMPARE(l.c.poi.Nb_Liens[2], 0);
}

void TestLiensCommandes::supprimer_lien() {
    Liens l(4);
    l.Choisir_Lien(2);
    l.Cliquer(l.c.ui.Supprimer_Lien);
    QCOMPARE(l.Liste(), (QStringList{"1  L1 = http://1", "2  L3 = http://3", "3  L4 = http://4"}));
    QCOMPARE(l.c.ui.ListeLiens->ListIndex(), -1);
    l.Choisir_Lien(3);
    l.Cliquer(l.c.ui.Supprimer_Lien);
    QCOMPARE(l.Liste(), (QStringList{"1  L1 = http://1", "2  L3 = http://3"}));
    for (int fois = 0; fois < 2; ++fois) {
        l.Choisir_Lien(1);
        l.Cliquer(l.c.ui.Supprimer_Lien);
    }
    QVERIFY(l.Liste().isEmpty());
    QCOMPARE(l.c.poi.Nb_Liens[2], 0);
    QCOMPARE(l.c.poi.Nb_Liens[1], 0);
    QVERIFY(l.services.messages.isEmpty());
}

// Targets go to the opener as stored, whatever they hold; only the XML spelling of a target
// read from a file is resolved.
void TestLiensCommandes::tester_lien() {
    Liens l;
    const QStringList cibles = {QStringLiteral("file://C:\\Escales\\Mouillage.txt"),
                                QStringLiteral("http://x.example/a b;$(reboot)&c=1"),
                                QStringLiteral("file:///home/anne/Tom &amp; Jerry/Note.txt")};
    for (const QString& cible : cibles)
        l.Ajouter_Lien(2, QStringLiteral("L"), cible);
    l.Selectionner(2);
    for (int slot = 1; slot <= 3; ++slot) {
        l.Choisir_Lien(slot);
        l.Cliquer(l.c.ui.Tester_Lien);
        QCOMPARE(l.c.ui.ListeLiens->ListIndex(), slot - 1);
    }
    QCOMPARE(l.services.ouvertures,
             (QStringList{cibles[0], cibles[1],
                          QStringLiteral("file:///home/anne/Tom & Jerry/Note.txt")}));
    QVERIFY(l.services.messages.isEmpty());
}

QUILLVANE_TEST_MAIN(TestLiensCommandes)
#include "test_liens_commandes.moc"
