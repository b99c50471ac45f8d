// The POI list and its selection, and the POI frame's "Valider": modify, create and delete.

#include "gpx/Ecriture_GPX.h"
#include "gpx/Fichiers.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"
#include "ui/Creer_POI.h"
#include "viewers/Carte.h"

#include <QTemporaryDir>

namespace {

enum Action { Aucune = -1, Modifier = 0, Nouveau = 1, Supprimer = 2 };

// Every POI as "name lat lon time links"; a time stamped within the last minute shows as "neuf".
QString Etat(const Declarations::Declarations& d) {
    QStringList t;
    for (int i = 1; i <= d.Nb_POI; ++i) {
        const qint64 age = QDateTime::fromString(d.Date_POI[i], Qt::ISODate)
                               .secsTo(QDateTime::currentDateTimeUtc());
        const bool neuf = d.Date_POI[i].endsWith(u'Z') && age >= 0 && age < 60;
        t << u"%1 %2 %3 %4 %5"_qs
                 .arg(d.Nom_POI[i], d.Lat_POI[i], d.Long_POI[i], neuf ? u"neuf"_qs : d.Date_POI[i])
                 .arg(d.Nb_Liens[i]);
    }
    return t.join(u';');
}

} // namespace

class TestPOI : public QObject {
    Q_OBJECT
  private slots:
    // The boxes, the link list and the map follow the entry clicked, whatever the boxes held; a
    // place on the equator shows its position, a place that is no number the start place.
    void selection() {
        Banc b;
        b.Demarrer();
        Banc::Cliquer(b.c.ui.ListePOI->viewport()); // empty list: nothing happens
        b.Ajouter_POI(u"Groix"_qs, u"0.0"_qs, u"-3"_qs);
        b.Ajouter_POI(u"Groix"_qs, u"47.5"_qs, u" -2.5x"_qs);
        Declarations::Ajouter_Lien(b.c.poi, 2, u"https://x.org/?a=1&amp;b=2"_qs,
                                   u"Tom &amp; Jerry"_qs);
        b.Remplir({"a", "b", "c", "d"});
        Banc::Cliquer(b.c.ui.Option1->Bouton(Modifier));
        b.Selectionner(2);
        b.Selectionner(2); // a click on the entry already selected shows it again
        QCOMPARE(b.Vue(), u"Groix,Groix | 1  Tom & Jerry = https://x.org/?a=1&b=2 | 47.5, -2.5x | "
                          u"Groix | Groix | ,,, | 000 | "_qs);
        const QString carte = u"https://maps.google.com/maps?q=47.5%2C -2.5x&hl=fr&t=h"_qs;
        QCOMPARE(b.services.navigations.mid(1), (QStringList{carte, carte}));
        b.c.ui.ListePOI->SetListIndex(0);  // a selection from code runs the handler at once
        b.c.ui.ListePOI->SetListIndex(-1); // none: nothing changes
        QCOMPARE(b.Vue(), u"Groix,Groix |  | 0.0,-3 | Groix | Groix | ,,, | 000 | "_qs);
        QCOMPARE(b.c.poi.POI_Courant, 1);
        b.c.ui.Lat_Long->clear();
        Carte::Afficher_Carte(b.c);
        b.c.poi.POI_Courant = 3; // past the document (a full store just read): no coordinates
        b.c.ui.Lat_Long->setText(u"1,2"_qs);
        Carte::Afficher_Carte(b.c);
        QCOMPARE(b.services.navigations.mid(3),
                 (QStringList{"https://maps.google.com/maps?q=0.0%2C-3&hl=fr&t=h",
                              "https://maps.google.com/maps?q=%2C&hl=fr&t=h"}));
        QCOMPARE(b.services.messages, QStringList{"Il faut une latitude et longitude"});

        // "Nouveau Poi" writes prompts; a click into a box then empties it, that box only.
        Banc::Cliquer(b.c.ui.Option1->Bouton(Supprimer));
        Banc::Cliquer(b.c.ui.Lat_Long);
        QCOMPARE(b.c.ui.Lat_Long->text(), u"1,2");
        Banc::Cliquer(b.c.ui.Option1->Bouton(Nouveau));
        QCOMPARE(b.c.ui.Lat_Long->text() + b.c.ui.Nom_WP->text(),
                 u"Entrez ici les latitude et longitudeEntrez ici le nom");
        Banc::Cliquer(b.c.ui.Lat_Long);
        QCOMPARE(b.c.ui.Lat_Long->text() + b.c.ui.Nom_WP->text(), u"Entrez ici le nom");

        b.c.poi.Long_POI[1] = u"Ouest"_qs;
        b.Selectionner(1);
        QCOMPARE(b.c.ui.Lat_Long->text(), u"France");
    }

    void valider_data() {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("courant");        // the POI selected, 0 for none
        QTest::addColumn<QStringList>("saisie"); // Lat_Long, Nom_WP
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("etat");
        QTest::addColumn<int>("liste"); // the entry selected afterwards
        // "Valider" clicked, or Enter in Lat_Long or in Nom_WP, by turns.
        QTest::addColumn<int>("par");
        const QString avant = u"P1 41 -1 T 1;P2 42 -2  2;P3 43 -3 T 3"_qs;
        int rangs = 0;
        const auto rang = [&](const char* nom, Action a, int courant, const QStringList& saisie,
                              const QString& message, const QString& etat, int liste) {
            QTest::newRow(nom) << int(a) << courant << saisie << message << etat << liste
                               << rangs++ % 3;
        };
        rang("modifier", Modifier, 1, {" 47 , -2 ", "Houat"}, {},
             u"Houat 47 -2 T 1;P2 42 -2  2;P3 43 -3 T 3"_qs, 0);
        rang("modifier, heure ajoutée", Modifier, 2, {"-90,180", "P2"}, {},
             u"P1 41 -1 T 1;P2 -90 180 neuf 2;P3 43 -3 T 3"_qs, 1);
        rang("modifier, nom vide", Modifier, 2, {"1,2", ""}, "Le nom du POI n'est pas défini",
             u"P1 41 -1 T 1;P2 1 2  2;P3 43 -3 T 3"_qs, 1);
        rang("modifier, saisie vide", Modifier, 1, {"", "x"},
             "Entrez une valeur valide latitude-longitude", avant, 0);
        rang("modifier sans POI", Modifier, 0, {"1,1", "x"}, "Sélectionnez d'abord un POI", avant,
             -1);
        rang("créer", Nouveau, 2, {"+0.5,.5", "Roche"}, {}, avant + u";Roche +0.5 .5 neuf 0"_qs,
             -1);
        rang("créer, incorrect", Nouveau, 2, {"91,0", "Roche"}, "Latidute-Longitude incorrect",
             avant, 1);
        rang("créer sans nom", Nouveau, 0, {"1,1", ""}, "Le nom du POI n'est pas défini", avant,
             -1);
        rang("créer, 101e POI", Nouveau, 3, {"1,1", "x"},
             "Il y a déjà le nombre maximal 100 POI enregistrés dans ce fichier. Créez un nouveau "
             "fichier",
             {}, 2);
        rang("supprimer", Supprimer, 2, {}, {}, u"P1 41 -1 T 1;P3 43 -3 T 3"_qs, -1);
        rang("supprimer le dernier", Supprimer, 3, {}, {}, u"P1 41 -1 T 1;P2 42 -2  2"_qs, -1);
        rang("supprimer sans POI", Supprimer, 0, {}, "Sélectionnez d'abord un POI", avant, -1);
        rang("sans option", Aucune, 1, {"1,1", "x"},
             "Indiquer ce qu'il faut faire : modifier, ajouter, supprimer ?", avant, 0);
    }

    // A refused entry stores nothing and a refused create is withdrawn, keeping what was typed.
    void valider() {
        QFETCH(int, action);
        QFETCH(int, courant);
        QFETCH(QStringList, saisie);
        QFETCH(QString, message);
        QFETCH(QString, etat);
        Banc b;
        b.Demarrer();
        b.c.poi.Nom_Fichier = u"/tmp/escales.gpx"_qs;
        for (int i = 1; i <= (etat.isEmpty() ? 100 : 3); ++i) {
            b.Ajouter_POI(u"P%1"_qs.arg(i), QString::number(40 + i), QString::number(-i),
                          i == 2 ? QString() : u"T"_qs);
            for (int k = 1; k <= i && k <= 5; ++k)
                Declarations::Ajouter_Lien(b.c.poi, i, u"u%1"_qs.arg(k), u"L%1"_qs.arg(k));
        }
        if (!etat.isEmpty())
            b.c.poi.Nom_POI[4] = u"laissé par une suppression"_qs;
        if (courant > 0)
            b.Selectionner(courant);
        if (action != Aucune)
            Banc::Cliquer(b.c.ui.Option1->Bouton(action));
        if (!saisie.isEmpty()) {
            b.c.ui.Lat_Long->setText(saisie[0]);
            b.c.ui.Nom_WP->setText(saisie[1]);
        }
        QFETCH(int, par);
        if (par == 0)
            Banc::Cliquer(b.c.ui.Validation);
        else
            QTest::keyClick(par == 1 ? b.c.ui.Lat_Long : b.c.ui.Nom_WP, Qt::Key_Return);

        QCOMPARE(b.services.messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (!etat.isEmpty())
            QCOMPARE(Etat(b.c.poi), etat);
        QTEST(b.c.ui.ListePOI->ListIndex(), "liste");
        QCOMPARE(b.c.ui.ListePOI->count(), b.c.poi.Nb_POI);
        QCOMPARE(b.c.ui.ListePOI->item(b.c.poi.Nb_POI - 1)->text(),
                 b.c.poi.Nom_POI[b.c.poi.Nb_POI]);
        // The option stays on when the command stopped before its end: a guard, a refused create
        // that keeps what was typed; a create refused for a full store switches it off.
        const bool reste = action == Nouveau ? !message.isEmpty() && !message.startsWith(u"Il y a")
                                             : message.startsWith(u"Sé");
        for (int i = 0; i < 3; ++i)
            QCOMPARE(b.c.ui.Option1->Value(i), reste && i == action);
        if (action == Nouveau && !message.isEmpty())
            QCOMPARE((QStringList{b.c.ui.Lat_Long->text(), b.c.ui.Nom_WP->text()}), saisie);
        if (!etat.isEmpty()) // what a deleted POI left above the count goes only with a create
            QCOMPARE(b.c.poi.Nom_POI[4].startsWith(u"laissé"),
                     action != Nouveau || !message.isEmpty());
    }

    // Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, or the POI list's menu naming the action, undo and redo
    // every change back to the opening; a save then writes what it wrote before the changes.
    // The title marks unsaved changes. Another file replaces unsaved changes only once the
    // user has said so, and starts a history of its own.
    void annuler_retablir() {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"Escales.gpx"_qs),
                      autre = dossier.filePath(u"Autre.gpx"_qs);
        Ecrire(chemin, Reference(u"opencpn_linux.gpx"_qs));
        Ecrire(autre, Reference(u"opencpn_linux.gpx"_qs));
        Banc b;
        b.Demarrer();
        Fichiers::Charger(b.c, chemin);
        QVERIFY(Fichiers::Sauve_Fichier(b.c));
        const QByteArray sauve = Lire(chemin);
        QCOMPARE(b.c.fenetre->windowTitle(), u"Quillvane (V1.12b) - Escales.gpx[*]");
        QVERIFY(!b.c.fenetre->isWindowModified());

        const QList<QAction*> menu = b.c.ui.ListePOI->actions();
        QCOMPARE(b.c.ui.ListePOI->contextMenuPolicy(), Qt::ActionsContextMenu);
        const auto valider = [&](Action a, const QString& lat_long, const QString& nom) {
            Banc::Cliquer(b.c.ui.Option1->Bouton(a));
            if (a != Supprimer) {
                b.c.ui.Lat_Long->setText(lat_long);
                b.c.ui.Nom_WP->setText(nom);
            }
            Banc::Cliquer(b.c.ui.Validation);
        };
        const auto touche = [&](Qt::Key t, Qt::KeyboardModifiers m = Qt::ControlModifier) {
            b.c.ui.ListePOI->setFocus();
            QTest::keyClick(b.c.ui.ListePOI, t, m);
        };
        b.Selectionner(1);
        const QString avant = Etat(b.c.poi);
        b.Selectionner(2);
        valider(Supprimer, {}, {});
        QVERIFY(b.c.fenetre->isWindowModified());
        QCOMPARE(menu.value(0)->text(), u"Annuler la suppression de « Pointe du Grouin »");
        touche(Qt::Key_Z);
        QCOMPARE(Etat(b.c.poi), avant);
        QCOMPARE(b.c.ui.ListePOI->ListIndex(), 1);
        QCOMPARE(Banc::Entrees(b.c.ui.ListeLiens).size(), 1);
        QVERIFY(!b.c.fenetre->isWindowModified());
        QCOMPARE(menu.value(1)->text(), u"Rétablir la suppression de « Pointe du Grouin »");
        touche(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(b.c.poi.Nb_POI + b.c.ui.ListePOI->count(), 6);
        touche(Qt::Key_Z);
        touche(Qt::Key_Y);
        QCOMPARE(b.c.poi.Nb_POI + b.c.ui.ListePOI->count(), 6);

        // Every kind of change, then all undone by the menu: the file as it was saved.
        valider(Nouveau, u"47,-3"_qs, u"Roche"_qs);
        b.Selectionner(1);
        valider(Modifier, u"46,-2"_qs, u"Houat"_qs);
        b.c.ui.Text3->setText(u"Site"_qs);
        b.c.ui.Text4->setText(u"http://a"_qs);
        Banc::Cliquer(b.c.ui.Valider_lien);
        b.Selectionner(1, b.c.ui.ListeLiens);
        Banc::Cliquer(b.c.ui.Supprimer_Lien);
        const QString apres = Etat(b.c.poi);
        QCOMPARE(Banc::Entrees(b.c.ui.ListePOI),
                 (QStringList{"Houat", "Mouillage du Grouin", "Pré Roche", "Roche"}));
        QCOMPARE(QStringList(b.c.poi.Lien_Nom[1].begin() + 1, b.c.poi.Lien_Nom[1].begin() + 3),
                 (QStringList{"Notes", "Site"}));
        QCOMPARE(b.c.historique.count(), 5);
        while (menu.value(0)->isEnabled())
            menu.value(0)->trigger();
        QCOMPARE(Etat(b.c.poi), avant);
        QVERIFY(Fichiers::Sauve_Fichier(b.c));
        QCOMPARE(Lire(chemin), sauve);
        while (menu.value(1)->isEnabled())
            menu.value(1)->trigger();
        QCOMPARE(Etat(b.c.poi), apres);
        QCOMPARE(Banc::Entrees(b.c.ui.ListePOI).join(u','),
                 u"Houat,Mouillage du Grouin,Pré Roche,Roche");
        QVERIFY(b.c.fenetre->isWindowModified()); // saved back at the start: changed since

        // Another file: put aside, replacing the changes, or after saving them; asked only
        // while there are changes.
        const QString question =
            u"Le document « %1 » a des modifications qui n'ont pas été "
            u"enregistrées.\n\nLes enregistrer avant d'ouvrir « %2 » ?"_qs.arg(chemin, autre);
        b.services.choix = {Services::Reponse::Annuler, Services::Reponse::Non};
        b.services.fichiers = {autre, autre, chemin};
        for (int fois = 0; fois < 2; ++fois)
            Banc::Cliquer(b.c.ui.Charge_Fichier);
        QCOMPARE(b.services.questions, QStringList(2, question));
        QCOMPARE(b.c.poi.Nom_Fichier, autre);
        QVERIFY(b.c.historique.count() == 0 && !b.c.fenetre->isWindowModified());
        b.Selectionner(3);
        valider(Supprimer, {}, {});
        b.services.questions.clear();
        Banc::Cliquer(b.c.ui.Charge_Fichier); // Oui: saved first
        QCOMPARE(b.services.questions.size(), 1);
        QCOMPARE(Lu(Lire(autre)).Nb_POI, 3);
        Fichiers::Charger(b.c, autre);
        QCOMPARE(b.services.questions.size(), 1);
    }
};

QUILLVANE_TEST_MAIN(TestPOI)
#include "test_poi.moc"
