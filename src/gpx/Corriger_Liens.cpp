#include "Corriger_Liens.h"

#include "Lecture_GPX.h"
#include "links/Lien_Fichier.h"

#include <QDir>
#include <cstring>

namespace Fichiers {

QByteArray Dossier_Echappe(const QString& dossier) {
    QByteArray octets = dossier.toUtf8();
    octets.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;").replace('"', "&quot;");
    octets.replace('\'', "&apos;").replace('\r', "&#13;").replace('\n', "&#10;");
    if (QDir::separator() != u'\\')
        octets.replace('\\', "&#92;");
    return octets;
}

QByteArray Cible_Repointee(QByteArrayView href, QByteArrayView dossier) {
    if (!href.startsWith(Lien_Fichier::Prefixe))
        return {};
    const QByteArrayView cible = href.sliced(Lien_Fichier::Prefixe.size());
    // After the last separator of either kind: a target mixing them settles at once.
    const qsizetype coupe = qMax(cible.lastIndexOf('\\'), cible.lastIndexOf('/'));
    // Unchanged when it already named the folder, its file name right after.
    if (coupe + 1 == dossier.size() && cible.startsWith(dossier))
        return {};
    return Lien_Fichier::Prefixe.toByteArray().append(dossier).append(cible.sliced(coupe + 1));
}

QByteArray Remplacer_Cibles(QByteArrayView contenu, const QList<Cible>& cibles) {
    qsizetype taille = contenu.size();
    for (const Cible& c : cibles)
        taille += c.valeur.size() - (c.fin - c.debut);
    QByteArray sortie(taille, Qt::Uninitialized);
    char* p = sortie.data();
    const auto Copier = [&p](QByteArrayView v) {
        if (!v.isEmpty())
            std::memcpy(p, v.data(), size_t(v.size()));
        p += v.size();
    };
    qsizetype copie = 0;
    for (const Cible& c : cibles) {
        Copier(contenu.sliced(copie, c.debut - copie));
        Copier(c.valeur);
        copie = c.fin;
    }
    Copier(contenu.sliced(copie));
    return sortie;
}

QByteArray Corriger_Liens_Fichier(QByteArrayView contenu, const QString& dossier, bool* repointe) {
    Declarations::Declarations lu;
    const Lecture lecture =
        Lire_Fichier(lu, QByteArray::fromRawData(contenu.data(), contenu.size()), &dossier);
    if (repointe)
        *repointe = !lecture.cibles.isEmpty();
    return Remplacer_Cibles(lecture.Texte(contenu), lecture.cibles);
}

} // namespace Fichiers
