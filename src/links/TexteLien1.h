#pragma once

// The description window: a fixed-size tool window without owner. It builds its controls,
// shows, places and closes itself, and routes the rest of its events to the description
// handlers.

#include <QWidget>

class QPlainTextEdit;
class QPushButton;
struct Contexte;

class TexteLien1 : public QWidget {
    Q_OBJECT
  public:
    explicit TexteLien1(Contexte& c);

    // The main window's "descriptif" button: the window of the chosen POI, made afresh if it
    // was closed, at its stored place.
    static void Ouvrir(Contexte& c);
    // The selection of the main window has changed, or the document: the open window follows
    // the POI chosen (its unsaved text saved first if the user says so), and closes when its
    // POI is gone.
    static void Suivre(Contexte& c);

    QPushButton* Enregistrer = nullptr;
    QPushButton* Fermer = nullptr;
    QPlainTextEdit* Text1 = nullptr;

    // The text with its line breaks as CR LF pairs, and the reverse.
    QString Texte() const;
    void Definir_Texte(const QString& texte);

    // Closes the window from the program's own code (not refused).
    void Decharger();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Stores the place, then the window goes.
    void Fermer_Click();
    void Enregistrer_Click();
    // The text of the file of the window's POI.
    void Charger();

    Contexte& c_;
    bool dechargement_ = false;
};
