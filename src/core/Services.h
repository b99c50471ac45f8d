#pragma once

// Everything the program asks of the desktop. The product implements it with Qt;
// the tests implement it with a scripted double, so no dialog ever blocks a test.

#include <QString>
#include <functional>

class QPrinter;

class Services {
  public:
    virtual ~Services() = default;

    // Message box titled "Quillvane" with an OK button.
    virtual void Message(const QString& texte) = 0;
    // Message box titled "Quillvane" with Yes (the default) and No; true for Yes. Escape and
    // the close box do nothing: a question without Cancel is answered by a button.
    virtual bool Question(const QString& texte) = 0;
    // The same with "Oui" (the default) and "Non", and, when `annuler` is set, "Annuler".
    // Escape or the close box answer Annuler, never Non.
    enum class Reponse { Oui, Non, Annuler };
    virtual Reponse Demander(const QString& texte, bool annuler) = 0;

    // File-open dialog. `filtre` is a Qt name filter such as "*.gpx";
    // returns the chosen full path, or the empty text when the user cancels.
    virtual QString Ouvrir_Fichier(const QString& filtre, const QString& nomInitial) = 0;
    // Printer-choice dialog; true when a printer was chosen.
    virtual bool Choisir_Imprimante() = 0;
    // The printer dialog on `imprimante`, which it sets up (printer or PDF file, page,
    // orientation); true when the user asked to print.
    virtual bool Preparer_Imprimante(QPrinter& imprimante) = 0;

    // The desktop's "open" for a document or an address; the result is not examined.
    virtual void Ouvrir(const QString& cible) = 0;
    // The same, for a target the program can show itself: `echec` runs when the desktop has
    // nothing to open it with or its opener fails, which may be known only later, from the
    // event loop (and never once the main window is gone).
    virtual void Ouvrir_Sinon(const QString& cible, std::function<void()> echec) = 0;

    // Per-user settings of the application "Quillvane": text values by section and key.
    // A missing key reads as the empty text.
    virtual QString Lire_Reglage(const QString& section, const QString& cle) = 0;
    virtual void Ecrire_Reglage(const QString& section, const QString& cle,
                                const QString& valeur) = 0;
    virtual void Supprimer_Section(const QString& section) = 0;

    // The web view of the main window.
    virtual void Naviguer(const QString& adresse) = 0;
    // Prints the page shown, asking the user first.
    virtual void Imprimer_Page() = 0;

    // Google Earth's automation: create the application object (false when it cannot be made),
    // ask whether it is ready (0 while it starts), and load a KML document.
    virtual bool GoogleEarth_Creer() = 0;
    virtual int GoogleEarth_IsInitialized() = 0;
    virtual void GoogleEarth_LoadKmlData(const QString& kml) = 0;
};
