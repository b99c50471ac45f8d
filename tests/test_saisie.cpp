// What the user types and the store's own procedures, straight on the model: coordinates,
// time stamps, link texts, description files, stored window places, leading numbers.

#include "core/Nombres.h"
#include "core/Reglages.h"
#include "gpx/Ecriture_GPX.h"
#include "links/Caracteres_Simples.h"
#include "links/Fichier_Descriptif.h"
#include "links/Nom_Descriptif.h"
#include "poi/Horodatage.h"
#include "poi/Saisie_Coordonnees.h"
#include "test_gpx_outils.h"

#include <QTemporaryDir>
#include <QTimeZone>

using namespace Declarations;

class TestSaisie : public QObject {
    Q_OBJECT
  private slots:
    // Split at the first comma, each side kept exactly as typed once both are plain decimal
    // numbers on the globe.
    void coordonnees() {
        for (const QString attendu :
             {"47.25|-2.5", "47.25| -2.5", "-90|180", "90|-180", "+0.5|.5", " 47 | -2 "}) {
            const auto r = Saisie_Coordonnees::Decouper(QString(attendu).replace(u'|', u','));
            QCOMPARE(r ? r->lat + u'|' + r->lon : u"refusé"_qs, attendu);
        }
        const QString refusees =
            u"47,25,-2,5|47 12.3 N, 2 09.5 W|,-2.5|47.25,|91,0|0,180.0001|4.7e1,2|47.25;-2.5|"
            u"abc,def|90.0000001,0|0,-181|,|.,0|47.,0|--47,0|4 7,0|- 47,0|47\t,0|inf,0|nan,0|"
            u"47\u00A0,0|47,\u22122.5|\u0664\u0667,0|France|Entrez ici les latitude et longitude|"
            u"1,3\n|1\n,3|-91,0|-90.0000001,0|0,-180.5|"_qs;
        for (const QString& saisie : refusees.split(u'|'))
            QVERIFY2(!Saisie_Coordonnees::Decouper(saisie), qPrintable(saisie));
    }

    void horodatage() {
        const QDate jour(2026, 7, 1);
        QCOMPARE(Horodatage::Texte(QDateTime(jour, QTime(1, 0, 9), QTimeZone::utc())) + u' ' +
                     Horodatage::Texte(QDateTime(jour, QTime(1, 0, 9), QTimeZone(7200))),
                 u"2026-07-01T01:00:09Z 2026-06-30T23:00:09Z");
    }

    // U+0020 to U+007F only, the empty text included.
    void caracteres_simples() {
        QString simples;
        for (const QString& t : {u"\x1f"_qs, u" "_qs, u"\x7f"_qs, u"\x80"_qs, u"é"_qs, u""_qs,
                                 u"ab\x80"_qs, u"a\U0001F6A2"_qs})
            simples += Caracteres_Simples::Tous_Simples(t) ? u'1' : u'0';
        QCOMPARE(simples, u"01100100");
    }

    // A description lives beside the GPX file or nowhere.
    void nom_descriptif() {
        for (const QString& nom :
             {u""_qs, u"."_qs, u".."_qs, u"../evasion"_qs, u"sous/dossier"_qs, u"/tmp/evasion"_qs,
              u"a\\b"_qs, u"a\tb"_qs, u"a\nb"_qs, u"a\x7f"_qs, QString(QChar(0xD800)),
              QString(245, u'x'), QString(123, u'é')})
            QVERIFY2(!Nom_Descriptif::Chemin(u"/d/"_qs, nom), qPrintable(nom));
        QVERIFY(!Nom_Descriptif::Chemin(QString(), u"Île"_qs));
        QCOMPARE(Nom_Descriptif::Chemin(u"/d/"_qs, QString(244, u'x')).value_or(QString()),
                 u"/d/"_qs + QString(244, u'x') + u".txt"_qs);
        QCOMPARE(Nom_Descriptif::Chemin(u"/d/"_qs, u"Île d'Yeu"_qs).value_or(QString()),
                 u"/d/Île d'Yeu.txt");
        QCOMPARE(Nom_Descriptif::Cible_Lien(u"/d/Île d'Yeu.txt"_qs), u"file:///d/Île d'Yeu.txt");

        // A POI's description is where its "Description" link points, wherever the POI and
        // whatever its name; without one, a name no other POI's link holds.
        Magasin d = Magasin_Vide();
        d.Dossier_Fichier = u"/d/"_qs;
        d.Nb_POI = 3;
        for (const int i : {1, 2, 3})
            d.Nom_POI[i] = u"Port"_qs;
        const auto chemin = [&](int i) {
            return Nom_Descriptif::Chemin_POI(d, i).value_or(u"-"_qs);
        };
        QCOMPARE(chemin(2), u"/d/Port.txt");
        Inserer_Lien(d, 2, 1, Nom_Descriptif::Cible_Lien(chemin(2)), u"Description"_qs);
        Ajouter_Lien(d, 1, u"file:///d/Port (2).txt"_qs, u"Plan"_qs);
        QCOMPARE(chemin(1) + chemin(3), u"/d/Port (2).txt/d/Port (3).txt");
        d.Nom_POI[2] = u"Houat"_qs;
        Inserer_Lien(d, 3, 1, u"file:///d/Tom &amp; Jerry.txt"_qs, u"Description"_qs);
        QCOMPARE(chemin(2) + chemin(3), u"/d/Port.txt/d/Tom & Jerry.txt");
        QCOMPARE(Nom_Descriptif::Lien_Description(d, 1) + Nom_Descriptif::Lien_Description(d, 3),
                 1);
        d.Nom_POI[1] = u"../x"_qs;
        QCOMPARE(chemin(1) + chemin(4), u"--");
    }

    // Every kind of change made as the window makes it, kept, then undone and made again in
    // turn: the store, what it keeps of the file and the bytes it writes go back and forth.
    void changements() {
        using Ch = Changement;
        Magasin d = Lu(Reference(u"basecamp.gpx"_qs));
        d.Nom_Fichier = u"/d/basecamp.gpx"_qs;
        const auto fiche = [&](Ch::Sorte sorte, int i, const std::function<void()>& faire) {
            const Fiche avant = Lire_Fiche(d, i);
            faire();
            return Ch{sorte, i, avant, sorte == Ch::Retrait ? Fiche{} : Lire_Fiche(d, i)};
        };
        const Saisie saisie{u"47.5,-3"_qs, u"Roche"_qs, u"2026-01-01T00:00:00Z"_qs};
        const std::function<Ch()> cas[] = {
            [&] { return fiche(Ch::Insertion, d.Nb_POI + 1, [&] { Creer_POI(d, saisie); }); },
            [&] {
                return fiche(Ch::Remplacement, 2, [&] {
                    d.POI_Courant = 2;
                    Modifier_POI(d, saisie);
                });
            },
            [&] {
                return fiche(Ch::Remplacement, 2, [&] { Ajouter_Lien(d, 2, u"u"_qs, u"n"_qs); });
            },
            [&] {
                return fiche(Ch::Remplacement, 2, [&] {
                    while (Ajouter_Lien(d, 2, u"v"_qs, u"m"_qs)) {
                    }
                    Inserer_Lien(d, 2, 1, u"file:///d/Roche.txt"_qs, u"Description"_qs);
                });
            },
            [&] { return fiche(Ch::Remplacement, 2, [&] { Retirer_Lien(d, 2, 2); }); },
            [&] { return fiche(Ch::Retrait, 1, [&] { Retirer_POI(d, 1); }); },
            [&] { return fiche(Ch::Retrait, d.Nb_POI, [&] { Retirer_POI(d, d.Nb_POI); }); },
        };
        const auto etat = [&] { return Pois(d) + QString::fromUtf8(Fichiers::Texte_GPX(d)); };
        QStringList etats{etat()};
        QList<Ch> faits;
        for (const auto& faire : cas) {
            QVERIFY(d.Nb_POI >= 2);
            faits << faire();
            etats << etat();
            QVERIFY(etats.last() != etats[etats.size() - 2]);
        }
        for (qsizetype k = faits.size(); k-- > 0;) {
            Defaire(d, faits[k]);
            QCOMPARE(etat(), etats[k]);
        }
        for (qsizetype k = 0; k < faits.size(); ++k) {
            Refaire(d, faits[k]);
            QCOMPARE(etat(), etats[k + 1]);
        }
    }

    // Read line by line, each line in UTF-8 or else Windows-1252; written in UTF-8, CR LF.
    void fichier_descriptif() {
        QTemporaryDir dossier;
        const QString chemin = dossier.filePath(u"Île.txt"_qs);
        QStringList lus;
        for (const QByteArray octets : {"", "Pr\xc3\xa9 \xe2\x9a\x93\r\n", "Caf\xe9 \x80\r\n",
                                        "\xe0 quai\r\n\xc3\xa0 quai\r\n", "a\nb\r\n\r\nc\rd"}) {
            Ecrire(chemin, octets);
            lus << Fichier_Descriptif::Lire(chemin).value_or(u"illisible"_qs);
        }
        QCOMPARE(lus, QStringList({"", "Pré ⚓\r\n", "Café €\r\n", "à quai\r\nà quai\r\n",
                                   "a\r\nb\r\n\r\nc\r\nd\r\n"}));
        QCOMPARE(Fichier_Descriptif::Lire(dossier.filePath(u"absent.txt"_qs)), QString());
        QVERIFY(!Fichier_Descriptif::Lire(dossier.path()));
        QVERIFY(Fichier_Descriptif::Ecrire(chemin, u"Été\r\n€"_qs));
        QCOMPARE(Lire(chemin), QByteArray("\xc3\x89t\xc3\xa9\r\n\xe2\x82\xac\r\n"));
        QVERIFY(!Fichier_Descriptif::Ecrire(dossier.filePath(u"absent/x.txt"_qs), u"x"_qs));
    }

    // A stored place is read in the user's locale; what is not a finite number keeps the design.
    void reglages() {
        QString lus;
        for (const QString& t : {u"1440"_qs, u" 1440,5 "_qs, u"abc"_qs, u"1440.5"_qs, QString(),
                                 u"-15"_qs, u"inf"_qs, u"1e39"_qs})
            lus +=
                QString::number(
                    Reglages::Texte_Vers_Position(t, QLocale(QLocale::French)).value_or(qQNaN())) +
                u' ';
        QCOMPARE(lus, u"1440 1440.5 nan nan nan -15 nan nan ");
    }

    // "Valider": each refusal with its message and what it leaves stored. A new POI takes the
    // place after the last, emptied of what a deleted POI left there; refused, nothing changes.
    void valider() {
        Magasin poi = Magasin_Vide();
        const Saisie bonne{u"47.5,-3"_qs, u"Nom"_qs, u"T0"_qs};
        QCOMPARE(Creer_POI(poi, bonne), u"Définissez un nom de fichier");
        poi.Nom_Fichier = u"/b/f.gpx"_qs;
        const struct {
            Saisie saisie;
            QString message, modifie;
        } cas[] = {
            {{u""_qs, u"N"_qs, u"T1"_qs},
             u"Entrez une valeur valide latitude-longitude"_qs,
             u"1|2|T9|A"_qs},
            {{u"47.5"_qs, u"N"_qs, u"T1"_qs}, u"Latidute-Longitude incorrect"_qs, u"1|2|T9|A"_qs},
            {{u"47.5,200"_qs, u"N"_qs, u"T1"_qs},
             u"Latidute-Longitude incorrect"_qs,
             u"1|2|T9|A"_qs},
            {{u"47.5,-3"_qs, u""_qs, u"T1"_qs},
             u"Le nom du POI n'est pas défini"_qs,
             u"47.5|-3|T9|A"_qs},
            {bonne, {}, u"47.5|-3|T9|Nom"_qs},
        };
        for (const auto& [saisie, message, modifie] : cas) {
            poi.Nb_POI = 0;
            poi.POI_Courant = 7;
            poi.Garde[1].lignes[Garde_POI::Avant_Heure] = "<ele>1</ele>";
            QCOMPARE(Creer_POI(poi, saisie), message);
            QCOMPARE(Pois(poi), message.isEmpty() ? u"47.5|-3|T0|Nom"_qs : QString());
            QCOMPARE(poi.POI_Courant, message.isEmpty() ? 1 : 7);
            QCOMPARE(poi.Garde[1].lignes[Garde_POI::Avant_Heure].isEmpty(), message.isEmpty());

            poi.POI_Courant = poi.Nb_POI = 1;
            Ecrire_Fiche(poi, 1, {u"A"_qs, u"T9"_qs, u"1"_qs, u"2"_qs, 0, {}, {}, {}});
            QCOMPARE(Modifier_POI(poi, saisie), message);
            QCOMPARE(Poi(poi, 1), modifie);
        }
        poi.Date_POI[1].clear();
        QCOMPARE(Modifier_POI(poi, bonne), QString());
        QCOMPARE(Poi(poi, 1), u"47.5|-3|T0|Nom");
        poi.POI_Courant = 2;
        QCOMPARE(Modifier_POI(poi, bonne), u"Latidute-Longitude incorrect");
        poi.Nb_POI = Capacite;
        QCOMPARE(Creer_POI(poi, bonne), u"Il y a déjà le nombre maximal 100 POI enregistrés dans "
                                        u"ce fichier. Créez un nouveau fichier");
        QCOMPARE(poi.Nb_POI, Capacite);
    }

    void nombre_en_tete() {
        QString lus;
        for (const QString t : {" \t12.5abc", "-3e2x", "+.5", "5.", ".", "e5", "1e", "1e+",
                                "1.5E-1", "1e+2", "abc", "", "-", "\u0663", "1\u0663", "2 3"})
            lus += QString::number(Nombres::Nombre_En_Tete(t)) + u' ';
        QCOMPARE(lus, u"12.5 -300 0.5 5 0 0 1 1 0.15 100 0 0 0 0 1 2 ");
    }

    // Every change of a POI or of its links goes through these.
    void magasin() {
        Magasin poi = Magasin_Vide();
        poi.Nb_POI = 3;
        for (int i = 1; i <= 3; ++i)
            Ecrire_Fiche(poi, i,
                         {QString(QChar(u'@' + i)), u"T"_qs, u"1"_qs, u"2"_qs, 0, {}, {}, {}});
        QCOMPARE(QList<bool>({Est_POI(poi, 0), Est_POI(poi, 1), Est_POI(poi, 3), Est_POI(poi, 4)}),
                 QList<bool>({false, true, true, false}));
        for (int k = 1; k <= 6; ++k)
            QCOMPARE(Ajouter_Lien(poi, 2, u"u%1"_qs.arg(k), u"l%1"_qs.arg(k)), k <= 5);
        QCOMPARE(Poi(poi, 2), u"1|2|T|B|u1|l1|u2|l2|u3|l3|u4|l4|u5|l5");
        Inserer_Lien(poi, 2, 2, u"v"_qs, u"w"_qs);
        QCOMPARE(Poi(poi, 2), u"1|2|T|B|u1|l1|v|w|u2|l2|u3|l3|u4|l4");
        Retirer_Lien(poi, 2, 1);
        Inserer_Lien(poi, 2, 4, u"x"_qs, u"y"_qs);
        QCOMPARE(Poi(poi, 2), u"1|2|T|B|v|w|u2|l2|u3|l3|x|y|u4|l4");
        Retirer_Lien(poi, 2, 5);
        // What the file kept for a link follows it; for a POI, the POI.
        poi.Garde[2].liens = {"", "<a/>", "<b/>", "<c/>", "<d/>", "<e/>"};
        Retirer_Lien(poi, 2, 1);
        Inserer_Lien(poi, 2, 2, u"z"_qs, u"z"_qs);
        Inserer_Lien(poi, 2, 1, u"v"_qs, u"w"_qs);
        QCOMPARE(QList(poi.Garde[2].liens.begin() + 1, poi.Garde[2].liens.end()),
                 QList<QByteArray>({"", "<b/>", "", "<c/>", "<d/>"}));
        Retirer_Lien(poi, 2, 3);
        QCOMPARE(Poi(poi, 2), u"1|2|T|B|v|w|u2|l2|u3|l3|x|y");
        poi.Garde[2].lignes[Garde_POI::Apres_Liens] = "<sym>B</sym>";
        Ecrire_Fiche(poi, 3, Lire_Fiche(poi, 2));
        poi.Nom_POI[3] = u"C"_qs;
        Retirer_POI(poi, 2);
        QCOMPARE(Pois(poi), u"1|2|T|A\n1|2|T|C|v|w|u2|l2|u3|l3|x|y");
        QCOMPARE(poi.Garde[2].lignes[Garde_POI::Apres_Liens], "<sym>B</sym>");
        QCOMPARE(poi.Garde[2].liens[4], "<d/>");
        Retirer_POI(poi, 2);
        Vider_Fiche(poi, 1);
        QCOMPARE(Pois(poi), u"|||");
        poi.Garde_Document.apres = "<trk/>";
        Vider_Document(poi);
        QCOMPARE(poi.Nb_POI, 0);
        QVERIFY(poi.Garde[2].lignes[Garde_POI::Apres_Liens].isEmpty() &&
                poi.Garde_Document.apres.isEmpty() && poi.Nom_POI[2].isEmpty());
        poi.Nb_POI = Capacite + 1; // a count beyond the tables names no POI beyond them
        QCOMPARE(QList<bool>({Est_POI(poi, Capacite), Est_POI(poi, Capacite + 1)}),
                 QList<bool>({true, false}));
    }
};

QTEST_GUILESS_MAIN(TestSaisie)
#include "test_saisie.moc"
