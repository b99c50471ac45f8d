#pragma once

// Whole-file reads and writes. A file is read or written in full, then closed. Nothing here
// writes through a symbolic link it did not resolve on purpose, blocks on a pipe, or leaves a
// file readable by more people than the file it stands for.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace Disque {

// What tells one version of a file from another: any write changes at least one of these.
struct Identite {
    quint64 appareil = 0, inode = 0;
    qint64 taille = 0, modifie_ns = 0;
    friend bool operator==(const Identite&, const Identite&) = default;
};

// What makes a file its owner's: given to the files written in its place or from it.
struct Proprietes {
    bool connues = false; // false: a new file, with the system's defaults
    mode_t mode = 0;
    uid_t proprietaire = 0;
    gid_t groupe = 0;
    std::vector<std::pair<QByteArray, QByteArray>> attributs; // extended attributes, ACLs too
};

// errno of a file that is not a regular one (folder, pipe, device).
inline constexpr int Pas_Ordinaire = -1;

struct Lecture {
    std::optional<QByteArray> octets; // nothing when the file could not be read
    int erreur = 0;                   // errno, or Pas_Ordinaire
    Identite identite;
    Proprietes proprietes;
};

// A regular file's bytes, read without ever waiting on a pipe or a device.
Lecture Lire(const QString& chemin);
// The same, bytes only.
std::optional<QByteArray> Lire_Tout(const QString& chemin);

// The file named (a symbolic link followed) as it stands now; nothing when there is none.
std::optional<Identite> Identite_De(const QString& chemin);

// The final file a chain of symbolic links leads to (the name itself when it is none).
QString Cible_Finale(const QString& chemin);

// True when the user may write the file itself (not only the folder it stands in).
bool Modifiable(const QString& chemin);

// A file written in full under the program's own temporary name beside `cible`, flushed to
// the disk, then put in place by Poser(); removed if it never is. It takes `proprietes`
// (owner, group, mode, attributes), and is readable by no one else while it is written.
// Leftovers of the same target from a stopped program are removed first.
class Fichier_Neuf {
  public:
    // `durable`: flushed to the disk before it may be put in place; a scratch copy needs not.
    Fichier_Neuf(const QString& cible, QByteArrayView octets, const Proprietes& proprietes,
                 bool durable = true);
    ~Fichier_Neuf();
    Fichier_Neuf(const Fichier_Neuf&) = delete;
    Fichier_Neuf& operator=(const Fichier_Neuf&) = delete;

    int Erreur() const { return erreur_; } // errno of the writing, 0 when done
    // Renames it over `cible`, replacing whatever stands there (a link itself, never its
    // target); errno, 0 when done.
    int Poser();
    Identite Identite_Ecrite() const { return identite_; }

  private:
    QByteArray cible_, temporaire_;
    int erreur_ = 0;
    bool pose_ = false;
    Identite identite_;
};

// The user's document: a symbolic link is followed to its target, which is replaced
// atomically in its own folder (the link stays a link) and keeps its mode, group and
// attributes. A file the user may not write is refused. False with errno set on failure.
bool Ecrire_Atomique(const QString& chemin, QByteArrayView octets);

// A file of the program's own (working copy, description): replaced atomically, whatever
// stands at the name, link included; an existing regular file keeps its properties and is
// refused when the user may not write it. errno, 0 when done.
int Remplacer(const QString& chemin, QByteArrayView octets);

} // namespace Disque
