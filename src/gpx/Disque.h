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

// The step of the work on files that failed; each has its own message (Messages_Fichier.h).
enum class Etape {
    Aucune,              // nothing failed
    Lecture,             // reading the file
    Pas_GPX,             // the file read is no GPX file
    Trop_Gros,           // the file is larger than this computer can hold while it is opened
    Lien_Sauvegardes,    // "tmp" is a link planted by someone else
    Dossier_Sauvegardes, // creating "tmp"
    Sauvegarde,          // writing backup 30
    Copie_Travail,       // writing the working copy
    Reecriture,          // rewriting the opened file with its links re-pointed
    Lien_Apparu,         // the name leads through a link that was not there at the opening
    Autre_Version,       // keeping another program's version before a save
    Enregistrement,      // saving the document
};

// Every failure of the file layer: what failed, why, and on which file.
struct Erreur {
    Etape etape = Etape::Aucune;
    int numero = 0; // errno, Pas_Ordinaire, or 0 when the step says it all
    QString chemin; // the file or folder of that step
    explicit operator bool() const { return etape != Etape::Aucune; }
};

// An open file, closed with its owner.
struct Descripteur {
    int fd = -1;
    Descripteur() = default;
    explicit Descripteur(int fd) : fd(fd) {}
    Descripteur(Descripteur&& autre) noexcept : fd(std::exchange(autre.fd, -1)) {}
    Descripteur& operator=(Descripteur&&) = delete;
    ~Descripteur();
};

struct Lecture {
    std::optional<QByteArray> octets; // nothing when the file could not be read
    Erreur erreur;                    // step Lecture
    Identite identite;
    Proprietes proprietes;
    Descripteur ouvert; // the file read, still open (for a copy by the kernel)
};

// From here on a file size limit set for the user makes a write fail with EFBIG, told like a
// full disk, instead of ending the process (SIGXFSZ) with the document's edits and a
// temporary file left behind.
void Limite_Taille_En_Erreur();

// A regular file's bytes, read without ever waiting on a pipe or a device.
Lecture Lire(const QString& chemin);

// The file named (a symbolic link followed) as it stands now; nothing when there is none.
std::optional<Identite> Identite_De(const QString& chemin);

// The final file a chain of symbolic links leads to (the name itself when it is none).
QString Cible_Finale(const QString& chemin);

// True when the user may write the file itself (not only the folder it stands in).
bool Modifiable(const QString& chemin);

// A file written in full under the program's own temporary name beside `cible`, flushed to
// the disk, then put in place by Poser(); removed if it never is. The disk starts writing it
// at once and Poser() waits for the end: several files are written to the disk together. It takes
// `proprietes` (owner, group, mode, attributes), and is readable by no one else while it is
// written. Leftovers of the same target from a stopped program are removed first. Its failures are
// those of `etape`.
class Fichier_Neuf {
  public:
    // `durable`: flushed to the disk before it may be put in place; a scratch copy needs not.
    Fichier_Neuf(const QString& cible, QByteArrayView octets, const Proprietes& proprietes,
                 Etape etape, bool durable = true);
    // The same bytes, which the open file `source` held when it was read as `lue`: copied
    // by the kernel (a shared extent where the file system has them) while the file is still
    // that version, else written from `octets`.
    Fichier_Neuf(const QString& cible, int source, const Identite& lue, QByteArrayView octets,
                 const Proprietes& proprietes, Etape etape);
    ~Fichier_Neuf();
    Fichier_Neuf(const Fichier_Neuf&) = delete;
    Fichier_Neuf& operator=(const Fichier_Neuf&) = delete;

    Disque::Erreur Erreur() const; // of the writing
    // Waits until it is on the disk (once; a scratch copy is only closed).
    Disque::Erreur Terminer();
    // Once on the disk, renames it over `cible`, replacing whatever stands there (a link
    // itself, never its target).
    Disque::Erreur Poser();
    Identite Identite_Ecrite() const { return identite_; } // once put in place

  private:
    void Creer(const Proprietes& proprietes);
    void Commencer(const Proprietes& proprietes, int erreur);

    QString nom_;
    Etape etape_;
    bool durable_ = true;
    QByteArray cible_, temporaire_;
    int fd_ = -1;
    int erreur_ = 0; // errno of the writing
    bool pose_ = false;
    Identite identite_;
};

// Where the name leads now, when that is neither where it led at the opening (`cible_ouverte`,
// the file the name led to then) nor a plain file at the name itself: step Lien_Apparu. A
// link put in the file's place since the opening is never followed.
Erreur Verifier_Cible(const QString& chemin, const QString& cible_ouverte);

// The user's document, after Verifier_Cible: a symbolic link is followed to its target, which
// is replaced atomically in its own folder (the link stays a link) and keeps its mode, group
// and attributes. A file the user may not write is refused. Step Enregistrement.
Erreur Ecrire_Document(const QString& chemin, const QString& cible_ouverte, QByteArrayView octets);

// A file of the program's own (working copy, description): replaced atomically, whatever
// stands at the name, link included; an existing regular file keeps its properties and is
// refused when the user may not write it. Step Enregistrement.
Erreur Remplacer(const QString& chemin, QByteArrayView octets);

} // namespace Disque
