// Opening the GPX file through the window: ">>>", the command line and a drop from the file
// manager, with the warning of what is not listed; a cancelled or failed opening, a new name,
// a document in any layout.

#include "gpx/Fichiers.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"
#include "ui/Creer_POI.h"

#include <QMimeData>
#include <QTemporaryDir>
#include <QWebEngineView>

namespace {

enum Chemin { Bouton, Ligne_De_Commande, Depot_Fenetre, Depot_Carte };

// Drags `adresses` over the innermost widget under the centre of `cible`, where the file
// manager's drop lands, and drops them there; true when the drag was accepted.
bool Deposer(QWidget* cible, const QList<QUrl>& adresses) {
    if (QWidget* enfant = cible->childAt(cible->rect().center()))
        cible = enfant;
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

void Ouvrir(Banc& b, const QString& chemin, Chemin par = Bouton) {
    if (par == Ligne_De_Commande)
        return Fichiers::Ouvrir_Fichier_Nomme(b.c, chemin);
    if (par == Bouton) {
        b.services.fichiers << chemin;
        return Banc::Cliquer(b.c.ui.Charge_Fichier);
    }
    QVERIFY(Deposer(par == Depot_Carte ? b.c.ui.WebBrowser1 : b.c.fenetre.get(),
                    {QUrl::fromLocalFile(chemin)}));
}

// The open document: file, folder, short name, shown name, the POI list, then the messages.
QString Document(const Banc& b) {
    return (QStringList{b.c.poi.Nom_Fichier, b.c.poi.Dossier_Fichier, b.c.poi.Nom_Court,
                        b.c.ui.LeNomFichier->text()} +
            Banc::Entrees(b.c.ui.ListePOI) + b.services.messages)
        .join(u'|');
}

} // namespace

class TestFichiers : public QObject {
    Q_OBJECT
  private slots:
    void ouverture_data() {
        QTest::addColumn<int>("par");
        QTest::addColumn<QString>("nom");
        QTest::newRow(">>>") << int(Bouton) << u"Escales.gpx"_qs;
        QTest::newRow("copie de travail") << int(Bouton) << u"Temp.gpx"_qs;
        QTest::newRow("ligne de commande") << int(Ligne_De_Commande) << u"Escales.gpx"_qs;
        QTest::newRow("déposé sur la fenêtre") << int(Depot_Fenetre) << u"ESCALES.GPX"_qs;
        QTest::newRow("déposé sur la carte") << int(Depot_Carte) << u"Escales.gpx"_qs;
    }

    // Whichever way it comes, the file is kept as backup 30, its file links are re-pointed into
    // its folder (in the file, its working copy and the store), and its POIs are listed.
    void ouverture() {
        QFETCH(int, par);
        QFETCH(QString, nom);
        QTemporaryDir racine;
        const QString dossier = racine.path() + u"/Escales été & co/"_qs;
        const QString chemin = dossier + nom;
        QVERIFY(QDir().mkpath(dossier));
        const QByteArray original = Reference(u"opencpn_linux.gpx"_qs);
        Ecrire(chemin, original);
        Banc b(par == Depot_Carte);
        b.Demarrer();
        if (par == Depot_Carte) { // a page shown, drawn by the web view's own widget
            auto* vue = qobject_cast<QWebEngineView*>(b.c.ui.WebBrowser1);
            QSignalSpy chargee(vue, &QWebEngineView::loadFinished);
            vue->setHtml(u"<p>Carte</p>"_qs);
            QVERIFY(chargee.wait(20000));
        }
        b.c.ui.Option1->Bouton(1)->setChecked(true);
        b.c.ui.Text1->setText(u"gardé"_qs);
        b.c.ui.POIS->hide(); // the link frame in its place
        b.c.ui.LIENS->show();

        int listes_au_message = -1;
        b.services.au_message = [&] { listes_au_message = b.c.ui.ListePOI->count(); };
        Ouvrir(b, chemin, Chemin(par));
        // This file's route and track are not listed: the user is told, once the list is
        // filled, where the file as opened is kept.
        QCOMPARE(listes_au_message, 4);
        QCOMPARE(b.services.messages.size(), 1);
        QVERIFY(b.services.messages.takeFirst().contains(u"« "_qs + dossier + u"tmp/"_qs + nom +
                                                         u".30 »"_qs));
        QCOMPARE(Document(b), QStringList({chemin, dossier, nom, u"...."_qs + chemin.right(31),
                                           u"Port-Haliguen & Quiberon|Pointe du Grouin|Mouillage "
                                           u"du Grouin|Pré Roche"_qs})
                                  .join(u'|'));
        QCOMPARE(b.services.dialogues.size(), int(par == Bouton));
        QVERIFY(!b.c.ui.Option1->Value(1));
        QVERIFY(b.c.ui.Text1->text() == u"gardé" && b.c.ui.ListePOI->ListIndex() == -1);
        QCOMPARE(b.c.poi.POI_Courant, 5);
        QCOMPARE(b.c.ui.POIS->isVisible(), par == Depot_Fenetre || par == Depot_Carte);

        QCOMPARE(Lire(dossier + u"tmp/"_qs + nom + u".30"_qs), original);
        QCOMPARE(QDir(dossier + u"tmp"_qs).entryList(QDir::Files).size(), 1);
        const QString cible = u"file://"_qs + dossier + u"Haliguen.txt"_qs;
        QCOMPARE(b.c.poi.Lien_URL[1][2], QString(cible).replace(u"&"_qs, u"&amp;"_qs));
        QCOMPARE(Lire(dossier + u"Temp.gpx"_qs), Lire(chemin));
        QCOMPARE(Points_XML(Lire(chemin)).value(0).href.value(1), cible);
        b.c.ui.Sauve_Fichier->trigger();
        QCOMPARE(Points_XML(Lire(chemin)).value(0).href.value(1), cible);
    }

    // Cancelled, unreadable, or named on the command line but absent: one message naming the
    // file at most, the open document untouched. A name not on disk given in the dialog starts
    // an empty document there; nothing comes to disk before the first save.
    void annuler_echouer_puis_nouveau_nom() {
        Banc b;
        b.Demarrer();
        b.Ajouter_POI(u"Avant"_qs); // a document open, which a failed opening leaves alone
        b.c.poi.Nom_Fichier = u"/ailleurs/avant.gpx"_qs;
        b.c.poi.Dossier_Fichier = u"/ailleurs/"_qs;
        b.c.poi.Nom_Court = u"avant.gpx"_qs;
        b.c.ui.LeNomFichier->setText(u"avant"_qs);
        b.c.ui.Option1->Bouton(1)->setChecked(true);
        Banc::Cliquer(b.c.ui.Charge_Fichier);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"Nouveau.gpx"_qs);
        Ouvrir(b, chemin, Ligne_De_Commande);
        Ouvrir(b, dossier.path()); // a folder
        QCOMPARE(Document(b), u"/ailleurs/avant.gpx|/ailleurs/|avant.gpx|avant|Avant|Le fichier « "
                              u"%1 » n'a pas pu être lu.|Le fichier « %2 » n'a "
                              u"pas pu être lu. Cause : ce n'est pas un fichier ordinaire."_qs.arg(
                                  chemin, dossier.path()));
        QVERIFY(!b.c.ui.Option1->Value(1));
        b.services.messages.clear();

        b.Selectionner(1);
        b.Remplir({"a", "b", "c", "d"});
        b.c.ui.Option1->Bouton(0)->setChecked(true);
        Ouvrir(b, chemin);
        QCOMPARE(Document(b), QStringList({chemin, dossier.path() + u'/', u"Nouveau.gpx"_qs,
                                           u"...."_qs + chemin.right(31)})
                                  .join(u'|'));
        QCOMPARE(b.c.poi.Nom_POI[1], QString());
        QCOMPARE(b.Zones() << b.c.ui.Lat_Long->text() << b.c.ui.Nom_WP->text(), QStringList(6));
        QVERIFY(!b.c.ui.Option1->Value(0));
        QVERIFY(QDir(dossier.path()).isEmpty());
        b.c.ui.Sauve_Fichier->trigger();
        QCOMPARE(Lire(chemin), Reference(u"ecrit_vide.gpx"_qs));
    }

    // The same document in any layout lists the same names and is saved at the same places.
    void dispositions_data() {
        QTest::addColumn<QString>("cas");
        const QStringList cas =
            QDir(QStringLiteral(QUILLVANE_REFERENCES)).entryList({u"disposition_*.gpx"_qs});
        QVERIFY(cas.size() >= 6);
        for (const QString& f : cas)
            QTest::newRow(qPrintable(f)) << f;
    }

    void dispositions() {
        QFETCH(QString, cas);
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"Escales.gpx"_qs);
        Ecrire(chemin, Reference(cas));
        Banc b;
        b.Demarrer();
        Ouvrir(b, chemin);
        b.c.ui.Sauve_Fichier->trigger();
        const QStringList points =
            Elements_XML(Lire(chemin)).filter(QRegularExpression(u"^gpx#1/wpt#[0-9]+:"_qs));
        QCOMPARE(Banc::Entrees(b.c.ui.ListePOI) + b.services.messages + points,
                 QStringList({u"Port-Louis & Citadelle"_qs, u"Île de Groix"_qs,
                              u"gpx#1/wpt#1: lat=47.711833 lon=-3.359667 = "_qs,
                              u"gpx#1/wpt#2: lat=47.641 lon=-3.4565 = "_qs}));
    }

    // Anything but one local GPX file is refused, without a word.
    void depot_refuse() {
        Banc b;
        b.Demarrer();
        const QUrl gpx = QUrl::fromLocalFile(u"/tmp/ports.gpx"_qs);
        for (const QList<QUrl>& adresses :
             {QList<QUrl>{QUrl::fromLocalFile(u"/tmp/ports.txt"_qs)}, QList<QUrl>{gpx, gpx},
              QList<QUrl>{QUrl(u"https://exemple.fr/ports.gpx"_qs)},
              QList<QUrl>{QUrl::fromLocalFile(u"/tmp/ports.gpx.bak"_qs)}})
            QVERIFY(!Deposer(b.c.fenetre.get(), adresses));
        QVERIFY(b.services.messages.isEmpty() && b.c.poi.Nom_Fichier.isEmpty());
    }
};

QUILLVANE_TEST_MAIN(TestFichiers)
#include "test_fichiers.moc"
