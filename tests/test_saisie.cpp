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
#include "viewers/Navigation.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

using namespace Declarations;

class TestSaisie : public QObject {
    Q_OBJECT
  private slots:
    // Every notation a sailor meets: the texts stored ("lat|lon") or the refusal. A plain
    // decimal entry is stored as typed, blanks trimmed; any other with six decimals.
    void coordonnees_data() {
        QTest::addColumn<QString>("saisie");
        QTest::addColumn<QString>("stocke");
        const QString pilote = u"47.718333|-3.998333"_qs;
        const QString refus = u"refusé"_qs;
        const std::pair<const char*, QString> cas[] = {
            {"47.25,-2.5", u"47.25|-2.5"_qs},
            {"47.25, -2.5", u"47.25|-2.5"_qs},
            {" 47 , -2 ", u"47|-2"_qs},
            {"-90,180", u"-90|180"_qs},
            {"90,-180", u"90|-180"_qs},
            {"+0.5,.5", u"+0.5|.5"_qs},
            {"47.25;-2.5", u"47.25|-2.5"_qs},
            {"47.25 -2.5", u"47.25|-2.5"_qs},
            {"47.25 / -2.5", u"47.25|-2.5"_qs},
            {"47.25\r\n-2.5\n", u"47.25|-2.5"_qs},
            {"47,5", u"47|5"_qs}, // a lone comma parts them, as it always did
            {"47,25,-2,5", u"47.250000|-2.500000"_qs},
            {"47,5 -3,2", u"47.500000|-3.200000"_qs},
            {"47,5\u00A0;\u00A0-3,2", u"47.500000|-3.200000"_qs},
            {"47,\u22122.5", u"47.000000|-2.500000"_qs},
            {"47°43,1'N 003°59,9'W", pilote},
            {"47°43,100′N 003°59,900′W", pilote},
            {"47° 43.1000' N   003° 59.9000' W", pilote},
            {"N 47 43.1, W 3 59.9", pilote},
            {"n47°43.1' o3°59.9'", pilote},
            {"n 47 43.1 o 3 59.9", pilote},
            {"3°59,9'W\n47°43,1'N", pilote},
            {"47°43'06\"N 3°59'54\"W", pilote},
            {"47°43′06″N, 3°59′54″W", pilote},
            {"47°43'06''N 3°59'54''W", pilote},
            {"47 43 06 N 3 59 54 W", pilote},
            {"47.718333°N 3.998333°W", pilote},
            {"-47 43.1 -3 59.9", u"-47.718333|-3.998333"_qs},
            {"47 12.3 N, 2 09.5 W", u"47.205000|-2.158333"_qs},
            {"-0°30', -0°30'", u"-0.500000|-0.500000"_qs}, // the sign of zero degrees kept
            {"0°30'S 0°30'W", u"-0.500000|-0.500000"_qs},
            {"-10 30, -20 15", u"-10.500000|-20.250000"_qs}, // not 9°30'
            {"-0 0, 0 0", u"0.000000|0.000000"_qs},
            {"90°00'N 180°00'E", u"90.000000|180.000000"_qs},
            // Two meanings: refused.
            {"47,5,3", refus},
            {"47,5 3", refus},
            {"47 43 3 59", refus},
            {"4 7,0", refus},
            // One coordinate, or a text that reads as one.
            {"-10 30", refus},
            {"47 30", refus},
            {"47°43,1'N", refus},
            {"47.25", refus},
            {"-0°30'", refus},
            // Off the globe, minutes or seconds of 60.
            {"47°60'N 3°00'W", refus},
            {"47°43'60\"N 3°W", refus},
            {"91,0", refus},
            {"-90.0000001,0", refus},
            {"0,180.0001", refus},
            {"0,-181", refus},
            {"90°00,1'N 3°W", refus},
            {"3°W 90 0 1 N", refus},
            // Exponents, infinities, control characters, digits of other scripts.
            {"4.7e1,2", refus},
            {"1E5,2", refus},
            {"inf,0", refus},
            {"nan,0", refus},
            {"47\t,0", refus},
            {"47,\a2", refus},
            {"\u0664\u0667,0", refus},
            // Letters on one side only, twice the same axis, a sign with a letter; marks out of
            // order; decimals before minutes.
            {"47.5N, -3", refus},
            {"-47°N 3°W", refus},
            {"47°N 3°S", refus},
            {"43'47°N 3°W", refus},
            {"47.5°30'N 3°W", refus},
            // Not a position.
            {"", refus},
            {"France", refus},
            {"Entrez ici les latitude et longitude", refus},
            {",-2.5", refus},
            {"47.25,", refus},
            {",", refus},
            {".,0", refus},
            {"47.,0", refus},
            {"--47,0", refus},
            {"- 47,0", refus},
            {"47,,3", refus},
            {"47;,3", refus},
            {"47.25,-2.5 x", refus},
            {"47 43.1 N 3 59.9 W 2", refus},
        };
        for (const auto& [saisie, stocke] : cas)
            QTest::newRow(saisie) << QString::fromUtf8(saisie) << stocke;
        QTest::newRow("longue") << u"47.25,-2.5"_qs + QString(200, u'0') << refus;
    }
    void coordonnees() {
        QFETCH(QString, saisie);
        const auto r = Saisie_Coordonnees::Decouper(saisie);
        QTEST(r ? r->lat + u'|' + r->lon : u"refusé"_qs, "stocke");
        QCOMPARE(Saisie_Coordonnees::Lire(saisie).has_value(), r.has_value());
    }

    // Random positions written in each notation are read back, and stored, within 1e-6°.
    void coordonnees_aller_retour() {
        // "047°43,10000′N": degrees, minutes and seconds to `decimales` of the last unit.
        const auto ecrire = [](double v, int parties, int decimales, const QString& marques,
                               QChar positif, QChar negatif, const QString& entre) {
            const qint64 unites = qint64(std::pow(60, parties - 1) * std::pow(10, decimales));
            const qint64 total = std::llround(std::abs(v) * unites);
            QString t = QString::number(total / unites) + marques[0];
            qint64 reste = total % unites;
            for (int k = 1; k < parties; ++k) {
                const qint64 unite = unites / qint64(std::pow(60, k));
                const double partie = double(reste) / double(unite);
                reste %= unite;
                t += entre +
                     (k + 1 == parties ? QString::number(partie, 'f', decimales)
                                       : QString::number(qint64(partie))) +
                     marques[k];
            }
            return t + entre + (v < 0 ? negatif : positif);
        };
        QRandomGenerator hasard(28);
        for (int essai = 0; essai < 400; ++essai) {
            double lat = hasard.bounded(180.0) - 90, lon = hasard.bounded(360.0) - 180;
            if (essai < 4) // the signs of zero degrees
                lat = essai % 2 ? -0.5 : -10.5, lon = essai < 2 ? -0.25 : 0;
            const QString dm_lat = ecrire(lat, 2, 5, u"°′"_qs, u'N', u'S', {});
            const QString dm_lon = ecrire(lon, 2, 5, u"°′"_qs, u'E', u'W', {});
            const QString sans_lettre_lat = ecrire(lat, 2, 5, u"  "_qs, u' ', u' ', u" "_qs);
            const QString sans_lettre_lon = ecrire(lon, 2, 5, u"  "_qs, u' ', u' ', u" "_qs);
            const auto signe = [](double v, const QString& t) {
                return (v < 0 ? u"-"_qs : QString()) + t.trimmed();
            };
            const QStringList notations = {
                QString::number(lat, 'f', 7) + u',' + QString::number(lon, 'f', 7),
                QString::number(lat, 'f', 7).replace(u'.', u',') + u" ; "_qs +
                    QString::number(lon, 'f', 7).replace(u'.', u','),
                dm_lat + u' ' + dm_lon,
                QString(dm_lon).replace(u'.', u',') + u'\n' + dm_lat,
                ecrire(lat, 3, 3, u"°'\""_qs, u'N', u'S', {}) + u", "_qs +
                    ecrire(lon, 3, 3, u"°'\""_qs, u'E', u'W', {}),
                ecrire(lat, 2, 5, u"°'"_qs, u'N', u'S', u" "_qs) + u"   "_qs +
                    ecrire(lon, 2, 5, u"°'"_qs, u'E', u'W', u" "_qs),
                signe(lat, sans_lettre_lat) + u" / "_qs + signe(lon, sans_lettre_lon),
            };
            for (const QString& texte : notations) {
                const auto p = Saisie_Coordonnees::Lire(texte);
                const auto s = Saisie_Coordonnees::Decouper(texte);
                QVERIFY2(p && s, qPrintable(texte));
                QVERIFY2(std::abs(p->lat - lat) < 1e-6 && std::abs(p->lon - lon) < 1e-6 &&
                             std::abs(s->lat.toDouble() - lat) < 1e-6 &&
                             std::abs(s->lon.toDouble() - lon) < 1e-6,
                         qPrintable(texte + u" -> "_qs + s->lat + u',' + s->lon));
            }
        }
    }

    // Legs along the equator and a meridian are whole degrees of arc, 60 miles each; the
    // bearings are the four cardinal points. Minutes round to the thousandth, carrying.
    void navigation() {
        struct Jambe {
            double lat1, lon1, lat2, lon2, milles, relevement;
        };
        for (const Jambe& j : {Jambe{0, 0, 0, 1, 60, 90}, Jambe{0, 0, 1, 0, 60, 0},
                               Jambe{0, 0, -1, 0, 60, 180}, Jambe{0, 0, 0, -1, 60, 270},
                               Jambe{0, 179.5, 0, -179.5, 60, 90}, Jambe{10, 20, 10, 20, 0, 0}}) {
            QVERIFY(std::abs(Navigation::Distance_Milles(j.lat1, j.lon1, j.lat2, j.lon2) -
                             j.milles) < 1e-9);
            QVERIFY(std::abs(Navigation::Relevement_Vrai(j.lat1, j.lon1, j.lat2, j.lon2) -
                             j.relevement) < 1e-9);
        }
        QCOMPARE(Navigation::Position_DM(47.718333333, -3.998333333) + u'|' +
                     Navigation::Position_DM(-0.5, 0.0000001) + u'|' +
                     Navigation::Position_DM(59.9999999, 190) + u'|' +
                     Navigation::Position_DM(-0.0000001, -179.99999999),
                 u"47°43,100′N 003°59,900′W|00°30,000′S 000°00,000′E|"
                 u"60°00,000′N 170°00,000′W|00°00,000′N 180°00,000′W");
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
        for (const QString t :
             {" \t12.5abc", "-3e2x", "+.5", "5.", ".", "e5", "1e", "1e+", "1.5E-1", "1e+2", "abc",
              "", "-", "\u0663", "1\u0663", "2 3", "-0.0"}) {
            const auto n = Nombres::Nombre_En_Tete(t);
            lus += (n ? QString::number(*n) : u"-"_qs) + u' ';
        }
        QCOMPARE(lus, u"12.5 -300 0.5 5 - - 1 1 0.15 100 - - - - 1 2 0 ");
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
