#pragma once

// The markup of a GPX file, read as XML reads it but without giving up on a file that is not
// well-formed: a tag cut by the end of the file is still a tag, a "<" that starts no tag is
// text, and an attribute value whose quote never closes has no value.

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QVarLengthArray>

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

// name="value" or name='value', blanks around "=" and between them, nothing else: attributes
// as XML writes them.
bool Attributs_Valides(QByteArrayView attributs);

// The open elements, each an `Ouvert` with its tag's `nom`. An end tag that closes none of
// them is found out at once however deep they stand: past the first few, the names are
// counted, so a file of many unclosed tags is still read in one pass.
template <typename Ouvert> class Pile {
  public:
    bool isEmpty() const { return ouverts_.isEmpty(); }
    qsizetype size() const { return ouverts_.size(); }
    Ouvert& last() { return ouverts_.last(); }
    const Ouvert& operator[](qsizetype k) const { return ouverts_[k]; }
    void append(const Ouvert& o) {
        if (ouverts_.size() >= Proches)
            ++profonds_[o.nom];
        ouverts_.append(o);
    }
    Ouvert takeLast() {
        Ouvert o = ouverts_.last();
        ouverts_.removeLast();
        if (ouverts_.size() >= Proches && --profonds_[o.nom] == 0)
            profonds_.remove(o.nom);
        return o;
    }
    // The last open element named `nom`, or -1.
    qsizetype Trouver(QByteArrayView nom) const {
        qsizetype k = ouverts_.size() - 1;
        if (k >= Proches && !profonds_.contains(nom))
            k = Proches - 1;
        for (; k >= 0; --k)
            if (ouverts_[k].nom == nom)
                return k;
        return -1;
    }

  private:
    static constexpr qsizetype Proches = 16;
    QVarLengthArray<Ouvert, Proches> ouverts_;
    QHash<QByteArrayView, int> profonds_; // names of the elements beyond the first Proches
};

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
