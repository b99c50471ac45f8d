#pragma once

// Scripted platform services for the tests: dialogs answer from queues set by the test,
// and everything asked is recorded. Nothing ever blocks.

#include "core/Services.h"

#include <QMap>
#include <QPrinter>
#include <QStringList>
#include <functional>

class Services_Scriptes : public Services {
  public:
    // What the tests set
    QList<bool> reponses; // answers to Question, in order; Yes when the queue is empty
    QList<Reponse> choix; // answers to Demander, in order; Oui when the queue is empty
    QStringList fichiers; // answers of the file-open dialog; cancel when empty
    bool imprimante_choisie = true;
    QString pdf; // the file the printer dialog chooses to print to (a PDF)
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    bool googleEarth_present = false;
    bool ouverture_impossible = false; // the desktop opens nothing given to Ouvrir_Sinon
    int googleEarth_attentes = 0;      // answers of 0 from IsInitialized before it is ready
    std::function<void()> au_message;  // runs while a message is shown, to look at the window

    // What the tests read
    QStringList messages, questions, ouvertures, navigations, kml;
    QStringList dialogues; // the filter and initial name of each file dialog
    int choix_imprimante = 0, impressions = 0;
    QMap<QString, QString> reglages; // "Section/Cle" -> value

    void Message(const QString& texte) override {
        messages << texte;
        if (au_message)
            au_message();
    }
    bool Question(const QString& texte) override {
        questions << texte;
        return reponses.isEmpty() || reponses.takeFirst();
    }
    Reponse Demander(const QString& texte, bool) override {
        questions << texte;
        return choix.isEmpty() ? Reponse::Oui : choix.takeFirst();
    }
    QString Ouvrir_Fichier(const QString& filtre, const QString& nomInitial) override {
        dialogues << filtre + u'|' + nomInitial;
        return fichiers.isEmpty() ? QString() : fichiers.takeFirst();
    }
    bool Choisir_Imprimante() override {
        ++choix_imprimante;
        return imprimante_choisie;
    }
    bool Preparer_Imprimante(QPrinter& imprimante) override {
        ++choix_imprimante;
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setOutputFileName(pdf);
        imprimante.setPageOrientation(orientation);
        return imprimante_choisie;
    }
    void Ouvrir(const QString& cible) override { ouvertures << cible; }
    void Ouvrir_Sinon(const QString& cible, std::function<void()> echec) override {
        ouvertures << cible;
        if (ouverture_impossible)
            echec();
    }
    QString Lire_Reglage(const QString& section, const QString& cle) override {
        return reglages.value(section + u'/' + cle);
    }
    void Ecrire_Reglage(const QString& section, const QString& cle,
                        const QString& valeur) override {
        reglages[section + u'/' + cle] = valeur;
    }
    void Supprimer_Section(const QString& section) override {
        reglages.removeIf([&](auto it) { return it.key().startsWith(section + u'/'); });
    }
    void Naviguer(const QString& adresse) override { navigations << adresse; }
    void Imprimer_Page() override { ++impressions; }
    bool GoogleEarth_Creer() override { return googleEarth_present; }
    int GoogleEarth_IsInitialized() override { return googleEarth_attentes-- > 0 ? 0 : 1; }
    void GoogleEarth_LoadKmlData(const QString& texte) override { kml << texte; }
};
