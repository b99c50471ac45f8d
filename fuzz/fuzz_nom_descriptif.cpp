// The names of description files: a name that is accepted always gives a plain file of the
// GPX file's folder, whatever its characters (taken as UTF-16, lone surrogates included).

#include "links/Nom_Descriptif.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Echec(const char* raison) {
    std::fprintf(stderr, "fuzz: %s\n", raison);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QString nom(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(nom.data(), data, size / 2 * 2);
    const QString dossier = u"/home/anne/Bord/"_qs;
    const std::optional<QString> chemin = Nom_Descriptif::Chemin(dossier, nom);
    if (chemin.has_value() != Nom_Descriptif::Nom_Sur(nom))
        Echec("Chemin and Nom_Sur disagree");
    if (!chemin)
        return 0;
    if (*chemin != dossier + nom + u".txt"_qs)
        Echec("the path is not the folder, the name and .txt");
    const QByteArray octets = QFile::encodeName(nom);
    // The bytes the file system sees.
    if (octets == "." || octets == ".." || octets.contains('/') || octets.contains('\\') ||
        octets.contains('\0') || octets.contains('\n') || octets.contains('\r'))
        Echec("a name that is not a plain file name is accepted");
    if (QFileInfo(QDir::cleanPath(*chemin)).absolutePath() + u'/' != dossier)
        Echec("the file is outside the folder");
    if (QFile::encodeName(nom + u".txt"_qs).size() > 255 - 7)
        Echec("the name is too long for the file system");
    return 0;
}
