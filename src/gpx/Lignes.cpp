#include "Lignes.h"

#include <cstring>

namespace Fichiers {

qsizetype Chercher(QByteArrayView texte, QByteArrayView motif, qsizetype depuis) {
    if (depuis < 0 || depuis > texte.size())
        return -1;
    // An empty view may have no data at all, which memmem must never be given.
    if (motif.isEmpty())
        return depuis;
    if (texte.size() - depuis < motif.size())
        return -1;
#if defined(__GLIBC__)
    const void* trouve = memmem(texte.data() + depuis, size_t(texte.size() - depuis), motif.data(),
                                size_t(motif.size()));
    return trouve ? static_cast<const char*>(trouve) - texte.data() : -1;
#else
    return texte.indexOf(motif, depuis);
#endif
}

qsizetype Lignes::Prochain(char octet, qsizetype& memoire) const {
    if (memoire < position_) {
        memoire = texte_.indexOf(octet, position_);
        if (memoire < 0)
            memoire = texte_.size();
    }
    return memoire;
}

bool Lignes::Suivante(QByteArrayView& ligne) {
    if (position_ >= texte_.size())
        return false;
    const qsizetype fin = qMin(Prochain('\r', cr_), Prochain('\n', lf_));
    ligne = texte_.sliced(position_, fin - position_);
    position_ = fin + 1;
    if (fin < texte_.size() && texte_[fin] == '\r' && position_ < texte_.size() &&
        texte_[position_] == '\n')
        ++position_;
    return true;
}

qsizetype Lignes::Debut_De_Ligne(qsizetype indice) const {
    qsizetype i = indice;
    while (i > 0 && texte_[i - 1] != '\n' && texte_[i - 1] != '\r')
        --i;
    return i;
}

} // namespace Fichiers
