// Re-pointing the file links of an opened file, into a folder taken from the input (the
// bytes before the first NUL, when there is one): line for line, CR LF after each line, the
// lines without a file link unchanged, and the links settle after at most two openings.

#include "Magasin.h"
#include "gpx/Corriger_Liens.h"
#include "gpx/Lignes.h"

namespace {

QList<QByteArrayView> Lignes_De(QByteArrayView texte) {
    QList<QByteArrayView> lignes;
    Fichiers::Lignes l(texte);
    QByteArrayView ligne;
    while (l.Suivante(ligne))
        lignes << ligne;
    return lignes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArrayView contenu(data, qsizetype(size));
    QString dossier = u"/home/anne/Bord/"_qs;
    if (const qsizetype nul = contenu.indexOf('\0'); nul >= 0) {
        dossier = u'/' + QString::fromUtf8(contenu.first(nul)) + u'/';
        contenu = contenu.sliced(nul + 1);
    }
    const QByteArray corrige = Fichiers::Corriger_Liens_Fichier(contenu, dossier);

    const QList<QByteArrayView> avant = Lignes_De(contenu);
    const QList<QByteArrayView> apres = Lignes_De(corrige);
    if (avant.size() != apres.size())
        Echec("the number of lines changed");
    QByteArray refait;
    for (qsizetype i = 0; i < apres.size(); ++i) {
        refait += apres[i].toByteArray() + "\r\n";
        if (!avant[i].contains("file://") && avant[i] != apres[i])
            Echec("a line without a file link changed");
    }
    if (refait != corrige)
        Echec("a line does not end with CR LF");
    // A target mixing both separators keeps what follows its last backslash, "/" included:
    // the second opening takes the name after that "/". From then on nothing may move.
    const QByteArray deuxieme = Fichiers::Corriger_Liens_Fichier(corrige, dossier);
    bool repointe = true;
    if (Fichiers::Corriger_Liens_Fichier(deuxieme, dossier, &repointe) != deuxieme)
        Echec("the links move at every opening");
    if (repointe)
        Echec("links already in the folder are told re-pointed");
    return 0;
}
