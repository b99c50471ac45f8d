// The POI frame's "Valider": modify, create and delete, with the check of the typed entry.

#include "poi/Commandes_POI.h"
#include "support/Banc.h"

#include <QPushButton>

namespace {

const QString Incorrect = QStringLiteral("Latidute-Longitude incorrect");
const QString Choisir_POI = QStringLiteral("Sélectionnez d'abord un POI");
const QString Sans_Nom = QStringLiteral("Le nom du POI n'est pas défini");
const QString Sans_Fichier = QStringLiteral("Définissez un nom de fichier");

enum Action { Aucune = -1, Modifier = 0, Nouveau = 1, Supprimer = 2 };

// The distinct time stamp of POI i, so that moves can be seen.
QString Date(int i) {
    return QDateTime(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC).addSecs(i).toString(Qt::ISODate);
}

// A program with a file open and POIs P1..Pn.
struct Edition : Banc {
    explicit Edition(int nombre) {
        Demarrer();
        c.poi.Nom_Fichier = QStringLiteral("/tmp/escales.gpx");
        for (int i = 1; i <= nombre; ++i)
            Ajouter_POI(QStringLiteral("P%1").arg(i), QString::number(40 + i), QString::number(-i),
                        Date(i));
    }
    void Choisir(Action action) {
        QTest::mouseClick(c.ui.Option1->Bouton(action), Qt::LeftButton);
        QVERIFY(c.ui.Option1->Value(action));
    }
    void Valider() { QTest::mouseClick(c.ui.Validation, Qt::LeftButton); }
    // Chooses the action (none for Aucune), types the entry when given, presses "Valider".
    void Faire(Action action, const QStringList& saisie = {}) {
        if (action != Aucune)
            Choisir(action);
        if (!saisie.isEmpty()) {
            c.ui.Lat_Long->setText(saisie[0]);
            c.ui.Nom_WP->setText(saisie[1]);
        }
        Valider();
    }
    QStringList Liste() const {
        QStringList noms;
        for (int i = 0; i < c.ui.ListePOI->count(); ++i)
            noms << c.ui.ListePOI->item(i)->text();
        return noms;
    }
    bool Aucune_Option() const {
        return !c.ui.Option1->Value(0) && !c.ui.Option1->Value(1) && !c.ui.Option1->Value(2);
    }
};

bool Memes(const Declarations::Declarations& a, const Declarations::Declarations& b) {
    return a.Nb_POI == b.Nb_POI && a.POI_Courant == b.POI_Courant && a.Nom_POI == b.Nom_POI &&
           a.Date_POI == b.Date_POI && a.Lat_POI == b.Lat_POI && a.Long_POI == b.Long_POI &&
           a.Nb_Liens == b.Nb_Liens && a.Lien_URL == b.Lien_URL && a.Lien_Nom == b.Lien_Nom;
}

// The 20-character UTC form, within a minute of the clock.
bool Horodatage_Recent(const QString& texte) {
    QDateTime lu = QDateTime::fromString(texte, QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'"));
    lu.setTimeZone(QTimeZone::utc());
    return texte.size() == 20 && lu.isValid() &&
           qAbs(lu.secsTo(QDateTime::currentDateTimeUtc())) < 60;
}

} // namespace

class TestEditionPOI : public QObject {
    Q_OBJECT
  private slots:
    void modification_acceptee_data();
    void modification_acceptee();
    void saisie_refusee_data();
    void saisie_refusee();
    void nom_vide_garde_les_coordonnees();
    void creation_a_100_tapee_corrigee_puis_refus();
    void suppression_milieu_puis_fin();
    void garde_sans_POI_data();
    void garde_sans_POI();
};

void TestEditionPOI::modification_acceptee_data() {
    QTest::addColumn<QStringList>("attendu"); // the entry, then the latitude and longitude stored
    QTest::newRow("simple") << QStringList{"47.25,-2.5", "47.25", "-2.5"};
    QTest::newRow("blanc gardé") << QStringList{"47.25, -2.5", "47.25", " -2.5"};
    QTest::newRow("bornes") << QStringList{"-90,180", "-90", "180"};
    QTest::newRow("signe et point") << QStringList{"+0.5,.5", "+0.5", ".5"};
    QTest::newRow("blancs autour") << QStringList{" 47 , -2 ", " 47 ", " -2 "};
}

void TestEditionPOI::modification_acceptee() {
    QFETCH(QStringList, attendu);
    Edition e(2);
    e.Ajouter_Lien(2, QStringLiteral("Site"), QStringLiteral("http://ile.example"));
    e.c.poi.Date_POI[1].clear();
    e.Selectionner(1);
    e.Faire(Modifier, {"46,-1", "Sans date"});
    QVERIFY2(Horodatage_Recent(e.c.poi.Date_POI[1]), qPrintable(e.c.poi.Date_POI[1]));
    e.Selectionner(2);
    e.Faire(Modifier, {attendu[0], QStringLiteral("Ile d'Houat")});

    QVERIFY2(e.services.messages.isEmpty(), qPrintable(e.services.messages.join('|')));
    QCOMPARE(e.c.poi.Nb_POI, 2);
    QCOMPARE(e.c.poi.POI_Courant, 2);
    QCOMPARE(e.c.poi.Lat_POI[2], attendu[1]);
    QCOMPARE(e.c.poi.Long_POI[2], attendu[2]);
    QCOMPARE(e.c.poi.Nom_POI[2], QStringLiteral("Ile d'Houat"));
    QCOMPARE(e.c.poi.Date_POI[2], Date(2));
    QCOMPARE(e.c.poi.Nb_Liens[2], 1);
    QCOMPARE(e.Liste(), (QStringList{QStringLiteral("Sans date"), QStringLiteral("Ile d'Houat")}));
    QCOMPARE(e.c.ui.ListePOI->ListIndex(), 1);
    QCOMPARE(e.c.ui.Text7->text(), QStringLiteral("Ile d'Houat"));
    QCOMPARE(e.c.ui.ListeLiens->count(), 1);
    QVERIFY(e.Aucune_Option());
}

void TestEditionPOI::saisie_refusee_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("message");
    const QStringList incorrectes =
        QStringLiteral("47,25,-2,5|47 12.3 N, 2 09.5 W|,-2.5|47.25,|91,0|0,180.0001|4.7e1,2|"
                       "47.25;-2.5|abc,def|90.0000001,0|0,-181|,|.,0|47.,0|--47,0|4 7,0|- 47,0|"
                       "47\t,0|inf,0|nan,0|47\u00A0,0|47,\u22122.5|\u0664\u0667,0|France|"
                       "Entrez ici les latitude et longitude|1,3\n|1\n,3")
            .split(u'|');
    const QString nom = QStringLiteral("Roche");
    for (const Action action : {Modifier, Nouveau}) {
        const char* quoi = action == Modifier ? "modifier" : "creer";
        for (const QString& saisie : incorrectes)
            QTest::addRow("%s '%s'", quoi, qPrintable(saisie))
                << int(action) << saisie << nom << Incorrect;
        QTest::addRow("%s vide", quoi)
            << int(action) << QString() << nom
            << QStringLiteral("Entrez une valeur valide latitude-longitude");
        QTest::addRow("%s sans fichier", quoi) << int(action) << "1,1" << nom << Sans_Fichier;
    }
    QTest::newRow("creer sans nom") << int(Nouveau) << "47.3,-2.3" << QString() << Sans_Nom;
    QTest::newRow("sans option")
        << int(Aucune) << "47.3,-2.3" << nom
        << QStringLiteral("Indiquer ce qu'il faut faire : modifier, ajouter, supprimer ?");
}

// A refused entry stores nothing; a refused create is withdrawn and keeps what was typed.
void TestEditionPOI::saisie_refusee() {
    QFETCH(int, action);
    QFETCH(QString, saisie);
    QFETCH(QString, nom);
    QFETCH(QString, message);
    Edition e(2);
    // What a deleted POI left above the count must come back as it was.
    e.c.poi.Nom_POI[3] = QStringLiteral("ancien");
    e.c.poi.Lat_POI[3] = QStringLiteral("1");
    e.c.poi.Nb_Liens[3] = 2;
    e.Selectionner(2);
    if (message == Sans_Fichier)
        e.c.poi.Nom_Fichier.clear();
    const Declarations::Declarations avant = e.c.poi;

    e.Faire(Action(action), {saisie, nom});

    QCOMPARE(e.services.messages, QStringList{message});
    QVERIFY(Memes(e.c.poi, avant));
    QCOMPARE(e.Liste(), (QStringList{QStringLiteral("P1"), QStringLiteral("P2")}));
    QCOMPARE(e.c.ui.ListePOI->ListIndex(), 1);
    if (action == Nouveau) {
        QVERIFY(e.c.ui.Option1->Value(1));
        QCOMPARE(e.c.ui.Lat_Long->text(), saisie);
        QCOMPARE(e.c.ui.Nom_WP->text(), nom);
    } else {
        QVERIFY(e.Aucune_Option());
    }
}

void TestEditionPOI::nom_vide_garde_les_coordonnees() {
    Edition e(1);
    e.Selectionner(1);
    e.Faire(Modifier, {"48.5,-4.5", ""});
    QCOMPARE(e.services.messages, QStringList{Sans_Nom});
    QCOMPARE(e.c.poi.Lat_POI[1], QStringLiteral("48.5"));
    QCOMPARE(e.c.poi.Long_POI[1], QStringLiteral("-4.5"));
    QCOMPARE(e.c.poi.Nom_POI[1], QStringLiteral("P1"));
    e.Selectionner(1);
    QCOMPARE(e.c.ui.Lat_Long->text(), QStringLiteral("48.5,-4.5"));
}

// The user's own road to the 100th POI: "Nouveau Poi", click into each box, type, a mistake,
// then a fix; then one POI too many.
void TestEditionPOI::creation_a_100_tapee_corrigee_puis_refus() {
    Edition e(99);
    // Leftovers of a deleted POI at index 100.
    e.c.poi.Date_POI[100] = Date(1);
    e.c.poi.Nb_Liens[100] = 3;
    e.Selectionner(5);
    e.Choisir(Nouveau);
    QCOMPARE(e.c.ui.Lat_Long->text(), QStringLiteral("Entrez ici les latitude et longitude"));
    QTest::mouseClick(e.c.ui.Lat_Long, Qt::LeftButton);
    QTest::keyClicks(e.c.ui.Lat_Long, QStringLiteral("-12,5,130,75"));
    QTest::mouseClick(e.c.ui.Nom_WP, Qt::LeftButton);
    QTest::keyClicks(e.c.ui.Nom_WP, QStringLiteral("Darwin"));
    e.Valider();
    QCOMPARE(e.services.messages, QStringList{Incorrect});
    QCOMPARE(e.c.poi.Nb_POI, 99);
    QCOMPARE(e.c.ui.Nom_WP->text(), QStringLiteral("Darwin"));

    e.services.messages.clear();
    e.c.ui.Lat_Long->setText(QStringLiteral("-12.5,130.75"));
    e.Valider();
    QVERIFY(e.services.messages.isEmpty());
    QCOMPARE(e.c.poi.Nb_POI, 100);
    QCOMPARE(e.c.poi.POI_Courant, 100);
    QCOMPARE(e.c.poi.Nom_POI[100], QStringLiteral("Darwin"));
    QCOMPARE(e.c.poi.Lat_POI[100], QStringLiteral("-12.5"));
    QCOMPARE(e.c.poi.Long_POI[100], QStringLiteral("130.75"));
    QCOMPARE(e.c.poi.Nb_Liens[100], 0);
    QVERIFY(Horodatage_Recent(e.c.poi.Date_POI[100]));
    QCOMPARE(e.c.ui.ListePOI->count(), 100);
    QCOMPARE(e.c.ui.ListePOI->item(99)->text(), QStringLiteral("Darwin"));
    QCOMPARE(e.c.ui.ListePOI->ListIndex(), -1);
    QCOMPARE(e.c.ui.Lat_Long->text(), QStringLiteral("-12.5,130.75"));
    QVERIFY(e.Aucune_Option());

    e.Selectionner(100);
    const Declarations::Declarations avant = e.c.poi;
    e.Faire(Nouveau, {"1,1", "Un de trop"});
    QCOMPARE(e.services.messages,
             QStringList{QStringLiteral("Il y a déjà le nombre maximal 100 POI enregistrés dans "
                                        "ce fichier. Créez un nouveau fichier")});
    QVERIFY(Memes(e.c.poi, avant));
    QVERIFY(e.Aucune_Option());
    QCOMPARE(e.c.ui.ListePOI->ListIndex(), 99);
}

void TestEditionPOI::suppression_milieu_puis_fin() {
    Edition e(4);
    for (int i = 1; i <= 4; ++i)
        for (int k = 1; k <= i; ++k)
            e.Ajouter_Lien(i, QStringLiteral("L%1.%2").arg(i).arg(k),
                           QStringLiteral("http://%1.%2").arg(i).arg(k));
    e.Selectionner(2);
    e.Faire(Supprimer);
    QVERIFY(e.services.messages.isEmpty());
    QCOMPARE(e.c.poi.Nb_POI, 3);
    QCOMPARE(e.c.poi.POI_Courant, 2);
    QCOMPARE(e.Liste(), (QStringList{"P1", "P3", "P4"}));
    QCOMPARE(e.c.ui.ListePOI->ListIndex(), -1);
    QCOMPARE(e.c.ui.Nom_WP->text(), QStringLiteral("P2")); // the boxes still show it
    QVERIFY(e.Aucune_Option());
    for (const int ancien : {3, 4}) {
        const int p = ancien - 1;
        QCOMPARE(e.c.poi.Nom_POI[p], QStringLiteral("P%1").arg(ancien));
        QCOMPARE(e.c.poi.Lat_POI[p], QString::number(40 + ancien));
        QCOMPARE(e.c.poi.Long_POI[p], QString::number(-ancien));
        QCOMPARE(e.c.poi.Date_POI[p], Date(ancien));
        QCOMPARE(e.c.poi.Nb_Liens[p], ancien);
        QCOMPARE(e.c.poi.Lien_Nom[p][ancien], QStringLiteral("L%1.%1").arg(ancien));
        QCOMPARE(e.c.poi.Lien_URL[p][1], QStringLiteral("http://%1.1").arg(ancien));
    }

    // The last one: only the count goes down, and the next delete needs a selection.
    e.Selectionner(3);
    e.Faire(Supprimer);
    QCOMPARE(e.c.poi.Nb_POI, 2);
    QCOMPARE(e.c.poi.POI_Courant, 3);
    QCOMPARE(e.c.poi.Nom_POI[3], QStringLiteral("P4"));
    e.Faire(Supprimer);
    QCOMPARE(e.services.messages, QStringList{Choisir_POI});
    QCOMPARE(e.c.poi.Nb_POI, 2);
}

void TestEditionPOI::garde_sans_POI_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("nombre");
    QTest::addColumn<int>("courant");
    for (const Action action : {Modifier, Supprimer}) {
        const char* quoi = action == Modifier ? "modifier" : "supprimer";
        QTest::addRow("%s au demarrage", quoi) << int(action) << 2 << 0;
        QTest::addRow("%s apres lecture", quoi) << int(action) << 2 << 3;
        QTest::addRow("%s fichier vide", quoi) << int(action) << 0 << 1;
        QTest::addRow("%s magasin plein lu", quoi) << int(action) << 100 << 101;
    }
}

void TestEditionPOI::garde_sans_POI() {
    QFETCH(int, action);
    QFETCH(int, nombre);
    QFETCH(int, courant);
    Edition e(nombre);
    e.c.poi.POI_Courant = qint16(courant);
    const Declarations::Declarations avant = e.c.poi;
    e.Faire(Action(action), {"2,2", "Nom"});
    QCOMPARE(e.services.messages, QStringList{Choisir_POI});
    QVERIFY(Memes(e.c.poi, avant));
}

QUILLVANE_TEST_MAIN(TestEditionPOI)
#include "test_edition_poi.moc"
