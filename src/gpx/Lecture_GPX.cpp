#include "Lecture_GPX.h"

#include "Echappements_XML.h"
#include "Lignes.h"
#include "UTF8.h"

#include <optional>

namespace Fichiers {

namespace {

constexpr qsizetype Ouverte = -1; // end of a POI whose closing line is not read yet

// The bytes from `debut` to `fin` (excluded); the empty text when the line is too short for
// the cut, so a malformed line never reads outside itself.
QString Couper(QByteArrayView ligne, qsizetype debut, qsizetype fin) {
    fin = qMin(fin, ligne.size());
    if (debut < 0 || debut >= fin)
        return QString();
    return UTF8::UTF8_Vers_Texte(ligne.sliced(debut, fin - debut));
}

bool Separateur(QByteArrayView texte, qsizetype i, bool finPermise) {
    if (i >= texte.size())
        return finPermise;
    const char o = texte[i];
    return o == ' ' || o == '\t' || o == '>' || (finPermise && (o == '\r' || o == '\n'));
}

// Position of `balise` followed by a blank or ">" (or the end of the line when
// `finPermise`): "<wpt" must not match "<wptx1:Address>", nor "<link" "<linkx>".
qsizetype Chercher_Element(QByteArrayView texte, QByteArrayView balise, qsizetype depuis,
                           bool finPermise) {
    for (qsizetype q = Chercher(texte, balise, depuis); q >= 0; q = Chercher(texte, balise, q + 1))
        if (Separateur(texte, q + balise.size(), finPermise))
            return q;
    return -1;
}

qsizetype Element_Wpt(QByteArrayView texte, qsizetype depuis = 0) {
    return Chercher_Element(texte, "<wpt", depuis, true);
}

// The latitude and longitude: the first and second quoted values of the waypoint line.
void Lire_Coordonnees(QByteArrayView ligne, QString& lat, QString& lon) {
    qsizetype q[4];
    qsizetype depuis = 0;
    int n = 0;
    for (; n < 4; ++n) {
        q[n] = ligne.indexOf('"', depuis);
        if (q[n] < 0)
            break;
        depuis = q[n] + 1;
    }
    if (n >= 2)
        lat = Couper(ligne, q[0] + 1, q[1]);
    if (n >= 4)
        lon = Couper(ligne, q[2] + 1, q[3]);
}

// The value of a line "<tag>value</tag>": from after the opening tag to the last 7 bytes.
QString Valeur_Element(QByteArrayView ligne, qsizetype p, qsizetype longueurOuvrante) {
    return Couper(ligne, p + longueurOuvrante, ligne.size() - 7);
}

void Completer_Nom(QString& nom) {
    if (nom.isEmpty())
        nom = QStringLiteral("(Sans nom)");
    nom.replace(QLatin1String("%20"), QLatin1String(" "));
}

// A link element that stands whole on its line, self-closing or closed there: its target is
// its href value between its own quotes, its label the <text> value inside it.
struct Lien_Entier {
    QByteArrayView cible;
    QByteArrayView etiquette;
    qsizetype fin = 0; // just after the element
};

bool Blanc(char o) {
    return o == ' ' || o == '\t' || o == '\r' || o == '\n';
}

// The value of the attribute `nom` in the start tag `balise` (its attributes only), read as XML
// does: blanks around "=", the value in single or double quotes.
QByteArrayView Attribut(QByteArrayView balise, QByteArrayView nom) {
    qsizetype i = 0;
    const qsizetype n = balise.size();
    while (i < n) {
        while (i < n && (Blanc(balise[i]) || balise[i] == '/'))
            ++i;
        const qsizetype debutNom = i;
        while (i < n && !Blanc(balise[i]) && balise[i] != '=' && balise[i] != '/')
            ++i;
        const QByteArrayView trouve = balise.sliced(debutNom, i - debutNom);
        while (i < n && Blanc(balise[i]))
            ++i;
        if (i >= n || balise[i] != '=') {
            if (trouve.isEmpty())
                ++i; // a stray character: step over it
            continue;
        }
        ++i;
        while (i < n && Blanc(balise[i]))
            ++i;
        if (i >= n || (balise[i] != '"' && balise[i] != '\''))
            continue;
        const char guillemet = balise[i++];
        qsizetype fin = balise.indexOf(guillemet, i);
        if (fin < 0)
            fin = n;
        if (trouve == nom)
            return balise.sliced(i, fin - i);
        i = fin + 1;
    }
    return {};
}

// The link element starting at `p` ("<link"), when the line holds all of it.
std::optional<Lien_Entier> Lire_Lien_Entier(QByteArrayView ligne, qsizetype p) {
    // The end of the start tag: the first ">" outside a quoted value.
    char guillemet = 0;
    qsizetype ferme = -1;
    for (qsizetype i = p + 5; i < ligne.size(); ++i) {
        const char o = ligne[i];
        if (guillemet) {
            if (o == guillemet)
                guillemet = 0;
        } else if (o == '"' || o == '\'') {
            guillemet = o;
        } else if (o == '>') {
            ferme = i;
            break;
        }
    }
    if (ferme < 0)
        return std::nullopt;
    Lien_Entier lien;
    lien.cible = Attribut(ligne.sliced(p + 5, ferme - p - 5), "href");
    if (ligne[ferme - 1] == '/') {
        lien.fin = ferme + 1;
        return lien;
    }
    const qsizetype fin = ligne.indexOf("</link>", ferme + 1);
    if (fin < 0)
        return std::nullopt;
    lien.fin = fin + 7;
    const QByteArrayView corps = ligne.sliced(ferme + 1, fin - ferme - 1);
    if (const qsizetype t = corps.indexOf("<text>"); t >= 0)
        if (const qsizetype f = corps.indexOf("</text>", t + 6); f >= 0)
            lien.etiquette = corps.sliced(t + 6, f - t - 6);
    return lien;
}

QByteArrayView Sans_Blancs(QByteArrayView ligne) {
    qsizetype debut = 0;
    qsizetype fin = ligne.size();
    while (debut < fin && ligne[debut] == ' ')
        ++debut;
    while (fin > debut && ligne[fin - 1] == ' ')
        --fin;
    return ligne.sliced(debut, fin - debut);
}

} // namespace

Etendues Lire_POI(Declarations::Declarations& poi, QByteArrayView contenu) {
    poi.Nb_POI = 0;
    poi.Vider_POI();
    const int max = qBound(0, int(poi.Max_POI), Declarations::Capacite);
    Etendues etendues{};
    Lignes lignes(contenu);
    QByteArrayView ligne;
    bool dedans = false;
    int n = 0;

    for (;;) {
        // Outside a waypoint only a waypoint line matters: jump straight to the next one.
        if (!dedans) {
            const qsizetype q = Element_Wpt(contenu, lignes.Position());
            if (q < 0)
                break;
            lignes.Aller_A(lignes.Debut_De_Ligne(q));
        }
        const qsizetype debut = lignes.Position();
        if (!lignes.Suivante(ligne))
            break;

        if (Element_Wpt(ligne) >= 0) {
            if (n > 0 && etendues[n].fin == Ouverte)
                etendues[n].fin = debut;
            if (n >= max)
                break;
            n = ++poi.Nb_POI;
            dedans = true;
            etendues[n] = {debut, Ouverte};
            Lire_Coordonnees(ligne, poi.Lat_POI[n], poi.Long_POI[n]);
        }
        bool ferme = false;
        if (dedans && ligne.contains("</wpt>")) {
            dedans = false;
            ferme = true;
            etendues[n].fin = debut + ligne.size();
        }
        if (dedans)
            if (const qsizetype p = ligne.indexOf("<time>"); p >= 0)
                poi.Date_POI[n] = Valeur_Element(ligne, p, 6);
        if (dedans)
            if (const qsizetype p = ligne.indexOf("<name>"); p >= 0)
                poi.Nom_POI[n] = Valeur_Element(ligne, p, 6);
        if (ferme && !poi.Date_POI[n].isEmpty())
            Completer_Nom(poi.Nom_POI[n]);
    }
    if (n > 0 && etendues[n].fin == Ouverte)
        etendues[n].fin = contenu.size();

    // References last, so that "&#37;20" stays "%20" and "&#40;Sans nom)" is only a name.
    for (int i = 1; i <= n; ++i)
        poi.Nom_POI[i] = Echappements_XML::Decoder_References(poi.Nom_POI[i]);
    return etendues;
}

void Lire_Liens(Declarations::Declarations& poi, QByteArrayView contenu, const Etendues& etendues) {
    poi.Vider_Liens();
    const int nb = qBound(0, int(poi.Nb_POI), Declarations::Capacite);
    for (int i = 1; i <= nb; ++i) {
        poi.POI_Courant = qint16(i);
        const Etendue& e = etendues[i];
        Lignes lignes(contenu.sliced(e.debut, e.fin - e.debut));
        QByteArrayView brute;
        qint16& nbLiens = poi.Nb_Liens[i];
        bool complet = false;
        while (lignes.Suivante(brute)) {
            const QByteArrayView ligne = Sans_Blancs(brute);
            bool entiers = false;
            for (qsizetype p = Chercher_Element(ligne, "<link", 0, false); p >= 0;) {
                if (nbLiens >= Declarations::Liens_Max) {
                    complet = true;
                    break;
                }
                ++nbLiens;
                const std::optional<Lien_Entier> lien = Lire_Lien_Entier(ligne, p);
                if (!lien) {
                    // 12 = "<link href=" and its quote; the last 2 are the quote and ">".
                    poi.Lien_URL[i][nbLiens] = Couper(ligne, p + 12, ligne.size() - 2);
                    break;
                }
                entiers = true;
                poi.Lien_URL[i][nbLiens] = UTF8::UTF8_Vers_Texte(lien->cible);
                poi.Lien_Nom[i][nbLiens] = UTF8::UTF8_Vers_Texte(lien->etiquette);
                p = Chercher_Element(ligne, "<link", lien->fin, false);
            }
            if (complet)
                break;
            // The label of a link whose <text> stands on a line of its own.
            if (!entiers)
                if (const qsizetype p = ligne.indexOf("<text>"); p >= 0)
                    poi.Lien_Nom[i][nbLiens] = Valeur_Element(ligne, p, 6);
            if (ligne.contains("</wpt>"))
                break;
        }
    }
    poi.POI_Courant = qint16(nb + 1);
}

void Lire_Fichier(Declarations::Declarations& poi, QByteArrayView contenu) {
    const Etendues etendues = Lire_POI(poi, contenu);
    Lire_Liens(poi, contenu, etendues);
}

} // namespace Fichiers
