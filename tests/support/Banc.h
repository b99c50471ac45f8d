#pragma once

// A fresh program for each test: scripted services, a new context, start-up run, the main
// window shown offscreen. Helpers fill the store the way a read file would.

#include "core/Entree.h"
#include "support/Services_Scriptes.h"
#include "ui/Contexte.h"

#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

struct Banc {
    explicit Banc(const QLocale& locale = QLocale(QLocale::French, QLocale::France))
        : c(services, locale) {}

    // Runs start-up with the settings already in `services.reglages`.
    Banc& Demarrer();

    // Appends a POI to the store, as the reader would, and lists it.
    int Ajouter_POI(const QString& nom, const QString& lat, const QString& lon,
                    const QString& date = QStringLiteral("2026-03-05T14:03:07Z"));
    void Ajouter_Lien(int poi, const QString& nom, const QString& url);
    // Rebuilds the list and selects the entry of POI p (from 1), as a user's click would.
    void Selectionner(int poi);

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
