// Re-pointing the file links of an opened file, into a folder taken from the input (the
// bytes before the first NUL, when there is one): only link targets change, so a GPX document
// that XML reads is read the same way but for the "href" of links; the store read with the
// folder is the one of the bytes re-pointed (for a file in UTF-8); and the next opening
// changes nothing.

#include "Commun.h"
#include "gpx/Corriger_Liens.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/UTF8.h"

#include "../tests/support/Lecture_XML.h"

namespace {

// Every token as XML reads it, the "href" of links aside; empty when not well-formed.
QStringList Sans_Cibles(const QByteArray& octets) {
    QStringList jetons;
    QXmlStreamReader xml(octets);
    while (!xml.atEnd()) {
        xml.readNext();
        QString jeton = xml.tokenString() + xml.qualifiedName().toString() + xml.text().toString();
        for (const QXmlStreamAttribute& a : xml.attributes())
            if (xml.name() != u"link" || a.name() != u"href")
                jeton += u' ' + a.qualifiedName().toString() + u'=' + a.value().toString();
        jetons << jeton;
    }
    return xml.hasError() ? QStringList() : jetons;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArrayView contenu(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype nul = contenu.indexOf('\0');
    const QString dossier =
        nul < 0 ? u"/home/anne/Bord/"_qs : u'/' + QString::fromUtf8(contenu.first(nul)) + u'/';
    contenu = contenu.sliced(nul + 1);
    const QByteArray entree = QByteArray::fromRawData(contenu.data(), contenu.size());
    bool repointe = false;
    const QByteArray corrige = Fichiers::Corriger_Liens_Fichier(entree, dossier, &repointe);
    Exiger(repointe || corrige == entree || entree.startsWith("\xff\xfe") ||
               entree.startsWith("\xfe\xff"),
           "bytes changed with no target re-pointed");
    if (!Elements_XML(entree).isEmpty())
        Exiger(Sans_Cibles(corrige) == Sans_Cibles(entree), "more than link targets changed");

    Declarations::Declarations avec, apres;
    Fichiers::Lire_Fichier(avec, entree, &dossier);
    Lire(apres, corrige);
    // A file in UTF-8: a line mixing Windows-1252 bytes with the folder (UTF-8) is read
    // whole as Windows-1252.
    Exiger(!UTF8::Est_UTF8(entree) || Fichiers::Texte_GPX(avec) == Fichiers::Texte_GPX(apres),
           "the store read with the folder is not the one of the bytes re-pointed");
    Exiger(Fichiers::Corriger_Liens_Fichier(corrige, dossier, &repointe) == corrige && !repointe,
           "the links move, or are told re-pointed, at the next opening");
    return 0;
}
