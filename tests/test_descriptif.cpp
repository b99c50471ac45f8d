// The description window: the text file beside the GPX file and its "Description" link.

#include "support/Banc.h"
#include "links/TexteLien1.h"

#include <QDirIterator>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

const QString Nom_Refuse = QStringLiteral("Ce nom de POI ne peut pas servir de nom de fichier");

QByteArray Contenu(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray("<absent>");
}

void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly));
    fichier.write(octets);
}

// Everything below the folder, to see that nothing was written anywhere.
QStringList Arborescence(const QString& racine) {
    QStringList chemins;
    QDirIterator it(racine, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        chemins << it.next();
    chemins.sort();
    return chemins;
}

// A GPX file open in <temporary>/escales/, one POI selected, the link frame shown.
struct Descriptif : Banc {
    QTemporaryDir racine;
    QString dossier;

    QString nom;

    explicit Descriptif(const QString& nom_POI = QStringLiteral("Île d'Yeu")) : nom(nom_POI) {
        Demarrer();
        dossier = racine.path() + QStringLiteral("/escales/");
        QDir().mkpath(dossier);
        c.poi.Nom_Fichier = dossier + QStringLiteral("escales.gpx");
        c.poi.Dossier_Fichier = dossier;
        Ajouter_POI(nom, QStringLiteral("47.1"), QStringLiteral("-2.1"));
        Selectionner(1);
        c.ui.Gestion_Liens->trigger();
    }
    QString Chemin() const { return dossier + nom + QStringLiteral(".txt"); }
    void Ouvrir() { QTest::mouseClick(c.ui.Descriptif, Qt::LeftButton); }
    void Enregistrer() { QTest::mouseClick(c.texteLien1->Enregistrer, Qt::LeftButton); }
    void Taper(const QString& texte) { c.texteLien1->Text1->setPlainText(texte); }
};

} // namespace

class TestDescriptif : public QObject {
    Q_OBJECT
  private slots:
    void aller_retour();
    void insertion_avec_cinq_liens();
    void lecture_des_encodages_data();
    void lecture_des_encodages();
    void fenetre_fermee_par_Fermer_seulement();
    void ecriture_refusee_data();
    void ecriture_refusee();
    void sans_POI();
};

void TestDescriptif::aller_retour() {
    Descriptif d;
    d.Ouvrir();
    QVERIFY(d.c.texteLien1->isVisible());
    QCOMPARE(d.c.texteLien1->Texte(), QString());

    d.Taper(QStringLiteral("abc"));
    d.Enregistrer();
    QCOMPARE(Contenu(d.Chemin()), QByteArray("abc\r\n"));
    QCOMPARE(d.c.poi.Nb_Liens[1], 1);
    QCOMPARE(d.c.poi.Lien_Nom[1][1], QStringLiteral("Description"));
    QCOMPARE(d.c.poi.Lien_URL[1][1], QStringLiteral("file://") + d.Chemin());
    QCOMPARE(d.c.ui.ListeLiens->item(0)->text(),
             QStringLiteral("1  Description = file://") + d.Chemin());

    d.Ouvrir();
    QCOMPARE(d.c.texteLien1->Texte(), QStringLiteral("abc\r\n"));
    d.Enregistrer();
    QCOMPARE(Contenu(d.Chemin()), QByteArray("abc\r\n\r\n"));
    QCOMPARE(d.c.poi.Nb_Liens[1], 1);
    d.Ouvrir();
    QCOMPARE(d.c.texteLien1->Texte(), QStringLiteral("abc\r\n\r\n"));

    // Written in UTF-8, lines ended by CR LF.
    d.Taper(QStringLiteral("Été\n€"));
    d.Enregistrer();
    QCOMPARE(Contenu(d.Chemin()), QByteArray("\xc3\x89t\xc3\xa9\r\n\xe2\x82\xac\r\n"));
    QVERIFY(d.services.messages.isEmpty());
}

void TestDescriptif::insertion_avec_cinq_liens() {
    Descriptif d;
    for (int k = 1; k <= 5; ++k)
        d.Ajouter_Lien(1, QStringLiteral("L%1").arg(k), QStringLiteral("http://%1").arg(k));
    d.Selectionner(1);
    d.Ouvrir();
    d.Taper(QStringLiteral("Mouillage abrité par vent d'ouest"));
    d.Enregistrer();
    d.Enregistrer();
    QCOMPARE(d.c.poi.Nb_Liens[1], 5);
    QCOMPARE(d.c.poi.Lien_Nom[1][1], QStringLiteral("Description"));
    for (int k = 2; k <= 5; ++k) {
        QCOMPARE(d.c.poi.Lien_Nom[1][k], QStringLiteral("L%1").arg(k - 1));
        QCOMPARE(d.c.poi.Lien_URL[1][k], QStringLiteral("http://%1").arg(k - 1));
    }
    QCOMPARE(d.c.ui.ListeLiens->count(), 5);
}

void TestDescriptif::lecture_des_encodages_data() {
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<QString>("texte");
    QTest::newRow("vide") << QByteArray() << QString();
    QTest::newRow("UTF-8") << QByteArray("Pr\xc3\xa9 \xe2\x9a\x93\r\n") << "Pré ⚓\r\n";
    QTest::newRow("Windows-1252") << QByteArray("Caf\xe9 \x80\r\n") << "Café €\r\n";
    QTest::newRow("lignes melangees")
        << QByteArray("\xe0 quai\r\n\xc3\xa0 quai\r\n") << "à quai\r\nà quai\r\n";
    QTest::newRow("fins LF et sans fin") << QByteArray("a\nb\r\n\r\nc") << "a\r\nb\r\n\r\nc\r\n";
}

void TestDescriptif::lecture_des_encodages() {
    QFETCH(QByteArray, octets);
    QFETCH(QString, texte);
    Descriptif d;
    Ecrire(d.Chemin(), octets);
    d.Ouvrir();
    QCOMPARE(d.c.texteLien1->Texte(), texte);
}

void TestDescriptif::fenetre_fermee_par_Fermer_seulement() {
    Descriptif d;
    Ecrire(d.Chemin(), "sur disque\r\n");
    d.Ouvrir();
    QPointer<TexteLien1> fenetre = d.c.texteLien1.get();
    QVERIFY(!fenetre->isModal() && !fenetre->parentWidget());

    QVERIFY(!fenetre->close());
    QVERIFY(fenetre->isVisible());

    fenetre->move(300, 210);
    d.Taper(QStringLiteral("non enregistré"));
    QTest::mouseClick(fenetre->Fermer, Qt::LeftButton);
    QVERIFY(!d.c.texteLien1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(fenetre.isNull());
    QCOMPARE(d.services.reglages.value("Startup/TexteLien1_MargeG"), QStringLiteral("4500"));
    QCOMPARE(d.services.reglages.value("Startup/TexteLien1_Haut"), QStringLiteral("3150"));

    d.Ouvrir();
    QVERIFY(d.c.texteLien1 && d.c.texteLien1->isVisible());
    QCOMPARE(d.c.texteLien1->pos(), QPoint(300, 210));
    QCOMPARE(d.c.texteLien1->Texte(), QStringLiteral("sur disque\r\n"));
    QVERIFY(d.services.messages.isEmpty());
}

void TestDescriptif::ecriture_refusee_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("obstacle"); // 0: the name; 1: a folder has the file's name; 2: the
                                       // GPX file's folder is a file
    const QStringList noms = {
        "",     ".",    "..",   "../evasion", "sous/dossier",    "/tmp/evasion",
        "a\\b", "a\tb", "a\nb", "a\x7f",      QString(300, u'x')};
    for (int i = 0; i < noms.size(); ++i)
        QTest::addRow("nom dangereux %d", i) << noms[i] << 0;
    QTest::newRow("dossier au nom du fichier") << "Île d'Yeu" << 1;
    QTest::newRow("chemin a travers un fichier") << "Île d'Yeu" << 2;
}

// Nothing is written anywhere, nothing outside the folder is shown, the text stays to retry.
void TestDescriptif::ecriture_refusee() {
    QFETCH(QString, nom);
    QFETCH(int, obstacle);
    Descriptif d(nom);
    const QString evasion = d.racine.path() + QStringLiteral("/evasion.txt");
    Ecrire(evasion, "secret\r\n");
    if (obstacle == 1)
        QVERIFY(QDir().mkpath(d.Chemin()));
    if (obstacle == 2) {
        Ecrire(d.racine.path() + QStringLiteral("/fichier"), "x");
        d.dossier = d.racine.path() + QStringLiteral("/fichier/");
        d.c.poi.Dossier_Fichier = d.dossier;
    }
    const QStringList avant = Arborescence(d.racine.path());
    d.c.ui.Nom_WP->setText(QStringLiteral("Nom affiché"));
    d.Ouvrir();
    if (obstacle == 0)
        QCOMPARE(d.c.texteLien1->Texte(), QString());
    d.Taper(QStringLiteral("texte"));
    d.Enregistrer();
    QCOMPARE(d.services.messages,
             QStringList{obstacle == 0 ? Nom_Refuse
                                       : QStringLiteral("Impossible d'enregistrer le fichier ") +
                                             d.Chemin()});
    QCOMPARE(Arborescence(d.racine.path()), avant);
    QCOMPARE(Contenu(evasion), QByteArray("secret\r\n"));
    QCOMPARE(d.c.poi.Nb_Liens[1], 0);
    QVERIFY(d.c.texteLien1->isVisible());
    QCOMPARE(d.c.texteLien1->Texte(), QStringLiteral("texte"));
}

void TestDescriptif::sans_POI() {
    Descriptif d;
    d.c.ui.ListePOI->SetListIndex(-1);
    d.Ouvrir();
    QCOMPARE(d.services.messages, QStringList{QStringLiteral("Choisisser d'abord un POI")});
    QVERIFY(!d.c.texteLien1->isVisible());

    // An empty name box: the file is written, without a link.
    d.services.messages.clear();
    d.Selectionner(1);
    d.Ouvrir();
    d.c.ui.Nom_WP->clear();
    d.Taper(QStringLiteral("abc"));
    d.Enregistrer();
    QCOMPARE(d.services.messages,
             QStringList{QStringLiteral("Pas de POI défini pour le descriptif")});
    QCOMPARE(Contenu(d.Chemin()), QByteArray("abc\r\n"));
    QCOMPARE(d.c.poi.Nb_Liens[1], 0);

    // No folder known: nothing written beside the program.
    d.services.messages.clear();
    d.c.poi.Dossier_Fichier.clear();
    d.Enregistrer();
    QCOMPARE(d.services.messages, QStringList{QStringLiteral("Définissez un nom de fichier")});
    QVERIFY(!QFileInfo::exists(d.nom + QStringLiteral(".txt")));
    d.c.poi.Dossier_Fichier = d.dossier;

    // The POI deleted while the window is open: saving does nothing.
    d.services.messages.clear();
    QFile::remove(d.Chemin());
    QTest::mouseClick(d.c.ui.Option1->Bouton(2), Qt::LeftButton);
    QTest::mouseClick(d.c.ui.Validation, Qt::LeftButton);
    QCOMPARE(d.c.poi.Nb_POI, 0);
    d.Enregistrer();
    QVERIFY(d.services.messages.isEmpty());
    QVERIFY(!QFileInfo::exists(d.Chemin()));
}

QUILLVANE_TEST_MAIN(TestDescriptif)
#include "test_descriptif.moc"
