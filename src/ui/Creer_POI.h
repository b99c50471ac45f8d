#pragma once

// The main window: builds the named controls, lays them out and routes their events to the
// handlers. Of its own it only stores the windows' places and unloads them when quitting.

#include <QMainWindow>

struct Contexte;

class Creer_POI : public QMainWindow {
    Q_OBJECT
  public:
    explicit Creer_POI(Contexte& c, QWidget* navigateur = nullptr);

    // Set while the program itself unloads the window (no save question then).
    void Decharger();
    bool Decharge() const { return dechargement_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // "Quitter": the save question, the window positions, then the end of the program.
    void Quitter();

    void Construire_POIS();
    void Construire_LIENS();
    void Construire_Menu();
    // Undo and redo: the keys, and the POI list's context menu.
    void Construire_Historique();
    void Nommer_Zones();
    // The caption, the file's name and the mark of unsaved changes.
    void Titrer();
    void Relier_Evenements();
    void Ordonner_Tabulation();

    Contexte& c_;
    bool dechargement_ = false;
};
