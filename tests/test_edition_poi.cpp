// The POI frame's "Valider": modify, create and delete, with the check of the typed entry.

#include "poi/Commandes_POI.h"
#include "support/Banc.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const QString Stamp = QStringLiteral("2020-01-02T03:04:05Z");
const QString Incorrect = QStringLiteral("Latidute-Longitude incorrect");
const QString Choisir_POI = QStringLiteral("Sélectionnez d'abord un POI");

enum Action { Modifier = 0, Nouveau = 1, Supprimer = 2 };

// A program with a file open in a temporary folder.
struct Edition : Banc {
    QTemporaryDir dossier;

    Edition() {
        Demarrer();
        c.poi.Nom_Fichier = dossier.path() + QStringLiteral("/escales.gpx");
        c.poi.Nom_Court = QStringLiteral("escales.gpx");
        c.poi.Dossier_Fichier = dossier.path() + u'/';
    }
    void Choisir(Action action) {
        QTest::mouseClick(c.ui.Option1->Bouton(action), Qt::LeftButton);
        QVERIFY(c.ui.Option1->Value(action));
    }
    void Saisir(const QString& lat_long, const QString& nom) {
        c.ui.Lat_Long->setText(lat_long);
        c.ui.Nom_WP->setText(nom);
    }
    void Valider() { QTest::mouseClick(c.ui.Validation, Qt::LeftButton); }
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

bool Horodatage_Recent(const QString& texte) {
    static const QRegularExpression forme(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"));
    QDateTime lu = QDateTime::fromString(texte, QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'"));
    lu.setTimeZone(QTimeZone::utc());
    return forme.match(texte).hasMatch() && qAbs(lu.secsTo(QDateTime::currentDateTimeUtc())) < 60;
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
    void creation_tapee_puis_corrigee();
    void horodatage_garde_ou_donne();
    void creation_a_99_puis_refus_a_100();
    void suppression_milieu_puis_fin();
    void garde_sans_POI_data();
    void garde_sans_POI();
    void sans_option();
};

void TestEditionPOI::modification_acceptee_data() {
    QTest::addColumn<QString>("saisie");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::newRow("simple") << "47.25,-2.5"
                            << "47.25"
                            << "-2.5";
    QTest::newRow("blanc gardé") << "47.25, -2.5"
                                 << "47.25"
                                 << " -2.5";
    QTest::newRow("bornes") << "-90,180"
                            << "-90"
                            << "180";
    QTest::newRow("signe et point") << "+0.5,.5"
                                    << "+0.5"
                                    << ".5";
    QTest::newRow("blancs autour") << " 47 , -2 "
                                   << " 47 "
                                   << " -2 ";
}

void TestEditionPOI::modification_acceptee() {
    QFETCH(QString, saisie);
    QFETCH(QString, lat);
    QFETCH(QString, lon);
    Edition e;
    e.Ajouter_POI(QStringLiteral("Port"), QStringLiteral("47.1"), QStringLiteral("-2.1"), Stamp);
    e.Ajouter_POI(QStringLiteral("Ile"), QStringLiteral("47.2"), QStringLiteral("-2.2"), Stamp);
    e.Ajouter_Lien(2, QStringLiteral("Site"), QStringLiteral("http://ile.example"));
    e.Selectionner(2);
    e.Choisir(Modifier);
    e.Saisir(saisie, QStringLiteral("Ile d'Houat"));
    e.Valider();

    QVERIFY2(e.services.messages.isEmpty(), qPrintable(e.services.messages.join('|')));
    QCOMPARE(e.c.poi.Nb_POI, 2);
    QCOMPARE(e.c.poi.POI_Courant, 2);
    QCOMPARE(e.c.poi.Lat_POI[2], lat);
    QCOMPARE(e.c.poi.Long_POI[2], lon);
    QCOMPARE(e.c.poi.Nom_POI[2], QStringLiteral("Ile d'Houat"));
    QCOMPARE(e.c.poi.Date_POI[2], Stamp);
    QCOMPARE(e.c.poi.Nb_Liens[2], 1);
    QCOMPARE(e.Liste(), (QStringList{QStringLiteral("Port"), QStringLiteral("Ile d'Houat")}));
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
    const QString nom = QStringLiteral("Roche");
    const QList<std::pair<const char*, QString>> incorrectes = {
        {"virgules decimales", QStringLiteral("47,25,-2,5")},
        {"degres minutes", QStringLiteral("47 12.3 N, 2 09.5 W")},
        {"latitude vide", QStringLiteral(",-2.5")},
        {"longitude vide", QStringLiteral("47.25,")},
        {"latitude 91", QStringLiteral("91,0")},
        {"longitude trop grande", QStringLiteral("0,180.0001")},
        {"exposant", QStringLiteral("4.7e1,2")},
        {"sans virgule", QStringLiteral("47.25;-2.5")},
        {"lettres", QStringLiteral("abc,def")},
        {"invite", QStringLiteral("Entrez ici les latitude et longitude")},
        {"France", QStringLiteral("France")},
    };
    for (const Action action : {Modifier, Nouveau}) {
        const char* quoi = action == Modifier ? "modifier" : "creer";
        for (const auto& [ligne, saisie] : incorrectes)
            QTest::addRow("%s %s", quoi, ligne) << int(action) << saisie << nom << Incorrect;
        QTest::addRow("%s vide", quoi)
            << int(action) << QString() << nom
            << QStringLiteral("Entrez une valeur valide latitude-longitude");
    }
    QTest::newRow("creer sans nom") << int(Nouveau) << QStringLiteral("47.3,-2.3") << QString()
                                    << QStringLiteral("Le nom du POI n'est pas défini");
}

// A refused entry stores nothing; a refused create is withdrawn and keeps what was typed.
void TestEditionPOI::saisie_refusee() {
    QFETCH(int, action);
    QFETCH(QString, saisie);
    QFETCH(QString, nom);
    QFETCH(QString, message);
    Edition e;
    e.Ajouter_POI(QStringLiteral("Port"), QStringLiteral("47.1"), QStringLiteral("-2.1"), Stamp);
    e.Ajouter_POI(QStringLiteral("Ile"), QStringLiteral("47.2"), QStringLiteral("-2.2"), Stamp);
    // What a deleted POI left above the count must come back as it was.
    e.c.poi.Nom_POI[3] = QStringLiteral("ancien");
    e.c.poi.Lat_POI[3] = QStringLiteral("1");
    e.c.poi.Nb_Liens[3] = 2;
    e.Selectionner(2);
    const Declarations::Declarations avant = e.c.poi;

    e.Choisir(Action(action));
    e.Saisir(saisie, nom);
    e.Valider();

    QCOMPARE(e.services.messages, QStringList{message});
    QVERIFY(Memes(e.c.poi, avant));
    QCOMPARE(e.Liste(), (QStringList{QStringLiteral("Port"), QStringLiteral("Ile")}));
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
    Edition e;
    e.Ajouter_POI(QStringLiteral("Port"), QStringLiteral("47.1"), QStringLiteral("-2.1"), Stamp);
    e.Selectionner(1);
    e.Choisir(Modifier);
    e.Saisir(QStringLiteral("48.5,-4.5"), QString());
    e.Valider();
    QCOMPARE(e.services.messages, QStringList{QStringLiteral("Le nom du POI n'est pas défini")});
    QCOMPARE(e.c.poi.Lat_POI[1], QStringLiteral("48.5"));
    QCOMPARE(e.c.poi.Long_POI[1], QStringLiteral("-4.5"));
    QCOMPARE(e.c.poi.Nom_POI[1], QStringLiteral("Port"));
    e.Selectionner(1);
    QCOMPARE(e.c.ui.Lat_Long->text(), QStringLiteral("48.5,-4.5"));

    // Without a file, nothing is stored either way.
    e.services.messages.clear();
    e.c.poi.Nom_Fichier.clear();
    for (const Action action : {Modifier, Nouveau}) {
        const Declarations::Declarations avant = e.c.poi;
        e.Choisir(action);
        e.Saisir(QStringLiteral("1,1"), QStringLiteral("X"));
        e.Valider();
        QCOMPARE(e.services.messages, QStringList{QStringLiteral("Définissez un nom de fichier")});
        QVERIFY(Memes(e.c.poi, avant));
        e.services.messages.clear();
    }
}

// The user's own road: "Nouveau Poi", click into each box, type, a mistake, then a fix.
void TestEditionPOI::creation_tapee_puis_corrigee() {
    Edition e;
    e.Ajouter_POI(QStringLiteral("Port"), QStringLiteral("47.1"), QStringLiteral("-2.1"), Stamp);
    e.Choisir(Nouveau);
    QCOMPARE(e.c.ui.Lat_Long->text(), QStringLiteral("Entrez ici les latitude et longitude"));
    QTest::mouseClick(e.c.ui.Lat_Long, Qt::LeftButton);
    QTest::keyClicks(e.c.ui.Lat_Long, QStringLiteral("47,25,-2,5"));
    QTest::mouseClick(e.c.ui.Nom_WP, Qt::LeftButton);
    QTest::keyClicks(e.c.ui.Nom_WP, QStringLiteral("Mouillage"));
    e.Valider();
    QCOMPARE(e.services.messages, QStringList{Incorrect});
    QCOMPARE(e.c.poi.Nb_POI, 1);
    QCOMPARE(e.c.ui.Nom_WP->text(), QStringLiteral("Mouillage"));

    e.c.ui.Lat_Long->setText(QStringLiteral("47.25,-2.5"));
    e.Valider();
    QCOMPARE(e.services.messages, QStringList{Incorrect});
    QCOMPARE(e.c.poi.Nb_POI, 2);
    QCOMPARE(e.c.poi.POI_Courant, 2);
    QCOMPARE(e.c.poi.Nom_POI[2], QStringLiteral("Mouillage"));
    QCOMPARE(e.c.poi.Lat_POI[2], QStringLiteral("47.25"));
    QCOMPARE(e.c.poi.Long_POI[2], QStringLiteral("-2.5"));
    QCOMPARE(e.Liste(), (QStringList{QStringLiteral("Port"), QStringLiteral("Mouillage")}));
    QCOMPARE(e.c.ui.ListePOI->ListIndex(), -1);
    QCOMPARE(e.c.ui.Lat_Long->text(), QStringLiteral("47.25,-2.5"));
    QVERIFY(e.Aucune_Option());
}

void TestEditionPOI::horodatage_garde_ou_donne() {
    Edition e;
    e.Ajouter_POI(QStringLiteral("Daté"), QStringLiteral("47.1"), QStringLiteral("-2.1"), Stamp);
    e.Ajouter_POI(QStringLiteral("Sans date"), QStringLiteral("47.2"), QStringLiteral("-2.2"),
                  QString());
    for (const int p : {1, 2}) {
        e.Selectionner(p);
        e.Choisir(Modifier);
        e.Saisir(QStringLiteral("46,-1"), QStringLiteral("Nom %1").arg(p));
        e.Valider();
    }
    QVERIFY(e.services.messages.isEmpty());
    QCOMPARE(e.c.poi.Date_POI[1], Stamp);
    QVERIFY2(Horodatage_Recent(e.c.poi.Date_POI[2]), qPrintable(e.c.poi.Date_POI[2]));

    // A stamp, once given, stays at the next modification.
    e.c.poi.Date_POI[2] = QStringLiteral("2001-01-01T00:00:00Z");
    e.Selectionner(2);
    e.Choisir(Modifier);
    e.Valider();
    QCOMPARE(e.c.poi.Date_POI[2], QStringLiteral("2001-01-01T00:00:00Z"));
}

void TestEditionPOI::creation_a_99_puis_refus_a_100() {
    Edition e;
    for (int i = 1; i <= 99; ++i)
        e.Ajouter_POI(QStringLiteral("P%1").arg(i), QStringLiteral("1"), QStringLiteral("1"),
                      Stamp);
    // Leftovers of a deleted POI at index 100.
    e.c.poi.Date_POI[100] = Stamp;
    e.c.poi.Nb_Liens[100] = 3;
    e.Selectionner(5);
    e.Choisir(Nouveau);
    e.Saisir(QStringLiteral("-12.5,130.75"), QStringLiteral("Darwin"));
    e.Valider();
    QVERIFY(e.services.messages.isEmpty());
    QCOMPARE(e.c.poi.Nb_POI, 100);
    QCOMPARE(e.c.poi.POI_Courant, 100);
    QCOMPARE(e.c.poi.Nom_POI[100], QStringLiteral("Darwin"));
    QCOMPARE(e.c.poi.Nb_Liens[100], 0);
    QVERIFY(Horodatage_Recent(e.c.poi.Date_POI[100]));
    QCOMPARE(e.c.ui.ListePOI->count(), 100);

    e.Selectionner(100);
    const Declarations::Declarations avant = e.c.poi;
    e.Choisir(Nouveau);
    e.Saisir(QStringLiteral("1,1"), QStringLiteral("Un de trop"));
    e.Valider();
    QCOMPARE(e.services.messages,
             QStringList{QStringLiteral("Il y a déjà le nombre maximal 100 POI enregistrés dans "
                                        "ce fichier. Créez un nouveau fichier")});
    QVERIFY(Memes(e.c.poi, avant));
    QVERIFY(e.Aucune_Option());
    QCOMPARE(e.c.ui.ListePOI->ListIndex(), 99);
}

void TestEditionPOI::suppression_milieu_puis_fin() {
    Edition e;
    for (int i = 1; i <= 4; ++i) {
        e.Ajouter_POI(QStringLiteral("P%1").arg(i), QString::number(40 + i), QString::number(-i),
                      QStringLiteral("2020-01-0%1T00:00:00Z").arg(i));
        for (int k = 1; k <= i; ++k)
            e.Ajouter_Lien(i, QStringLiteral("L%1.%2").arg(i).arg(k),
                           QStringLiteral("http://%1.%2").arg(i).arg(k));
    }
    e.Selectionner(2);
    e.Choisir(Supprimer);
    e.Valider();
    QVERIFY(e.services.messages.isEmpty());
    QCOMPARE(e.c.poi.Nb_POI, 3);
    QCOMPARE(e.c.poi.POI_Courant, 2);
    QCOMPARE(e.Liste(), (QStringList{"P1", "P3", "P4"}));
    QCOMPARE(e.c.ui.ListePOI->ListIndex(), -1);
    // The boxes still show the deleted POI.
    QCOMPARE(e.c.ui.Nom_WP->text(), QStringLiteral("P2"));
    QVERIFY(e.Aucune_Option());
    for (const int former : {3, 4}) {
        const int p = former - 1;
        QCOMPARE(e.c.poi.Nom_POI[p], QStringLiteral("P%1").arg(former));
        QCOMPARE(e.c.poi.Lat_POI[p], QString::number(40 + former));
        QCOMPARE(e.c.poi.Long_POI[p], QString::number(-former));
        QCOMPARE(e.c.poi.Date_POI[p], QStringLiteral("2020-01-0%1T00:00:00Z").arg(former));
        QCOMPARE(e.c.poi.Nb_Liens[p], former);
        QCOMPARE(e.c.poi.Lien_Nom[p][former], QStringLiteral("L%1.%1").arg(former));
        QCOMPARE(e.c.poi.Lien_URL[p][1], QStringLiteral("http://%1.1").arg(former));
    }

    // The last one: only the count goes down, and the next delete needs a selection.
    e.Selectionner(3);
    e.Choisir(Supprimer);
    e.Valider();
    QCOMPARE(e.c.poi.Nb_POI, 2);
    QCOMPARE(e.c.poi.POI_Courant, 3);
    QCOMPARE(e.c.poi.Nom_POI[3], QStringLiteral("P4"));
    e.Choisir(Supprimer);
    e.Valider();
    QCOMPARE(e.services.messages, QStringList{Choisir_POI});
    QCOMPARE(e.c.poi.Nb_POI, 2);

    // A POI made where P4 stood gets neither its links nor its time.
    e.services.messages.clear();
    e.Choisir(Nouveau);
    e.Saisir(QStringLiteral("45,-5"), QStringLiteral("Neuf"));
    e.Valider();
    QVERIFY(e.services.messages.isEmpty());
    QCOMPARE(e.c.poi.Nb_POI, 3);
    QCOMPARE(e.c.poi.Nb_Liens[3], 0);
    QVERIFY(Horodatage_Recent(e.c.poi.Date_POI[3]));
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
    Edition e;
    for (int i = 1; i <= nombre; ++i)
        e.Ajouter_POI(QStringLiteral("P%1").arg(i), QStringLiteral("1"), QStringLiteral("1"),
                      Stamp);
    e.c.poi.POI_Courant = qint16(courant);
    const Declarations::Declarations avant = e.c.poi;
    e.Choisir(Action(action));
    e.Saisir(QStringLiteral("2,2"), QStringLiteral("Nom"));
    e.Valider();
    QCOMPARE(e.services.messages, QStringList{Choisir_POI});
    QVERIFY(Memes(e.c.poi, avant));
    QVERIFY(e.c.poi.Nb_POI >= 0);
}

void TestEditionPOI::sans_option() {
    Edition e;
    e.Ajouter_POI(QStringLiteral("Port"), QStringLiteral("47.1"), QStringLiteral("-2.1"), Stamp);
    e.Selectionner(1);
    const Declarations::Declarations avant = e.c.poi;
    e.Valider();
    QCOMPARE(e.services.messages,
             QStringList{
                 QStringLiteral("Indiquer ce qu'il faut faire : modifier, ajouter, supprimer ?")});
    QVERIFY(Memes(e.c.poi, avant));
}

QUILLVANE_TEST_MAIN(TestEditionPOI)
#include "test_edition_poi.moc"
