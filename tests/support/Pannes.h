#pragma once

// The faults of the file system that the file tests inject, one table for all, and the child
// process each test case runs in: its user, size limit, mounts and alarm are its own, and
// a kill ends it alone.

#include <QDir>
#include <QFile>
#include <QtTest>
#include <chrono>
#include <optional>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

enum class Panne { Disque_Plein, Taille, Permission, Lecture_Seule, Dossier_Disparu, Lien, Arret };

inline constexpr struct {
    const char* nom;
    Panne panne;
} Pannes[] = {{"disque plein", Panne::Disque_Plein},
              {"taille limitée", Panne::Taille},
              {"permission refusée", Panne::Permission},
              {"lecture seule", Panne::Lecture_Seule},
              {"dossier disparu", Panne::Dossier_Disparu},
              {"lien échangé", Panne::Lien},
              {"arrêt brutal", Panne::Arret}};

// Forks; the test function goes on in both processes, Enfant() tells which. The child ends
// when the object goes (at the end of the test function, whatever check stopped it) and
// undoes nothing of the parent's: its folders, its log. The parent waits for it, after
// killing it `arret` after it said Pret() when a kill is asked, and records a failure unless
// it ended with every check passed (or was killed as asked).
class Fourche {
  public:
    explicit Fourche(std::optional<std::chrono::duration<double>> arret = std::nullopt) {
        int tube[2] = {-1, -1};
        QVERIFY(pipe(tube) == 0);
        pid_ = fork();
        if (pid_ == 0) {
            ::close(tube[0]);
            pret_ = tube[1];
            alarm(60); // a step that blocks ends the child, and fails the case
            return;
        }
        ::close(tube[1]);
        char c = 0;
        if (arret && ::read(tube[0], &c, 1) == 1) {
            std::this_thread::sleep_for(*arret);
            ::kill(pid_, SIGKILL);
        }
        int etat = -1;
        const bool fini = pid_ > 0 && waitpid(pid_, &etat, 0) == pid_;
        ::close(tube[0]); // only now: the child's Pret() never writes into a closed pipe
        QTest::qVerify(fini &&
                           (etat == 0 || (arret && WIFSIGNALED(etat) && WTERMSIG(etat) == SIGKILL)),
                       "the child's end", "see the child's log", __FILE__, __LINE__);
    }
    ~Fourche() {
        if (pid_ == 0)
            _exit(QTest::currentTestFailed() ? 1 : 0);
    }
    Fourche(const Fourche&) = delete;
    Fourche& operator=(const Fourche&) = delete;

    bool Enfant() const { return pid_ == 0; }
    // In the child: the work to be killed begins now.
    void Pret() const {
        if (::write(pret_, "!", 1) != 1)
            qWarning("the parent is not listening");
    }

  private:
    pid_t pid_ = -1;
    int pret_ = -1;
};

// Where a fault needs its own mounts (a full disk, a read-only folder), the child gets its own
// view of them first; false where the system does not allow it (not root).
inline bool Isoler() {
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Before the files of the case are written: a full disk is a small file system of its own at
// `dossier`. False when the fault cannot be made here.
inline bool Preparer_Panne(Panne panne, const QString& dossier) {
    if (panne != Panne::Disque_Plein && panne != Panne::Lecture_Seule)
        return true;
    if (!Isoler())
        return false;
    return panne != Panne::Disque_Plein ||
           mount("quillvane", QFile::encodeName(dossier).constData(), "tmpfs", 0, "size=4m") == 0;
}

// The fault itself, just before the operation: the disk filled up, files limited to 100 bytes
// (the process dies of it unless it ignores SIGXFSZ as the program does), the user nobody, the
// folder read-only or removed, `fichier` replaced by a link to `victime`. A kill is the
// parent's.
inline void Provoquer(Panne panne, const QString& dossier, const QString& fichier,
                      const QString& victime) {
    const QByteArray nom = QFile::encodeName(dossier);
    switch (panne) {
    case Panne::Disque_Plein: {
        QFile plein(dossier + u".plein"_qs);
        QVERIFY(plein.open(QIODevice::WriteOnly));
        const QByteArray bloc(4096, 'x');
        while (plein.write(bloc) == bloc.size() && plein.flush()) {
        }
        break;
    }
    case Panne::Taille: {
        const rlimit limite{100, RLIM_INFINITY};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limite) == 0);
        break;
    }
    case Panne::Permission:
        QVERIFY(setuid(getpwnam("nobody")->pw_uid) == 0);
        break;
    case Panne::Lecture_Seule:
        QVERIFY(mount(nom.constData(), nom.constData(), nullptr, MS_BIND, nullptr) == 0);
        QVERIFY(mount(nullptr, nom.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY,
                      nullptr) == 0);
        break;
    case Panne::Dossier_Disparu:
        QVERIFY(QDir(dossier).removeRecursively());
        break;
    case Panne::Lien:
        QFile::remove(fichier);
        QVERIFY(QFile::link(victime, fichier));
        break;
    case Panne::Arret:
        break;
    }
}

// The program's temporary files left in `dossier` and its "tmp".
inline QStringList Temporaires(const QString& dossier) {
    QStringList t;
    for (const QString& d : {dossier, dossier + u"/tmp"_qs})
        for (const QString& f :
             QDir(d).entryList({u".quillvane*"_qs}, QDir::AllEntries | QDir::Hidden | QDir::System))
            t << f;
    return t;
}
