#include "Corriger_Liens.h"

#include "Lignes.h"

namespace Fichiers {

namespace {

constexpr QByteArrayView Prefixe = "file://";

QByteArray Dossier_Echappe(const QString& dossier) {
    QByteArray octets = dossier.toUtf8();
    octets.replace('&', "&amp;").replace('<', "&lt;").replace('"', "&quot;");
    return octets;
}

qsizetype Fin_De_Cible(QByteArrayView ligne, qsizetype debut) {
    for (qsizetype i = debut; i < ligne.size(); ++i)
        if (ligne[i] == '"' || ligne[i] == '\'' || ligne[i] == '<')
            return i;
    return ligne.size();
}

void Corriger_Ligne(QByteArrayView ligne, qsizetype premier, const QByteArray& dossier,
                    QByteArray& sortie) {
    qsizetype copie = 0;
    for (qsizetype p = premier; p >= 0; p = ligne.indexOf(Prefixe, p)) {
        const qsizetype debut = p + Prefixe.size();
        const qsizetype fin = Fin_De_Cible(ligne, debut);
        const QByteArrayView cible = ligne.sliced(debut, fin - debut);
        qsizetype coupe = cible.lastIndexOf('\\');
        if (coupe < 0)
            coupe = cible.lastIndexOf('/');
        sortie.append(ligne.sliced(copie, debut - copie));
        sortie.append(dossier);
        sortie.append(cible.sliced(coupe + 1));
        copie = p = fin;
    }
    sortie.append(ligne.sliced(copie));
}

} // namespace

QByteArray Corriger_Liens_Fichier(QByteArrayView contenu, const QString& dossier) {
    const QByteArray dossierEchappe = Dossier_Echappe(dossier);
    QByteArray sortie;
    sortie.reserve(contenu.size() + contenu.size() / 16 + 2);
    Lignes lignes(contenu);
    QByteArrayView ligne;
    // The next "file://" of the whole text, searched once, not once per line.
    qsizetype prochain = contenu.indexOf(Prefixe);
    while (true) {
        const qsizetype debut = lignes.Position();
        if (!lignes.Suivante(ligne))
            break;
        const qsizetype fin = debut + ligne.size();
        if (prochain >= 0 && prochain < fin) {
            Corriger_Ligne(ligne, prochain - debut, dossierEchappe, sortie);
            prochain = contenu.indexOf(Prefixe, lignes.Position());
        } else {
            sortie.append(ligne);
        }
        sortie.append("\r\n");
    }
    return sortie;
}

} // namespace Fichiers
