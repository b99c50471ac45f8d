#include "Lecture_GPX.h"

#include "Echappements_XML.h"
#include "Lignes.h"
#include "UTF8.h"

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
        while (lignes.Suivante(brute)) {
            const QByteArrayView ligne = Sans_Blancs(brute);
            if (const qsizetype p = Chercher_Element(ligne, "<link", 0, false); p >= 0) {
                if (nbLiens >= Declarations::Liens_Max)
                    break;
                ++nbLiens;
                // 12 = "<link href=" and its quote; the last 2 are the quote and ">".
                poi.Lien_URL[i][nbLiens] = Couper(ligne, p + 12, ligne.size() - 2);
            }
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
