#include "Corriger_Liens.h"

#include "Lignes.h"
#include "links/Lien_Fichier.h"

#include <QDir>
#include <cstring>

namespace Fichiers {

namespace {

// Appends into a buffer sized once for the whole file: one call per line of a file of
// millions of lines must cost no more than a copy.
class Sortie {
  public:
    explicit Sortie(qsizetype taille) : octets_(taille, Qt::Uninitialized) {}
    void Ajouter(QByteArrayView v) {
        if (taille_ + v.size() > octets_.size())
            octets_.resize(qMax(octets_.size() * 3 / 2, taille_ + v.size()));
        std::memcpy(octets_.data() + taille_, v.data(), size_t(v.size()));
        taille_ += v.size();
    }
    QByteArray Prendre() {
        octets_.truncate(taille_);
        return std::move(octets_);
    }

  private:
    QByteArray octets_;
    qsizetype taille_ = 0;
};

// Whatever would end the target or its line at the next opening is written as a reference:
// quotes, line ends, and a backslash where it is no folder separator (the file name is taken
// after the last one).
QByteArray Dossier_Echappe(const QString& dossier) {
    QByteArray octets = dossier.toUtf8();
    octets.replace('&', "&amp;").replace('<', "&lt;").replace('"', "&quot;");
    octets.replace('\'', "&apos;").replace('\r', "&#13;").replace('\n', "&#10;");
    if (QDir::separator() != u'\\')
        octets.replace('\\', "&#92;");
    return octets;
}

// A target in quotes runs to its closing quote (the other quote is a character of the path);
// elsewhere to the first quote of either kind.
qsizetype Fin_De_Cible(QByteArrayView ligne, qsizetype debut) {
    const char avant = debut > Lien_Fichier::Prefixe.size()
                           ? ligne[debut - Lien_Fichier::Prefixe.size() - 1]
                           : '\0';
    const bool entreGuillemets = avant == '"' || avant == '\'';
    for (qsizetype i = debut; i < ligne.size(); ++i) {
        const char o = ligne[i];
        if (o == '<' || (entreGuillemets ? o == avant : (o == '"' || o == '\'')))
            return i;
    }
    return ligne.size();
}

void Corriger_Ligne(QByteArrayView ligne, qsizetype premier, QByteArrayView dossier, Sortie& sortie,
                    bool& repointe) {
    qsizetype copie = 0;
    for (qsizetype p = premier; p >= 0; p = Chercher(ligne, Lien_Fichier::Prefixe, p)) {
        const qsizetype debut = p + Lien_Fichier::Prefixe.size();
        const qsizetype fin = Fin_De_Cible(ligne, debut);
        const QByteArrayView cible = ligne.sliced(debut, fin - debut);
        qsizetype coupe = cible.lastIndexOf('\\');
        if (coupe < 0)
            coupe = cible.lastIndexOf('/');
        sortie.Ajouter(ligne.sliced(copie, debut - copie));
        sortie.Ajouter(dossier);
        sortie.Ajouter(cible.sliced(coupe + 1));
        // Unchanged when it already named the folder, its file name right after.
        if (coupe + 1 != dossier.size() || !cible.startsWith(dossier))
            repointe = true;
        copie = p = fin;
    }
    sortie.Ajouter(ligne.sliced(copie));
}

} // namespace

QByteArray Corriger_Liens_Fichier(QByteArrayView contenu, const QString& dossier, bool* repointe) {
    bool change = false;
    const QByteArray dossierEchappe = Dossier_Echappe(dossier);
    Sortie sortie(contenu.size() + contenu.size() / 16 + 2);
    Lignes lignes(contenu);
    QByteArrayView ligne;
    // The next "file://" of the whole text, searched once, not once per line.
    qsizetype prochain = Chercher(contenu, Lien_Fichier::Prefixe);
    while (true) {
        const qsizetype debut = lignes.Position();
        if (!lignes.Suivante(ligne))
            break;
        if (prochain >= 0 && prochain < debut + ligne.size()) {
            Corriger_Ligne(ligne, prochain - debut, dossierEchappe, sortie, change);
            prochain = Chercher(contenu, Lien_Fichier::Prefixe, lignes.Position());
        } else {
            sortie.Ajouter(ligne);
        }
        sortie.Ajouter("\r\n");
    }
    if (repointe)
        *repointe = change;
    return sortie.Prendre();
}

} // namespace Fichiers
