#pragma once

// Walks the lines of a file's bytes: a line ends at CR, LF or the pair CR LF, and is given
// without its end. The next CR and LF are searched once and remembered, so a long file is
// split in one fast pass.

#include <QByteArrayView>

namespace Fichiers {

// Position of `motif` in `texte` from `depuis`, or -1; the C library's search where it has
// one, several times faster than QByteArrayView::indexOf on files of many megabytes.
qsizetype Chercher(QByteArrayView texte, QByteArrayView motif, qsizetype depuis = 0);

class Lignes {
  public:
    explicit Lignes(QByteArrayView texte) : texte_(texte) {}

    // The next line; false when the text is used up.
    bool Suivante(QByteArrayView& ligne);
    // Start of the line that Suivante gives next.
    qsizetype Position() const { return position_; }
    // Goes on from `debut`, which must be the start of a line at or after Position().
    void Aller_A(qsizetype debut) { position_ = debut; }
    // Start of the line that holds the byte at `indice`.
    qsizetype Debut_De_Ligne(qsizetype indice) const;

  private:
    qsizetype Prochain(char octet, qsizetype& memoire) const;

    QByteArrayView texte_;
    qsizetype position_ = 0;
    qsizetype cr_ = -1; // next CR at or after the position, when not below it
    qsizetype lf_ = -1;
};

} // namespace Fichiers
