#pragma once

// The named controls of the main window, as the handlers read and write them.
// The window builds them; the handlers never create or destroy one.

#include "Controles_Base.h"

class QAction;
class QGroupBox;
class QLabel;
class QPushButton;

struct Controles {
    // Frames
    QGroupBox* POIS = nullptr;
    QGroupBox* LIENS = nullptr;
    QWidget* WebBrowser1 = nullptr;

    // Frame POIS
    QLabel* Label2 = nullptr;
    QPushButton* Charge_Fichier = nullptr;
    QLineEdit* LeNomFichier = nullptr;
    QLabel* Label1 = nullptr;
    ListeBox* ListePOI = nullptr;
    ZoneTexte* Lat_Long = nullptr;
    ZoneTexte* Nom_WP = nullptr;
    Options* Option1 = nullptr;
    QPushButton* Validation = nullptr;

    // Frame LIENS
    QLabel* Label9 = nullptr;
    QLineEdit* Text7 = nullptr;
    QPushButton* Descriptif = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* Text4 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Fichier_lien = nullptr;
    QPushButton* Valider_lien = nullptr;
    QLabel* Label8 = nullptr;
    ListeBox* ListeLiens = nullptr;
    QPushButton* Tester_Lien = nullptr;
    QPushButton* Supprimer_Lien = nullptr;

    // Menu bar
    QAction* Montre_Fichier = nullptr;
    QAction* Gestion_Liens = nullptr;
    QAction* Impression = nullptr;
    QAction* GoogleEarth = nullptr;
    QAction* Aide = nullptr;
    QAction* Sauve_Fichier = nullptr;
    QAction* Quitter = nullptr;
};
