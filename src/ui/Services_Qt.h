#pragma once

// The platform services of the product, on Qt.

#include "core/Services.h"

#include <QProcess>
#include <QSettings>

class QWebEngineView;
struct Controles;
class QWidget;

class Services_Qt : public Services {
  public:
    Services_Qt();

    // The controls of the main window: the owner of the dialogs and the web view are
    // looked up there at each call, once the window exists.
    void Suivre(const Controles& ui) { ui_ = &ui; }

    void Message(const QString& texte) override;
    bool Question(const QString& texte) override;
    Reponse Demander(const QString& texte, bool annuler) override;
    QString Ouvrir_Fichier(const QString& filtre, const QString& nomInitial) override;
    bool Choisir_Imprimante() override;
    bool Preparer_Imprimante(QPrinter& imprimante) override;
    void Ouvrir(const QString& cible) override;
    void Ouvrir_Sinon(const QString& cible, std::function<void()> echec) override;
    QString Lire_Reglage(const QString& section, const QString& cle) override;
    void Ecrire_Reglage(const QString& section, const QString& cle, const QString& valeur) override;
    void Supprimer_Section(const QString& section) override;
    void Naviguer(const QString& adresse) override;
    void Imprimer_Page() override;
    bool GoogleEarth_Creer() override;
    int GoogleEarth_IsInitialized() override;
    void GoogleEarth_LoadKmlData(const QString& kml) override;

  private:
    QWidget* Fenetre() const;
    QWebEngineView* Navigateur() const;

    const Controles* ui_ = nullptr;
    QSettings reglages_;
    QString googleEarth_;    // the program found by GoogleEarth_Creer
    QString dernierDossier_; // where the file dialog was last left
};
