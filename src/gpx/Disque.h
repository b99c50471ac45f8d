#pragma once

// Whole-file reads and writes. A file is read or written in full, then closed.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace Disque {

// The file's bytes; nothing when it cannot be read (missing, a folder, unreadable).
std::optional<QByteArray> Lire_Tout(const QString& chemin);

// Writes a new file beside `chemin` and renames it over it once complete and flushed to the
// disk: a failure or a crash leaves the previous file whole.
bool Ecrire_Atomique(const QString& chemin, QByteArrayView octets);

// Gives the file `source` the second name `cible` (a hard link: no byte copied); false
// where the file system has no such links.
bool Lier(const QString& source, const QString& cible);

// Replaces `cible` by a copy of `source`, made by the system and flushed to the disk beside
// `cible`, then renamed over it: a failure leaves `cible` as it was.
bool Remplacer_Par_Copie(const QString& source, const QString& cible);

// Replaces the content of `chemin` in place (for a scratch copy that needs no such care).
bool Ecrire(const QString& chemin, QByteArrayView octets);

} // namespace Disque
