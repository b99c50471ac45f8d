// The link frame's commands: plain-character rule, adding, picking a file, deleting, opening.

#include "support/Banc.h"

#include <QGroupBox>
#include <QPushButton>

namespace {

const QString Manque = QStringLiteral("Il manque la définition d'un paramètre du lien à valider");

// A POI selected and the link frame shown, as the user gets there.
struct Liens : Banc {
    Liens() {
        Demarrer();
        c.poi.Nom_Fichier = QStringLiteral("/tmp/escales.gpx");
        c.poi.Dossier_Fichier = QStringLiteral("/tmp/");
        Ajouter_POI(QStringLiteral("Port"), QStringLiteral("47.1"), QStringLiteral("-2.1"));
        Ajouter_POI(QStringLiteral("Ile"), QStringLiteral("47.2"), QStringLiteral("-2.2"));
        Selectionner(2);
        c.ui.Gestion_Liens->trigger();
    }
    QList<QLineEdit*> Zones() const { return {c.ui.Text1, c.ui.Text2, c.ui.Text3, c.ui.Text4}; }
    void Remplir(const QStringList& textes) {
        for (int i = 0; i < 4; ++i)
            Zones()[i]->setText(textes[i]);
    }
    QStringList Textes() const {
        QStringList textes;
        for (QLineEdit* zone : Zones())
            textes << zone->text();
        return textes;
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

} // namespace

class TestLiensCommandes : public QObject {
    Q_OBJECT
  private slots:
    void regle_des_caracteres_data();
    void regle_des_caracteres();
    void paires_data();
    void paires();
    void sixieme_lien();
    void sans_POI_selectionne();
    void fichier_lien();
    void supprimer_lien();
    void tester_lien();
};

void TestLiensCommandes::regle_des_caracteres_data() {
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("caractere");
    QTest::addColumn<QString>("message"); // with %1 for the box's text; empty when accepted
    const QStringList messages = {
        QStringLiteral("Le nom du lien %1 est accentué invalide"),
        QStringLiteral("Nom du chemin ou de fichier %1  accentué invalide"),
        QStringLiteral("Le nom du lien %1  est accentué invalide"),
        QStringLiteral("Nom de l'URL  %1 est accentué invalide"),
    };
    for (int zone = 0; zone < 4; ++zone) {
        const int n = zone + 1;
        QTest::addRow("Text%d code 31", n) << zone << QString(QChar(31)) << messages[zone];
        QTest::addRow("Text%d code 32", n) << zone << QStringLiteral(" ") << QString();
        QTest::addRow("Text%d code 127", n) << zone << QString(QChar(127)) << QString();
        QTest::addRow("Text%d code 128", n) << zone << QString(QChar(128)) << messages[zone];
        QTest::addRow("Text%d e accent", n) << zone << QStringLiteral("é") << messages[zone];
        QTest::addRow("Text%d euro", n) << zone << QStringLiteral("€") << messages[zone];
    }
}

void TestLiensCommandes::regle_des_caracteres() {
    QFETCH(int, zone);
    QFETCH(QString, caractere);
    QFETCH(QString, message);
    Liens l;
    QStringList textes = {"Plan", "/home/marin/plan.pdf", "Site", "http://ile.example"};
    textes[zone] = QStringLiteral("Caf") + caractere + QStringLiteral("s");
    l.Remplir(textes);
    l.Cliquer(l.c.ui.Valider_lien);

    if (message.isEmpty()) {
        QVERIFY(l.services.messages.isEmpty());
        QCOMPARE(l.c.poi.Nb_Liens[2], 2);
        QCOMPARE(l.Textes(), QStringList(4, QString()));
        return;
    }
    QCOMPARE(l.services.messages, QStringList{message.arg(textes[zone])});
    QCOMPARE(l.c.poi.Nb_Liens[2], 0);
    textes[zone].clear();
    QCOMPARE(l.Textes(), textes);
}

void TestLiensCommandes::paires_data() {
    QTest::addColumn<QStringList>("textes");
    QTest::addColumn<int>("messages");
    QTest::addColumn<QStringList>("liste");
    QTest::newRow("deux paires, internet d'abord")
        << QStringList{"Plan", "/home/marin/plan de port.pdf", "Site", "http://ile.example"} << 0
        << QStringList{"1  Site = http://ile.example",
                       "2  Plan = file:///home/marin/plan de port.pdf"};
    QTest::newRow("rien") << QStringList(4, QString()) << 0 << QStringList();
    QTest::newRow("Text1 seul") << QStringList{"Plan", "", "", ""} << 1 << QStringList();
    QTest::newRow("Text4 seul") << QStringList{"", "", "", "http://x"} << 1 << QStringList();
    QTest::newRow("deux moities") << QStringList{"", "/plan", "Site", ""} << 2 << QStringList();
    QTest::newRow("une paire et une moitie")
        << QStringList{"Plan", "", "Site", "http://x"} << 1 << QStringList{"1  Site = http://x"};
    QTest::newRow("adresse de blancs")
        << QStringList{"", "", "Vide", "   "} << 0 << QStringList{"1  Vide =    "};
}

void TestLiensCommandes::paires() {
    QFETCH(QStringList, textes);
    QFETCH(int, messages);
    QFETCH(QStringList, liste);
    Liens l;
    l.Remplir(textes);
    l.Cliquer(l.c.ui.Valider_lien);
    QCOMPARE(l.services.messages, QStringList(messages, Manque));
    QCOMPARE(l.Liste(), liste);
    QCOMPARE(l.c.poi.Nb_Liens[2], liste.size());
    QCOMPARE(l.c.poi.Nb_Liens[1], 0);
    QCOMPARE(l.c.ui.ListeLiens->ListIndex(), -1);
    QCOMPARE(l.Textes(), QStringList(4, QString()));
}

void TestLiensCommandes::sixieme_lien() {
    Liens l;
    for (int k = 1; k <= 4; ++k)
        l.Ajouter_Lien(2, QStringLiteral("L%1").arg(k), QStringLiteral("http://%1").arg(k));
    // With four links, the internet link becomes the fifth and the file link finds no room.
    l.Remplir({"Plan", "/plan.pdf", "Site", "http://ile.example"});
    l.Cliquer(l.c.ui.Valider_lien);
    QVERIFY(l.services.messages.isEmpty());
    QCOMPARE(l.c.poi.Nb_Liens[2], 5);
    QCOMPARE(l.c.poi.Lien_URL[2][5], QStringLiteral("http://ile.example"));
    QCOMPARE(l.Textes(), QStringList(4, QString()));

    l.Remplir({"", "", "Autre", "http://autre.example"});
    l.Cliquer(l.c.ui.Valider_lien);
    QVERIFY(l.services.messages.isEmpty());
    QCOMPARE(l.c.poi.Nb_Liens[2], 5);
    QCOMPARE(l.c.poi.Lien_URL[2][5], QStringLiteral("http://ile.example"));
    QCOMPARE(l.Liste().size(), 5);
    QCOMPARE(l.Textes(), QStringList(4, QString()));
}

void TestLiensCommandes::sans_POI_selectionne() {
    Liens l;
    QVERIFY(l.c.ui.LIENS->isVisible());
    QVERIFY(!l.c.ui.POIS->isVisible());
    // Back to the POI frame, as "Fichier des Poi" does.
    l.c.ui.LIENS->hide();
    l.c.ui.POIS->show();

    l.c.ui.ListePOI->SetListIndex(-1);
    l.c.ui.Gestion_Liens->trigger();
    QCOMPARE(l.services.messages,
             QStringList{QStringLiteral("Selectionnez d'abord un POI à gérer")});
    QVERIFY(l.c.ui.POIS->isVisible());
    QVERIFY(!l.c.ui.LIENS->isVisible());

    l.services.messages.clear();
    l.Remplir({"Plan", "/plan.pdf", "Site", "http://x"});
    l.services.fichiers << QStringLiteral("/plan2.pdf");
    l.Cliquer(l.c.ui.Valider_lien);
    l.Cliquer(l.c.ui.Fichier_lien);
    QCOMPARE(l.services.messages, QStringList(2, QStringLiteral("Choisisser d'abord un POI")));
    QVERIFY(l.services.dialogues.isEmpty());
    QCOMPARE(l.Textes(), (QStringList{"Plan", "/plan.pdf", "Site", "http://x"}));
    QCOMPARE(l.c.poi.Nb_Liens[2], 0);
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
    Liens l;
    for (int k = 1; k <= 4; ++k)
        l.Ajouter_Lien(2, QStringLiteral("L%1").arg(k), QStringLiteral("http://%1").arg(k));
    l.Selectionner(2);

    l.Cliquer(l.c.ui.Supprimer_Lien); // no link chosen
    l.Choisir_Lien(1);
    l.c.ui.ListePOI->SetListIndex(-1); // no POI chosen
    l.Cliquer(l.c.ui.Supprimer_Lien);
    QCOMPARE(l.services.messages, QStringList(2, QStringLiteral("Choisissez un lien à supprimer")));
    QCOMPARE(l.c.poi.Nb_Liens[2], 4);

    l.services.messages.clear();
    l.Selectionner(2);
    l.Choisir_Lien(2);
    l.Cliquer(l.c.ui.Supprimer_Lien);
    QCOMPARE(l.Liste(), (QStringList{"1  L1 = http://1", "2  L3 = http://3", "3  L4 = http://4"}));
    QCOMPARE(l.c.ui.ListeLiens->ListIndex(), -1);
    l.Choisir_Lien(3);
    l.Cliquer(l.c.ui.Supprimer_Lien);
    QCOMPARE(l.Liste(), (QStringList{"1  L1 = http://1", "2  L3 = http://3"}));
    l.Choisir_Lien(1);
    l.Cliquer(l.c.ui.Supprimer_Lien);
    l.Choisir_Lien(1);
    l.Cliquer(l.c.ui.Supprimer_Lien);
    QVERIFY(l.Liste().isEmpty());
    QCOMPARE(l.c.poi.Nb_Liens[2], 0);
    QCOMPARE(l.c.poi.Nb_Liens[1], 0);
    QVERIFY(l.services.messages.isEmpty());
}

void TestLiensCommandes::tester_lien() {
    Liens l;
    // Targets go to the opener as stored, whatever they hold; only the XML spelling of a
    // target read from a file is resolved.
    const QStringList cibles = {QStringLiteral("file://C:\\Escales\\Mouillage.txt"),
                                QStringLiteral("http://x.example/a b;$(reboot)&c=1"),
                                QStringLiteral("file:///home/anne/Tom &amp; Jerry/Note.txt")};
    const QStringList ouvertes = {cibles[0], cibles[1],
                                  QStringLiteral("file:///home/anne/Tom & Jerry/Note.txt")};
    for (const QString& cible : cibles)
        l.Ajouter_Lien(2, QStringLiteral("L"), cible);
    l.Selectionner(2);

    l.Cliquer(l.c.ui.Tester_Lien);
    l.Choisir_Lien(1);
    l.c.ui.ListePOI->SetListIndex(-1);
    l.Cliquer(l.c.ui.Tester_Lien);
    QCOMPARE(l.services.messages, QStringList(2, QStringLiteral("Choisissez un lien à tester")));
    QVERIFY(l.services.ouvertures.isEmpty());

    l.services.messages.clear();
    l.Selectionner(2);
    for (int slot = 1; slot <= 3; ++slot) {
        l.Choisir_Lien(slot);
        l.Cliquer(l.c.ui.Tester_Lien);
        QCOMPARE(l.c.ui.ListeLiens->ListIndex(), slot - 1);
    }
    QCOMPARE(l.services.ouvertures, ouvertes);
    QVERIFY(l.services.messages.isEmpty());

    // An addition rebuilds the list: nothing is chosen any more.
    l.Remplir({"", "", "Site", "http://ile.example"});
    l.Cliquer(l.c.ui.Valider_lien);
    l.Cliquer(l.c.ui.Tester_Lien);
    QCOMPARE(l.services.messages, QStringList{QStringLiteral("Choisissez un lien à tester")});
    QCOMPARE(l.services.ouvertures.size(), 3);
}

QUILLVANE_TEST_MAIN(TestLiensCommandes)
#include "test_liens_commandes.moc"
