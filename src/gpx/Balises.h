#pragma once

// The markup of a GPX file, read as XML reads it but without giving up on a file that is not
// well-formed: a tag cut by the end of the file is still a tag, a "<" that starts no tag is
// text, and an attribute value whose quote never closes has no value.

#include <QByteArray>
#include <QByteArrayView>

namespace Balises {

enum class Genre { Texte, Ouvrante, Vide, Fermante, Commentaire, Cdata, Instruction };

struct Balise {
    Genre genre = Genre::Texte;
    qsizetype debut = 0;      // its first byte
    qsizetype fin = 0;        // just after its last byte
    QByteArrayView nom;       // of an element's tag
    QByteArrayView attributs; // of a start tag: what stands between its name and ">" or "/>"
    bool coupee = false;      // cut by the end of the file before its own end
};

// The tag, comment, CDATA section, instruction or run of text that starts at `i`, within the
// first `fin` bytes of `texte`.
Balise Lire(QByteArrayView texte, qsizetype i, qsizetype fin);

// The value of the attribute `nom`, as written (its references kept); empty when it is missing.
QByteArrayView Attribut(QByteArrayView attributs, QByteArrayView nom);

// Calls `f(nom, valeur)` for every attribute that has a quoted value.
template <typename F> void Pour_Chaque_Attribut(QByteArrayView attributs, F&& f);

// The text of an element's content as written: CDATA sections become escaped text, comments
// and instructions go.
QByteArray Contenu(QByteArrayView interieur);

// The end of the well-formed part of [debut, fin): of the last whole element or other markup
// after which every "<" starts a tag, comment, CDATA section or instruction that ends there,
// each start tag with its end tag and its attributes written as XML writes them. `fin` when
// all of it is. With `premiere`, the end of the first whole part.
qsizetype Fin_Bien_Formee(QByteArrayView texte, qsizetype debut, qsizetype fin,
                          bool premiere = false);

// The name of the root element; empty when the bytes hold none.
QByteArrayView Racine(QByteArrayView texte, Balise* balise = nullptr);

namespace Detail {
inline bool Blanc(char o) {
    return o == ' ' || o == '\t' || o == '\r' || o == '\n';
}
} // namespace Detail

template <typename F> void Pour_Chaque_Attribut(QByteArrayView a, F&& f) {
    using Detail::Blanc;
    qsizetype i = 0;
    const qsizetype n = a.size();
    while (i < n) {
        while (i < n && (Blanc(a[i]) || a[i] == '/'))
            ++i;
        const qsizetype debutNom = i;
        while (i < n && !Blanc(a[i]) && a[i] != '=' && a[i] != '/')
            ++i;
        const QByteArrayView nom = a.sliced(debutNom, i - debutNom);
        while (i < n && Blanc(a[i]))
            ++i;
        if (i >= n || a[i] != '=') {
            if (nom.isEmpty())
                ++i; // a stray character: step over it
            continue;
        }
        ++i;
        while (i < n && Blanc(a[i]))
            ++i;
        if (i >= n || (a[i] != '"' && a[i] != '\''))
            continue;
        const char guillemet = a[i++];
        const qsizetype fin = a.indexOf(guillemet, i);
        if (fin < 0)
            return; // the value runs to the end: no value, and nothing after it
        f(nom, a.sliced(i, fin - i));
        i = fin + 1;
    }
}

} // namespace Balises
