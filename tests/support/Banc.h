#pragma once

// A fresh program for each test: scripted services, a new context, start-up run, the main
// window shown offscreen. Without `carte`, a plain widget stands where the web map would be.
// Helpers fill the store the way a read file would.

#include "core/Entree.h"
#include "support/Services_Scriptes.h"
#include "ui/Contexte.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QtTest>

struct Banc {
    explicit Banc(bool carte = false,
                  const QLocale& locale = QLocale(QLocale::French, QLocale::France))
        : carte(carte), c(services, locale) {}

    // Runs start-up with the settings already in `services.reglages`.
    Banc& Demarrer();
    // Appends a POI to the store, as the reader would, and lists it.
    int Ajouter_POI(const QString& nom, const QString& lat = u"47.1"_qs,
                    const QString& lon = u"-2.1"_qs, const QString& date = u"T"_qs);
    // Clicks the entry of POI p (from 1), or of link p, as a user would.
    void Selectionner(int poi, ListeBox* liste = nullptr);
    static void Cliquer(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    static QStringList Entrees(const ListeBox* liste);
    QStringList Zones() const; // Text1 to Text4
    // The window as the user sees it: the POI list, the link list, Lat_Long, Nom_WP, Text7,
    // Text1 to Text4, the three options, then the messages shown.
    QString Vue() const;
    void Remplir(const QStringList& textes);

    bool carte;
    Services_Scriptes services;
    Contexte c;
};

// QtWebEngine wants its contexts shared before the application exists. The web profile and
// anything else stored per user go to the test folders, never to the user's own.
#define QUILLVANE_TEST_MAIN(Classe)                                                                \
    int main(int argc, char** argv) {                                                              \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QStandardPaths::setTestModeEnabled(true);                                                  \
        QApplication application(argc, argv);                                                      \
        Classe test;                                                                               \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
