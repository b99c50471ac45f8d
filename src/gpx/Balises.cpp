#include "Balises.h"

#include "Lignes.h"

#include <QVarLengthArray>
#include <array>
#include <string_view>

namespace Balises {

namespace {

using Detail::Blanc;

// Tables of the bytes that matter, one look each: a file of millions of tags is read byte by
// byte.
constexpr auto Table(std::string_view octets) {
    std::array<bool, 256> table{};
    for (const char o : octets)
        table[static_cast<unsigned char>(o)] = true;
    return table;
}
constexpr auto Fins_De_Nom = Table(" \t\r\n>/<=\"'");
constexpr auto Marques_De_Balise = Table("<>\"'");

bool Fin_De_Nom(char o) {
    return Fins_De_Nom[static_cast<unsigned char>(o)];
}

// From `debut` to just after `fermeture`, or to `fin` when it never comes.
Balise Jusqu_A(QByteArrayView t, qsizetype debut, qsizetype depuis, QByteArrayView fermeture,
               qsizetype fin, Genre genre) {
    const qsizetype f = Fichiers::Chercher(t.first(fin), fermeture, depuis);
    return {genre, debut, f < 0 ? fin : f + fermeture.size(), {}, {}, f < 0};
}

Balise Texte(QByteArrayView t, qsizetype debut, qsizetype fin) {
    const qsizetype f = t.first(fin).indexOf('<', debut + 1);
    return {Genre::Texte, debut, f < 0 ? fin : f, {}, {}};
}

} // namespace

Balise Lire(QByteArrayView t, qsizetype i, qsizetype fin) {
    const QByteArrayView reste = t.sliced(i, fin - i);
    if (reste[0] != '<')
        return Texte(t, i, fin);
    const char second = reste.size() > 1 ? reste[1] : '\0';
    if (second == '!') {
        if (reste.startsWith("<!--"))
            return Jusqu_A(t, i, i + 4, "-->", fin, Genre::Commentaire);
        if (reste.startsWith("<![CDATA["))
            return Jusqu_A(t, i, i + 9, "]]>", fin, Genre::Cdata);
        return Jusqu_A(t, i, i + 2, ">", fin, Genre::Instruction);
    }
    if (second == '?')
        return Jusqu_A(t, i, i + 2, "?>", fin, Genre::Instruction);

    const bool fermante = second == '/';
    const qsizetype debutNom = i + 1 + fermante;
    qsizetype k = debutNom;
    while (k < fin && !Fin_De_Nom(t[k]))
        ++k;
    if (k == debutNom)
        return Texte(t, i, fin);
    const QByteArrayView nom = t.sliced(debutNom, k - debutNom);

    // The tag ends at the first ">" outside quotes. A "<" before it, or the end, means a tag left
    // unfinished: it then ends at a ">" seen inside a quote that never closed; else it is no tag
    // at all, or, at the end, a tag cut short.
    char guillemet = 0;
    qsizetype dansGuillemets = -1;
    qsizetype ferme = -1;
    for (; k < fin; ++k) {
        const char o = t[k];
        if (!Marques_De_Balise[static_cast<unsigned char>(o)])
            continue;
        if (o == '<')
            break;
        if (guillemet) {
            if (o == guillemet)
                guillemet = 0;
            else if (o == '>' && dansGuillemets < 0)
                dansGuillemets = k;
        } else if (o == '"' || o == '\'') {
            guillemet = o;
        } else if (o == '>') {
            ferme = k;
            break;
        }
    }
    if (ferme < 0 && dansGuillemets >= 0)
        ferme = dansGuillemets;
    else if (ferme < 0 && k < fin)
        return Texte(t, i, fin);
    // Cut by the end of the file, it goes as far as the file.
    const qsizetype finBalise = ferme >= 0 ? ferme + 1 : fin;

    const qsizetype debutAttributs = debutNom + nom.size();
    qsizetype finAttributs = ferme >= 0 ? ferme : fin;
    Genre genre = fermante ? Genre::Fermante : Genre::Ouvrante;
    if (!fermante && ferme >= 0 && t[ferme - 1] == '/' && ferme - 1 >= debutAttributs) {
        genre = Genre::Vide;
        --finAttributs;
    }
    return {genre,    i, finBalise, nom, t.sliced(debutAttributs, finAttributs - debutAttributs),
            ferme < 0};
}

QByteArrayView Attribut(QByteArrayView attributs, QByteArrayView nom) {
    QByteArrayView trouve;
    bool vu = false;
    Pour_Chaque_Attribut(attributs, [&](QByteArrayView n, QByteArrayView valeur) {
        if (!vu && n == nom) {
            trouve = valeur;
            vu = true;
        }
    });
    return trouve;
}

QByteArray Contenu(QByteArrayView interieur) {
    if (!interieur.contains("<!") && !interieur.contains("<?"))
        return interieur.toByteArray();
    QByteArray texte;
    for (qsizetype i = 0; i < interieur.size();) {
        const Balise b = Lire(interieur, i, interieur.size());
        if (b.genre == Genre::Cdata) {
            const qsizetype fin =
                interieur.sliced(b.debut, b.fin - b.debut).endsWith("]]>") ? b.fin - 3 : b.fin;
            QByteArray cdata = interieur.sliced(b.debut + 9, fin - b.debut - 9).toByteArray();
            texte += cdata.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;");
        } else if (b.genre != Genre::Commentaire && b.genre != Genre::Instruction) {
            texte += interieur.sliced(b.debut, b.fin - b.debut);
        }
        i = b.fin;
    }
    return texte;
}

bool Attributs_Valides(QByteArrayView a) {
    qsizetype i = 0;
    const qsizetype n = a.size();
    for (;;) {
        const qsizetype avant = i;
        while (i < n && Blanc(a[i]))
            ++i;
        if (i >= n)
            return true;
        if (i == avant && avant > 0)
            return false; // two attributes with no blank between them
        const qsizetype nom = i;
        while (i < n && !Fin_De_Nom(a[i]))
            ++i;
        if (i == nom)
            return false;
        while (i < n && Blanc(a[i]))
            ++i;
        if (i >= n || a[i] != '=')
            return false;
        ++i;
        while (i < n && Blanc(a[i]))
            ++i;
        if (i >= n || (a[i] != '"' && a[i] != '\''))
            return false;
        const qsizetype fin = a.indexOf(a[i], i + 1);
        if (fin < 0 || a.sliced(i + 1, fin - i - 1).contains('<'))
            return false;
        i = fin + 1;
    }
}

qsizetype Fin_Bien_Formee(QByteArrayView t, qsizetype debut, qsizetype fin, bool premiere) {
    QVarLengthArray<QByteArrayView, 16> ouverts;
    qsizetype entier = debut; // the end of the last whole part
    for (qsizetype k = debut; k < fin;) {
        const Balise b = Lire(t, k, fin);
        const bool fautive =
            b.coupee || (b.genre == Genre::Texte && t[k] == '<') ||
            ((b.genre == Genre::Ouvrante || b.genre == Genre::Vide) &&
             !Attributs_Valides(b.attributs)) ||
            (b.genre == Genre::Fermante &&
             (ouverts.isEmpty() || ouverts.last() != b.nom || !Attributs_Valides(b.attributs)));
        if (fautive)
            return entier;
        if (b.genre == Genre::Ouvrante)
            ouverts.append(b.nom);
        else if (b.genre == Genre::Fermante)
            ouverts.removeLast();
        k = b.fin;
        if (ouverts.isEmpty()) {
            entier = k;
            if (premiere)
                break;
        }
    }
    return entier;
}

QByteArrayView Racine(QByteArrayView t, Balise* balise) {
    qsizetype i = t.startsWith("\xef\xbb\xbf") ? 3 : 0;
    while (i < t.size()) {
        if (Blanc(t[i])) {
            ++i;
            continue;
        }
        const Balise b = Lire(t, i, t.size());
        if (b.genre == Genre::Ouvrante || b.genre == Genre::Vide) {
            if (balise)
                *balise = b;
            return b.nom;
        }
        if (b.genre != Genre::Commentaire && b.genre != Genre::Instruction)
            return {};
        i = b.fin;
    }
    return {};
}

} // namespace Balises
