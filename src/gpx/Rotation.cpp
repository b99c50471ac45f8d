#include "Rotation.h"

#include "Restes.h"

#include <QFile>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace Fichiers {

namespace {

// A backup, or a link in its place (moved as a link); a folder there is in the way and stays.
bool Existe(const QByteArray& nom) {
    struct stat s {};
    return ::lstat(nom.constData(), &s) == 0 && !S_ISDIR(s.st_mode);
}

} // namespace

// A missing backup leaves its place as it was; a move that fails is skipped.
Rotation::Rotation(const Chemins& chemins) {
    for (int n = 1; n < Nb_Sauvegardes; ++n) {
        const QByteArray suivante = QFile::encodeName(Chemin_Sauvegarde(chemins, n + 1));
        const QByteArray place = QFile::encodeName(Chemin_Sauvegarde(chemins, n));
        if (!Existe(suivante))
            continue;
        if (Existe(place) && garde_.isEmpty()) {
            const QByteArray garde = QFile::encodeName(
                Restes::Nom_Temporaire(Chemin_Sauvegarde(chemins, Nb_Sauvegardes)));
            if (std::rename(place.constData(), garde.constData()) == 0)
                garde_ = garde, place_ = place;
        }
        if (std::rename(suivante.constData(), place.constData()) == 0)
            faits_.emplace_back(suivante, place);
    }
}

Rotation::~Rotation() {
    if (!garde_.isEmpty())
        ::unlink(garde_.constData());
}

void Rotation::Annuler() {
    for (auto it = faits_.crbegin(); it != faits_.crend(); ++it)
        std::rename(it->second.constData(), it->first.constData());
    faits_.clear();
    if (!garde_.isEmpty() && std::rename(garde_.constData(), place_.constData()) == 0)
        garde_.clear();
}

} // namespace Fichiers
