// Opening a GPX file through the real window: backups, re-pointed links, reading, new
// names, cancel, failures; saving.

#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/Ouverture.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

#include <QPushButton>
#include <QTemporaryDir>

namespace {

void Ouvrir(Banc& b, const QString& chemin) {
    b.services.fichiers << chemin;
    QTest::mouseClick(b.c.ui.Charge_Fichier, Qt::LeftButton);
}

// A document already open, so that a failing opening can be seen to change nothing.
void Document_Avant(Banc& b) {
    b.c.poi.Nom_Fichier = u"/ailleurs/avant.gpx"_qs;
    b.c.poi.Dossier_Fichier = u"/ailleurs/"_qs;
    b.c.poi.Nom_Court = u"avant.gpx"_qs;
    b.c.ui.LeNomFichier->setText(u"avant"_qs);
    b.Ajouter_POI(u"Avant"_qs, u"47"_qs, u"-2"_qs);
    b.Ajouter_Lien(1, u"lien"_qs, u"https://a.fr/"_qs);
}

// The open document: file, folder, short name, shown name, then the entries of the POI list.
QString Document(const Banc& b) {
    QStringList t{b.c.poi.Nom_Fichier, b.c.poi.Dossier_Fichier, b.c.poi.Nom_Court,
                  b.c.ui.LeNomFichier->text()};
    for (int i = 0; i < b.c.ui.ListePOI->count(); ++i)
        t << b.c.ui.ListePOI->item(i)->text();
    return t.join(u'|');
}

void Verifier_Avant(const Banc& b) {
    QCOMPARE(Document(b), u"/ailleurs/avant.gpx|/ailleurs/|avant.gpx|avant|Avant");
    QCOMPARE(Pois(b.c.poi), u"47|-2|2026-03-05T14:03:07Z|Avant|https://a.fr/|lien");
}

QByteArray Version(int k) {
    return "<gpx>\r\n<wpt lat=\"1\" lon=\"2\">\r\n<time>T</time>\r\n<name>V" +
           QByteArray::number(k) + "</name>\r\n</wpt>\r\n</gpx>\r\n";
}

} // namespace

class TestOuverture : public QObject {
    Q_OBJECT
  private slots:
    void ouverture_data();
    void ouverture();
    void serie_de_sauvegardes();
    void annule_puis_nom_nouveau();
    void nom_affiche_data();
    void nom_affiche();
    void echecs_data();
    void echecs();
    void sauver();
    void avertissement_avant_perte();
};

void TestOuverture::ouverture_data() {
    QTest::addColumn<QString>("sous_dossier");
    QTest::addColumn<QString>("nom");
    QTest::newRow("fichier") << QString() << u"Escales.gpx"_qs;
    QTest::newRow("copie de travail") << QString() << u"Temp.gpx"_qs;
    QTest::newRow("dossier avec accents") << u"Escales été & co/"_qs << u"Escales.gpx"_qs;
}

void TestOuverture::ouverture() {
    QFETCH(QString, sous_dossier);
    QFETCH(QString, nom);
    QTemporaryDir racine;
    const QString dossier = racine.path() + u'/' + sous_dossier;
    QVERIFY(QDir().mkpath(dossier));
    const QString chemin = dossier + nom;
    const QByteArray original = Reference(u"opencpn_linux.gpx"_qs);
    Ecrire(chemin, original);
    Banc b;
    b.Demarrer();
    b.c.ui.Option1->Bouton(2)->setChecked(true);
    b.c.ui.Text1->setText(u"gardé"_qs);

    Ouvrir(b, chemin);
    // The route and the track of this file would be lost by a save: the user is told.
    QCOMPARE(b.services.messages.size(), 1);
    QVERIFY(b.services.messages[0].startsWith(u"Le fichier « "_qs + nom +
                                              u" » contient 4 points de passage, 1 route et 1 "
                                              u"trace.\n\n4 Poi ont été listés"_qs));
    QCOMPARE(b.services.dialogues.size(), 1);
    QCOMPARE(b.services.dialogues[0].filtre, u"*.gpx");
    QCOMPARE(b.services.dialogues[0].nomInitial, QString());
    QCOMPARE(Document(b),
             chemin + u'|' + dossier + u'|' + nom + u'|' + Fichiers::Nom_Affiche(chemin) +
                 u"|Port-Haliguen & Quiberon|Pointe du Grouin|Mouillage du Grouin|Pré Roche"_qs);
    QVERIFY(!b.c.ui.Option1->Value(0) && !b.c.ui.Option1->Value(1) && !b.c.ui.Option1->Value(2));
    QCOMPARE(b.c.ui.Text1->text(), u"gardé");
    QCOMPARE(b.c.ui.ListePOI->ListIndex(), -1);

    // Backup of the file as it was; file links re-pointed in the file, its working copy and
    // the store, the same target for a real parser after a save.
    QCOMPARE(Lire(dossier + u"tmp/"_qs + nom + u".30"_qs), original);
    QCOMPARE(QDir(dossier + u"tmp"_qs).entryList(QDir::Files), QStringList{nom + u".30"_qs});
    const QByteArray corrige = Fichiers::Corriger_Liens_Fichier(original, dossier);
    QCOMPARE(Lire(chemin), corrige);
    QCOMPARE(Lire(dossier + u"Temp.gpx"_qs), corrige);
    QCOMPARE(Pois(b.c.poi), Pois(Lu(corrige)));
    QCOMPARE(b.c.poi.POI_Courant, 5);
    const QString cible = u"file://"_qs + dossier + u"Haliguen.txt"_qs;
    QCOMPARE(Points_XML(corrige).value(0).href.value(1), cible);
    b.c.ui.Sauve_Fichier->trigger();
    QCOMPARE(Points_XML(Lire(chemin)).value(0).href.value(1), cible);
}

void TestOuverture::serie_de_sauvegardes() {
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"Escales.gpx"_qs);
    Banc b;
    b.Demarrer();
    for (int k = 1; k <= 31; ++k) {
        Ecrire(chemin, Version(k));
        Ouvrir(b, chemin);
        QCOMPARE(b.c.poi.Nom_POI[1], u"V"_qs + QString::number(k));
    }
    QVERIFY(b.services.messages.isEmpty());

    // Backup n holds the file as it was before opening n + 1.
    for (int n = 1; n <= 30; ++n)
        QCOMPARE(Lire(dossier.filePath(u"tmp/Escales.gpx."_qs + QString::number(n))),
                 Version(n + 1));
    QCOMPARE(QDir(dossier.filePath(u"tmp"_qs)).entryList(QDir::Files).size(), 30);
}

void TestOuverture::annule_puis_nom_nouveau() {
    Banc b;
    b.Demarrer();
    Document_Avant(b);
    // Cancelled: the open document keeps its name, it can still be saved where it came from.
    b.c.ui.Option1->Bouton(1)->setChecked(true);
    QTest::mouseClick(b.c.ui.Charge_Fichier, Qt::LeftButton);
    QCOMPARE(b.services.dialogues.size(), 1);
    QVERIFY(!b.c.ui.Option1->Value(1));
    Verifier_Avant(b);

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"Nouveau.gpx"_qs);
    b.Selectionner(1);
    b.c.ui.Text1->setText(u"a"_qs);
    b.c.ui.Text4->setText(u"b"_qs);
    b.c.ui.Option1->Bouton(0)->setChecked(true);
    Ouvrir(b, chemin);
    QCOMPARE(Document(b),
             chemin + u'|' + dossier.path() + u"/|Nouveau.gpx|"_qs + Fichiers::Nom_Affiche(chemin));
    QCOMPARE(b.c.poi.Nb_POI, 0);
    QCOMPARE(b.c.poi.Nom_POI[1], QString());
    QCOMPARE(b.c.poi.Nb_Liens[1], 1); // the link tables are left as they were
    QCOMPARE(b.c.ui.ListeLiens->count(), 0);
    for (QLineEdit* zone :
         {static_cast<QLineEdit*>(b.c.ui.Lat_Long), static_cast<QLineEdit*>(b.c.ui.Nom_WP),
          b.c.ui.Text1, b.c.ui.Text2, b.c.ui.Text3, b.c.ui.Text4})
        QVERIFY(zone->text().isEmpty());
    QVERIFY(!b.c.ui.Option1->Value(0));
    QVERIFY(b.services.messages.isEmpty());
    // Nothing comes to disk before the first save.
    QVERIFY(QDir(dossier.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    b.c.ui.Sauve_Fichier->trigger();
    QCOMPARE(Lire(chemin), Reference(u"ecrit_vide.gpx"_qs));
}

void TestOuverture::nom_affiche_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("affiche");
    const QString trente = u"/home/anne/Bord/Escales-01.gpx"_qs;
    QTest::newRow("30") << trente << trente;
    QTest::newRow("31") << u"/"_qs + trente << u"...."_qs + u"/"_qs + trente;
    QTest::newRow("40") << u"/abcdefghi"_qs + trente << u"....i"_qs + trente;
}

void TestOuverture::nom_affiche() {
    QFETCH(QString, nom);
    QTEST(Fichiers::Nom_Affiche(nom), "affiche");
}

void TestOuverture::echecs_data() {
    QTest::addColumn<QString>("cas");
    QTest::addColumn<QString>("message");
    QTest::newRow("illisible") << u"illisible"_qs << u"n'a pas pu être lu"_qs;
    QTest::newRow("tmp est un fichier") << u"tmp"_qs << u"/tmp »"_qs;
    QTest::newRow("sauvegarde 30") << u"sauvegarde"_qs << u"tmp/Escales.gpx.30 »"_qs;
    QTest::newRow("Temp.gpx est un dossier") << u"Temp.gpx"_qs << u"/Temp.gpx »"_qs;
    QTest::newRow("disque plein pour Temp.gpx") << u"plein"_qs << u"/Temp.gpx »"_qs;
    QTest::newRow("Temp.gpx ouvert, disque plein")
        << u"Temp.gpx plein"_qs << u"n'a pas pu être réécrit"_qs;
}

void TestOuverture::echecs() {
    QFETCH(QString, cas);
    QFETCH(QString, message);
    QTemporaryDir dossier;
    QDir d(dossier.path());
    const QString chemin =
        dossier.filePath(cas == u"Temp.gpx plein" ? u"Temp.gpx"_qs : u"Escales.gpx"_qs);
    const QByteArray original = Reference(u"opencpn_linux.gpx"_qs);
    if (cas == u"illisible")
        QVERIFY(d.mkdir(u"Escales.gpx"_qs));
    else
        Ecrire(chemin, original);
    if (cas == u"tmp")
        Ecrire(dossier.filePath(u"tmp"_qs), "x");
    if (cas == u"Temp.gpx")
        QVERIFY(d.mkdir(u"Temp.gpx"_qs));
    // Every backup place taken by a folder that can be neither removed nor replaced.
    if (cas == u"sauvegarde")
        for (int n = 1; n <= 30; ++n)
            QVERIFY(d.mkpath(u"tmp/Escales.gpx."_qs + QString::number(n) + u"/plein"_qs));

    Banc b;
    b.Demarrer();
    Document_Avant(b);
    {
        // The file's size fits, the longer re-pointed text does not.
        const qsizetype corrige =
            Fichiers::Corriger_Liens_Fichier(original, dossier.path() + u'/').size();
        QVERIFY(corrige > original.size());
        Limite_Taille taille(cas.endsWith(u"plein")
                                 ? original.size() + (corrige - original.size()) / 2
                                 : RLIM_INFINITY);
        Ouvrir(b, chemin);
    }

    QCOMPARE(b.services.messages.size(), 1);
    QVERIFY2(b.services.messages[0].contains(message), qPrintable(b.services.messages[0]));
    QVERIFY(b.services.messages[0].contains(chemin));
    if (cas != u"illisible")
        QCOMPARE(Lire(chemin), original);
    if (cas.endsWith(u"plein")) {
        // The backup is a file of its own: changing the file in place leaves it whole.
        const QString sauvegarde =
            dossier.filePath(u"tmp/"_qs + QFileInfo(chemin).fileName() + u".30"_qs);
        Ecrire(chemin, "autre");
        QCOMPARE(Lire(sauvegarde), original);
    }
    Verifier_Avant(b);
}

void TestOuverture::sauver() {
    Banc b;
    b.Demarrer();
    b.Ajouter_POI(u"Sans fichier"_qs, u"1"_qs, u"2"_qs);
    b.c.ui.Sauve_Fichier->trigger();
    QCOMPARE(b.services.messages, QStringList{u"Il n'y a pas de nom de fichier"_qs});
    b.services.messages.clear();

    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"Escales.gpx"_qs);
    Ecrire(chemin, Reference(u"ecrit_complet.gpx"_qs));
    Ouvrir(b, chemin);
    b.c.poi.Nom_POI[1] = u"Écluse & pont"_qs;
    b.c.ui.Sauve_Fichier->trigger();
    QVERIFY(b.services.messages.isEmpty());
    const QByteArray ecrit = Lire(chemin);
    QCOMPARE(ecrit, Fichiers::Texte_GPX(b.c.poi));
    const QList<Point_XML> points = Points_XML(ecrit);
    QCOMPARE(points.size(), 4);
    QCOMPARE(points[0].name, u"Écluse & pont");
    QCOMPARE(points[1].text.value(4), u"Météo & marées");

    // A full disk, then a path through a regular file: a message naming the file, the
    // previous file whole, the store untouched.
    b.Ajouter_POI(u"Nouveau"_qs, u"1"_qs, u"2"_qs);
    {
        Limite_Taille taille(ecrit.size());
        b.c.ui.Sauve_Fichier->trigger();
    }
    QCOMPARE(b.services.messages.size(), 1);
    QVERIFY(b.services.messages[0].contains(chemin));
    QCOMPARE(Lire(chemin), ecrit);
    QCOMPARE(b.c.poi.Nb_POI, 5);
    b.c.poi.Nom_Fichier = chemin + u"/Escales.gpx"_qs;
    b.c.ui.Sauve_Fichier->trigger();
    QCOMPARE(b.services.messages.size(), 2);
    QVERIFY(b.services.messages[1].contains(b.c.poi.Nom_Fichier));
    QCOMPARE(Lire(chemin), ecrit);
}

// A plotter's export: more waypoints than the store takes, routes and tracks. The user is
// told once the list is filled; the backup named keeps the whole file.
void TestOuverture::avertissement_avant_perte() {
    QByteArray contenu = "<gpx>\n";
    for (int i = 1; i <= 260; ++i)
        contenu += "<wpt lat=\"47\" lon=\"-3\">\n<time>T</time>\n<name>P" + QByteArray::number(i) +
                   "</name>\n</wpt>\n";
    contenu +=
        QByteArray("<rte><rtept lat=\"1\" lon=\"2\"/></rte>\n").repeated(7) +
        QByteArray("<trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk>\n").repeated(2) +
        "</gpx>\n";
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(u"Traceur.gpx"_qs);
    Ecrire(chemin, contenu);
    Banc b;
    b.Demarrer();
    int listes_au_message = -1;
    b.services.au_message = [&] { listes_au_message = b.c.ui.ListePOI->count(); };
    Ouvrir(b, chemin);
    QCOMPARE(listes_au_message, 100);
    QCOMPARE(b.services.messages.size(), 1);
    const QString sauvegarde = dossier.filePath(u"tmp/Traceur.gpx.30"_qs);
    for (const QString& dit :
         {u"« Traceur.gpx » contient 260 points de passage, 7 routes et 2 traces."_qs,
          u"100 Poi ont été listés"_qs, u"« Sauver tout »"_qs, u"« "_qs + sauvegarde + u" »"_qs})
        QVERIFY2(b.services.messages[0].contains(dit), qPrintable(dit));
    QCOMPARE(Lire(sauvegarde), contenu);
    b.c.ui.Sauve_Fichier->trigger();
    QCOMPARE(Points_XML(Lire(chemin)).size(), 100);
}

QUILLVANE_TEST_MAIN(TestOuverture)
#include "test_gpx_ouverture.moc"
