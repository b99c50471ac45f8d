// The program among the desktop's: a file given on the command line or dropped from the file
// manager opens as a choice of ">>>" does, the usual keys, the web map's lasting profile.

#include "gpx/Fichiers.h"
#include "gpx/Ouverture.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"
#include "ui/Creer_POI.h"

#include <QAction>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

enum Chemin { Ligne_De_Commande, Depot_Sur_La_Fenetre, Depot_Sur_La_Carte };

// Drags `adresses` over `cible` and drops them; true when the drag was accepted.
bool Deposer(QWidget* cible, const QList<QUrl>& adresses) {
    QMimeData donnees;
    donnees.setUrls(adresses);
    const QPoint point = cible->rect().center();
    QDragEnterEvent entree(point, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cible, &entree);
    QDropEvent depot(point, Qt::CopyAction, &donnees, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(cible, &depot);
    QCoreApplication::processEvents(); // the window opens the file once the drop is over
    return entree.isAccepted();
}

// The innermost widget at the centre of `w`, where the file manager's drop lands.
QWidget* Sous_Le_Pointeur(QWidget* w) {
    QWidget* enfant = w->childAt(w->rect().center());
    return enfant ? enfant : w;
}

// The open document, the file on disk and its backups, by names relative to its folder.
QString Etat(const Banc& b, const QString& dossier) {
    QStringList t{b.c.poi.Nom_Fichier,
                  b.c.poi.Dossier_Fichier,
                  b.c.poi.Nom_Court,
                  Pois(b.c.poi),
                  QString::fromLatin1(Lire(dossier + u"/ports.gpx"_qs)),
                  QDir(dossier + u"/tmp"_qs).entryList(QDir::Files).join(u','),
                  b.services.messages.join(u'|')};
    for (int i = 0; i < b.c.ui.ListePOI->count(); ++i)
        t << b.c.ui.ListePOI->item(i)->text();
    return t.join(u'\n').replace(dossier, u"<dossier>"_qs);
}

// The same file opened with ">>>" in another folder.
QString Etat_Par_Le_Bouton(const QString& dossier) {
    Banc b;
    b.Demarrer();
    QDir().mkpath(dossier);
    Ecrire(dossier + u"/ports.gpx"_qs, Reference(u"opencpn_linux.gpx"_qs));
    b.services.fichiers << dossier + u"/ports.gpx"_qs;
    QTest::mouseClick(b.c.ui.Charge_Fichier, Qt::LeftButton);
    return Etat(b, dossier);
}

} // namespace

class TestBureau : public QObject {
    Q_OBJECT
  private slots:
    void fichier_venu_du_bureau_data();
    void fichier_venu_du_bureau();
    void fichier_illisible_data();
    void fichier_illisible();
    void depot_refuse_data();
    void depot_refuse();
    void raccourcis();
    void curseur_d_attente();
    void profil_de_la_carte();
};

void TestBureau::fichier_venu_du_bureau_data() {
    QTest::addColumn<int>("chemin");
    QTest::addColumn<QString>("nom");
    QTest::newRow("ligne de commande") << int(Ligne_De_Commande) << u"ports.gpx"_qs;
    QTest::newRow("déposé sur la fenêtre") << int(Depot_Sur_La_Fenetre) << u"ports.gpx"_qs;
    QTest::newRow("déposé, nom en capitales") << int(Depot_Sur_La_Fenetre) << u"PORTS.GPX"_qs;
    QTest::newRow("déposé sur la carte") << int(Depot_Sur_La_Carte) << u"ports.gpx"_qs;
}

void TestBureau::fichier_venu_du_bureau() {
    QFETCH(int, chemin);
    QFETCH(QString, nom);
    QTemporaryDir racine;
    const QString dossier = racine.filePath(u"venu"_qs);
    const QString attendu = Etat_Par_Le_Bouton(racine.filePath(u"bouton"_qs));

    QVERIFY(QDir().mkpath(dossier));
    const QString fichier = dossier + u'/' + nom;
    Ecrire(fichier, Reference(u"opencpn_linux.gpx"_qs));
    Banc b;
    b.Demarrer();
    b.c.ui.Option1->Bouton(1)->setChecked(true);
    b.c.ui.POIS->hide(); // the links frame in its place
    b.c.ui.LIENS->show();
    if (chemin == Depot_Sur_La_Carte) { // a page shown, drawn by the web view's own widget
        auto* vue = qobject_cast<QWebEngineView*>(b.c.ui.WebBrowser1);
        QSignalSpy chargee(vue, &QWebEngineView::loadFinished);
        vue->setHtml(u"<p>Carte</p>"_qs);
        QVERIFY(chargee.wait(20000));
        QVERIFY(vue->childAt(vue->rect().center()));
    }
    if (chemin == Ligne_De_Commande)
        Fichiers::Ouvrir_Fichier_Nomme(b.c, fichier);
    else
        QVERIFY(Deposer(chemin == Depot_Sur_La_Carte ? Sous_Le_Pointeur(b.c.ui.WebBrowser1)
                                                     : b.c.fenetre.get(),
                        {QUrl::fromLocalFile(fichier)}));

    // This file's route and track: the same warning as through ">>>".
    QCOMPARE(b.services.messages.size(), 1);
    QVERIFY(b.services.dialogues.isEmpty());
    QCOMPARE(b.c.poi.Nom_Fichier, fichier);
    QCOMPARE(b.c.ui.LeNomFichier->text(), Fichiers::Nom_Affiche(fichier));
    if (nom == u"ports.gpx")
        QCOMPARE(Etat(b, dossier), attendu);
    QCOMPARE(b.c.ui.ListePOI->count(), 4);
    QVERIFY(!b.c.ui.Option1->Value(1));
    if (chemin != Ligne_De_Commande)
        QVERIFY(b.c.ui.POIS->isVisible() && !b.c.ui.LIENS->isVisible());
}

void TestBureau::fichier_illisible_data() {
    QTest::addColumn<QString>("nom");
    QTest::addColumn<bool>("dossier"); // a folder of that name stands there
    QTest::newRow("absent") << u"absent.gpx"_qs << false;
    QTest::newRow("un dossier") << u"dossier.gpx"_qs << true;
}

// Unlike a new name typed in the dialog, a name from outside that cannot be read is told and
// starts nothing: the document open stays as it was.
void TestBureau::fichier_illisible() {
    QFETCH(QString, nom);
    QFETCH(bool, dossier);
    QTemporaryDir racine;
    const QString fichier = racine.filePath(nom);
    if (dossier)
        QVERIFY(QDir().mkpath(fichier));
    Banc b;
    b.Demarrer();
    b.c.poi.Nom_Fichier = u"/ailleurs/avant.gpx"_qs;
    b.Ajouter_POI(u"Avant"_qs, u"47"_qs, u"-2"_qs);
    Fichiers::Ouvrir_Fichier_Nomme(b.c, fichier);
    QCOMPARE(b.services.messages,
             QStringList{u"Le fichier « "_qs + fichier + u" » n'a pas pu être lu."_qs});
    QCOMPARE(b.c.poi.Nom_Fichier, u"/ailleurs/avant.gpx");
    QCOMPARE(b.c.ui.ListePOI->count(), 1);
    QVERIFY(!QFileInfo::exists(racine.filePath(u"tmp"_qs)));
}

void TestBureau::depot_refuse_data() {
    QTest::addColumn<QList<QUrl>>("adresses");
    const QUrl gpx = QUrl::fromLocalFile(u"/tmp/ports.gpx"_qs);
    QTest::newRow("texte") << QList<QUrl>{QUrl::fromLocalFile(u"/tmp/ports.txt"_qs)};
    QTest::newRow("deux fichiers") << QList<QUrl>{gpx, QUrl::fromLocalFile(u"/tmp/iles.gpx"_qs)};
    QTest::newRow("adresse internet") << QList<QUrl>{QUrl(u"https://exemple.fr/ports.gpx"_qs)};
    QTest::newRow("gpx au milieu du nom")
        << QList<QUrl>{QUrl::fromLocalFile(u"/tmp/ports.gpx.bak"_qs)};
}

void TestBureau::depot_refuse() {
    QFETCH(QList<QUrl>, adresses);
    Banc b;
    b.Demarrer();
    QVERIFY(!Deposer(b.c.fenetre.get(), adresses));
    QVERIFY(b.services.messages.isEmpty());
    QVERIFY(b.c.poi.Nom_Fichier.isEmpty());
}

void TestBureau::raccourcis() {
    Banc b;
    b.Demarrer();
    QWidget* fenetre = b.c.fenetre.get();
    fenetre->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(fenetre));

    QTest::keyClick(fenetre, Qt::Key_S, Qt::ControlModifier); // "Sauver tout", no file open
    QCOMPARE(b.services.messages, QStringList{u"Il n'y a pas de nom de fichier"_qs});
    QTest::keyClick(fenetre, Qt::Key_F1); // "Aide"
    QCOMPARE(b.services.ouvertures.size(), 1);
    QVERIFY(b.services.ouvertures.first().endsWith(u"/aide.html"));
    QTest::keyClick(fenetre, Qt::Key_O, Qt::ControlModifier); // ">>>", the file dialog
    QTRY_COMPARE(b.services.dialogues.size(), 1);
    QCOMPARE(b.services.dialogues.first().filtre, u"*.gpx");

    // The captions stay as designed.
    QCOMPARE(b.c.ui.Charge_Fichier->text(), u">>>");
    QCOMPARE(b.c.ui.Sauve_Fichier->text(), u"Sauver tout");

    b.services.reponses = {false};
    QTest::keyClick(fenetre, Qt::Key_Q, Qt::ControlModifier); // "Quitter"
    QCOMPARE(b.services.questions, QStringList{u"Voulez-vous sauver le fichier ?"_qs});
    QVERIFY(!fenetre->isVisible());
}

// The wait cursor shows while the file's POIs are listed, and is gone once the opening or the
// save is over, whether it worked or failed.
void TestBureau::curseur_d_attente() {
    QTemporaryDir racine;
    const QString fichier = racine.filePath(u"ports.gpx"_qs);
    Ecrire(fichier, Reference(u"opencpn_linux.gpx"_qs));
    Banc b;
    b.Demarrer();
    QList<bool> attente; // at each POI listed
    connect(b.c.ui.ListePOI->model(), &QAbstractItemModel::rowsInserted, this, [&attente] {
        const QCursor* curseur = QGuiApplication::overrideCursor();
        attente << (curseur && curseur->shape() == Qt::WaitCursor);
    });
    Fichiers::Ouvrir_Fichier_Nomme(b.c, fichier);
    QCOMPARE(attente, QList<bool>(4, true));
    QVERIFY(!QGuiApplication::overrideCursor());

    Fichiers::Ouvrir_Fichier_Nomme(b.c, racine.path()); // a folder: cannot be read
    b.c.poi.Nom_Fichier = racine.path();                // nor written
    b.c.ui.Sauve_Fichier->trigger();
    QCOMPARE(b.services.messages.size(), 3); // the route and track, then the two failures
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestBureau::profil_de_la_carte() {
    QVERIFY(QStandardPaths::isTestModeEnabled()); // nothing lands in the user's own folders
    Banc b;
    b.Demarrer();
    const auto* vue = qobject_cast<QWebEngineView*>(b.c.ui.WebBrowser1);
    QVERIFY(vue);
    const QWebEngineProfile* profil = vue->page()->profile();
    QVERIFY(profil != QWebEngineProfile::defaultProfile());
    QVERIFY(!profil->isOffTheRecord());
    QCOMPARE(profil->storageName(), u"quillvane");
    const QString donnees = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY2(profil->persistentStoragePath().startsWith(donnees + u'/'),
             qPrintable(profil->persistentStoragePath()));
    QVERIFY2(profil->cachePath().startsWith(cache + u'/'), qPrintable(profil->cachePath()));
    QCOMPARE(profil->persistentCookiesPolicy(), QWebEngineProfile::ForcePersistentCookies);
    QCOMPARE(profil->httpCacheType(), QWebEngineProfile::DiskHttpCache);
    QCOMPARE(profil->httpAcceptLanguage(), u"fr-FR, fr");

    // One profile for the program: a second window's map shares its cookies.
    Banc autre;
    autre.Demarrer();
    QCOMPARE(qobject_cast<QWebEngineView*>(autre.c.ui.WebBrowser1)->page()->profile(), profil);
}

QUILLVANE_TEST_MAIN(TestBureau)
#include "test_bureau.moc"
