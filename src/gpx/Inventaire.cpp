#include "Inventaire.h"

#include "core/Declarations.h"

#include <QStringList>
#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Fichiers {

namespace {

// `nom` stands at `i`, followed by the end of its name.
bool Element(QByteArrayView texte, qsizetype i, QByteArrayView nom) {
    if (i + nom.size() > texte.size() || std::memcmp(texte.data() + i, nom.data(), nom.size()))
        return false;
    const qsizetype apres = i + nom.size();
    if (apres == texte.size())
        return true;
    const char o = texte[apres];
    return o == ' ' || o == '\t' || o == '\r' || o == '\n' || o == '>' || o == '/';
}

// Calls `balise` with the position of every "<". A long track has hundreds of thousands of
// tags: sixteen bytes are looked at in one step where the processor can, instead of one call
// to the C library per tag.
template <typename F> void Pour_Chaque_Chevron(QByteArrayView texte, F&& balise) {
    const char* debut = texte.data();
    const char* fin = debut + texte.size();
    const char* p = debut;
#if defined(__SSE2__)
    const __m128i chevron = _mm_set1_epi8('<');
    for (; fin - p >= 16; p += 16) {
        const __m128i bloc = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        for (auto masque = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bloc, chevron))); masque;
             masque &= masque - 1)
            balise(p - debut + std::countr_zero(masque));
    }
#endif
    while (p < fin && (p = static_cast<const char*>(std::memchr(p, '<', size_t(fin - p))))) {
        balise(p - debut);
        ++p;
    }
}

QString Nombre(int n, const char* singulier, const char* pluriel) {
    return QString::number(n) + u' ' + QString::fromUtf8(n > 1 ? pluriel : singulier);
}

} // namespace

Inventaire Inventorier(QByteArrayView contenu) {
    Inventaire inventaire;
    bool dedans = false;
    int liens = 0;
    const auto Fermer_Point = [&] {
        if (dedans && liens > Declarations::Liens_Max)
            ++inventaire.points_trop_liens;
        dedans = false;
    };
    const auto Balise = [&](qsizetype chevron) {
        const qsizetype i = chevron + 1;
        if (i >= contenu.size())
            return;
        switch (contenu[i]) { // the first letter sorts the tags out
        case 'w':
            if (Element(contenu, i, "wpt")) {
                Fermer_Point();
                ++inventaire.points;
                dedans = true;
                liens = 0;
            }
            break;
        case '/':
            if (Element(contenu, i, "/wpt"))
                Fermer_Point();
            break;
        case 'l':
            if (dedans && Element(contenu, i, "link"))
                ++liens;
            break;
        case 'r':
            if (Element(contenu, i, "rte"))
                ++inventaire.routes;
            break;
        case 't':
            if (Element(contenu, i, "trk"))
                ++inventaire.traces;
            break;
        }
    };
    Pour_Chaque_Chevron(contenu, Balise);
    Fermer_Point();
    return inventaire;
}

QString Avertissement(const Inventaire& inventaire, int listes, const QString& nomCourt,
                      const QString& sauvegarde) {
    const Inventaire& i = inventaire;
    if (i.points <= listes && i.routes == 0 && i.traces == 0 && i.points_trop_liens == 0)
        return QString();

    QStringList contenu{Nombre(i.points, "point de passage", "points de passage")};
    if (i.routes > 0)
        contenu << Nombre(i.routes, "route", "routes");
    if (i.traces > 0)
        contenu << Nombre(i.traces, "trace", "traces");
    const QString derniere = contenu.takeLast();
    QString texte = QStringLiteral("Le fichier « %1 » contient %2 : ")
                        .arg(nomCourt, contenu.isEmpty() ? derniere
                                                         : contenu.join(QStringLiteral(", ")) +
                                                               QStringLiteral(" et ") + derniere);
    if (listes == 0)
        texte += QStringLiteral("aucun point n'est listé");
    else if (listes < i.points)
        texte += listes == 1 ? QStringLiteral("le premier point est listé")
                             : QStringLiteral("les %1 premiers points sont listés").arg(listes);
    else
        texte += listes == 1 ? QStringLiteral("le point est listé")
                             : QStringLiteral("les %1 points sont listés").arg(listes);
    if (i.points_trop_liens == 1)
        texte += QStringLiteral(" ; un point a plus de cinq liens, les cinq premiers sont "
                                "affichés");
    else if (i.points_trop_liens > 1)
        texte += QStringLiteral(" ; %1 points ont plus de cinq liens, les cinq premiers de "
                                "chacun sont affichés")
                     .arg(i.points_trop_liens);
    texte += QStringLiteral(" ; le reste est gardé tel quel à l'enregistrement.\n\nLe fichier "
                            "tel qu'il a été ouvert est gardé dans la sauvegarde « %1 ».")
                 .arg(sauvegarde);
    return texte;
}

} // namespace Fichiers
