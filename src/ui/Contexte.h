#pragma once

// The application's context: the POI store, the named controls and the platform services.
// Every handler takes it by reference; a test makes a fresh one.

#include "core/Declarations.h"
#include "core/Services.h"
#include "gpx/Suivi_Fichier.h"
#include "ui/Controles.h"

#include <QLocale>
#include <QUndoStack>
#include <memory>

class Creer_POI;
class TexteLien1;
class QWidget;

// Deletes a window. Each window's own file defines it, so that the context, which the
// handlers below the windows read, needs no window class.
struct Detruire_Fenetre {
    void operator()(Creer_POI* fenetre) const;
    void operator()(TexteLien1* fenetre) const;
};

struct Contexte {
    explicit Contexte(Services& services, const QLocale& locale = QLocale::system());
    ~Contexte();
    Contexte(const Contexte&) = delete;
    Contexte& operator=(const Contexte&) = delete;

    Declarations::Declarations poi;
    Fichiers::Suivi_Fichier suivi; // the open file as it was last opened or saved
    Services& services;
    QLocale locale; // the user's conventions for the stored window positions
    Controles ui;
    // The changes of the document since it was opened, to undo and redo; clean where it was
    // last opened or saved.
    QUndoStack historique;
    // The POI whose description the description window shows (0 for none), the file it read,
    // and whether it could read it: the window never writes a text into another POI's file,
    // nor over a file it did not show.
    struct {
        int poi = 0;
        QString chemin;
        bool lu = false;
    } descriptif;

    // The two windows; the description window may be unloaded and made again.
    std::unique_ptr<Creer_POI, Detruire_Fenetre> fenetre;
    std::unique_ptr<TexteLien1, Detruire_Fenetre> texteLien1;
    // The help window, made only when the desktop cannot show the help page.
    std::unique_ptr<QWidget> aide;
};
