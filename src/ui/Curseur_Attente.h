#pragma once

// The wait cursor while a file is read or written; the usual cursor comes back at the end of
// the scope, before any message is shown.

#include <QGuiApplication>

class Curseur_Attente {
  public:
    Curseur_Attente() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Curseur_Attente() { QGuiApplication::restoreOverrideCursor(); }
    Curseur_Attente(const Curseur_Attente&) = delete;
    Curseur_Attente& operator=(const Curseur_Attente&) = delete;
};

// Runs `travail` under the wait cursor and gives back its result.
template <typename Travail> auto En_Attente(Travail&& travail) {
    const Curseur_Attente attente;
    return travail();
}
