// Re-pointing the file links of an opened file, into a folder taken from the input (the
// bytes before the first NUL, when there is one): line for line, CR LF after each line, the
// lines without a file link unchanged, and the links settle after at most two openings.

#include "Commun.h"
#include "gpx/Corriger_Liens.h"
#include "gpx/Lignes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArrayView contenu(data, qsizetype(size));
    const qsizetype nul = contenu.indexOf('\0');
    const QString dossier =
        nul < 0 ? u"/home/anne/Bord/"_qs : u'/' + QString::fromUtf8(contenu.first(nul)) + u'/';
    contenu = contenu.sliced(nul + 1);
    const QByteArray corrige = Fichiers::Corriger_Liens_Fichier(contenu, dossier);
    Fichiers::Lignes avant(contenu), apres(corrige);
    QByteArrayView a, b;
    while (apres.Suivante(b)) {
        Exiger(avant.Suivante(a) && (a.contains("file://") || a == b),
               "a line was added, or changed without a file link");
        Exiger(QByteArrayView(b.cend(), corrige.cend()).startsWith("\r\n"), "a line lacks CR LF");
    }
    Exiger(!avant.Suivante(a), "a line was lost");
    // A target mixing both separators keeps what follows its last backslash, "/" included:
    // the second opening takes the name after that "/". From then on nothing may move.
    const QByteArray deuxieme = Fichiers::Corriger_Liens_Fichier(corrige, dossier);
    bool repointe = true;
    Exiger(Fichiers::Corriger_Liens_Fichier(deuxieme, dossier, &repointe) == deuxieme && !repointe,
           "the links move, or are told re-pointed, at a third opening");
    return 0;
}
