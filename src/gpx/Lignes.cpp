#include "Lignes.h"

#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Fichiers {

qsizetype Chercher(QByteArrayView texte, QByteArrayView motif, qsizetype depuis) {
    if (depuis < 0 || depuis > texte.size())
        return -1;
    // An empty view may have no data at all, which memmem must never be given.
    if (motif.isEmpty())
        return depuis;
    if (texte.size() - depuis < motif.size())
        return -1;
#if defined(__SSE2__)
    // Sixteen places tried at once on the first two bytes of the pattern: a long track holds
    // few of them, so it is run through several times faster than the C library does.
    if (motif.size() >= 2) {
        const char* octets = texte.data();
        const qsizetype n = texte.size();
        const __m128i premier = _mm_set1_epi8(motif[0]);
        const __m128i second = _mm_set1_epi8(motif[1]);
        for (; depuis + 17 <= n; depuis += 16) {
            const auto* p = reinterpret_cast<const __m128i*>(octets + depuis);
            const __m128i a = _mm_cmpeq_epi8(_mm_loadu_si128(p), premier);
            const __m128i b = _mm_cmpeq_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(octets + depuis + 1)), second);
            for (auto masque = unsigned(_mm_movemask_epi8(_mm_and_si128(a, b))); masque;
                 masque &= masque - 1) {
                const qsizetype i = depuis + std::countr_zero(masque);
                if (n - i >= motif.size() &&
                    std::memcmp(octets + i, motif.data(), size_t(motif.size())) == 0)
                    return i;
            }
        }
        if (n - depuis < motif.size())
            return -1;
    }
#endif
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
