#include "viewers/Visionneuses.h"

#include "ui/Contexte.h"
#include "viewers/Carte.h"
#include "viewers/Carte_Marine.h"
#include "viewers/Fenetre_Aide.h"
#include "viewers/Impression_Carte.h"
#include "viewers/Kml.h"

#include <QCoreApplication>
#include <QDate>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocale>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

namespace Visionneuses {

namespace {
// The file's name, today's date and the POIs of the store with the labels of their links.
Impression_Carte::Document Document_Imprime(const Contexte& c) {
    Impression_Carte::Document d;
    d.titre = c.poi.Nom_Court.isEmpty() ? QStringLiteral("Sans nom") : c.poi.Nom_Court;
    d.date = QLocale(QLocale::French).toString(QDate::currentDate(), QLocale::LongFormat);
    for (int i = 1; i <= c.poi.Nb_POI; ++i) {
        QStringList liens;
        for (int k = 1; k <= std::min<int>(c.poi.Nb_Liens[i], Declarations::Liens_Max); ++k)
            liens << c.poi.Lien_Nom[i][k];
        d.lignes.push_back({Carte::Repere_POI(c, i), liens});
    }
    return d;
}
} // namespace

void Impression_Click(Contexte& c) {
    // The chart shown in place of the web map is printed by the program itself, on the
    // printer (or PDF file) of one dialog.
    if (Carte_Marine* carte = Carte_Marine::De(c.ui.WebBrowser1); carte && carte->isVisible()) {
        QPrinter imprimante(QPrinter::HighResolution);
        if (c.services.Preparer_Imprimante(imprimante))
            Impression_Carte::Imprimer(imprimante, Document_Imprime(c), carte->Vue(),
                                       carte->Choisi(), carte->Bases());
        return;
    }
    // The printer chosen here is not read: the web view asks again before printing.
    c.services.Choisir_Imprimante();
    c.services.Imprimer_Page();
}

void GoogleEarth_Click(Contexte& c) {
    if (!c.services.GoogleEarth_Creer()) {
        c.services.Message(QStringLiteral("Google Earth n'est pas installé sur cet ordinateur"));
        return;
    }
    // The window stays alive while Google Earth starts.
    const QDeadlineTimer limite(Attente_GoogleEarth);
    while (c.services.GoogleEarth_IsInitialized() == 0) {
        if (limite.hasExpired()) {
            c.services.Message(QStringLiteral("Google Earth ne répond pas"));
            return;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    }
    c.services.GoogleEarth_LoadKmlData(Kml_Geneve());
}

QString Adresse_Aide() {
    const QString voisine = QCoreApplication::applicationDirPath() + QStringLiteral("/aide.html");
    QString page = QFileInfo::exists(voisine) ? voisine : QString();
    if (page.isEmpty())
        page = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                      QStringLiteral("help/fr/quillvane/aide.html"));
    if (page.isEmpty())
        page = voisine;
    return QUrl::fromLocalFile(page).toString();
}

void Aide_Click(Contexte& c) {
    // Without a browser on the desktop, the program shows the page itself.
    const QString adresse = Adresse_Aide();
    c.services.Ouvrir_Sinon(adresse, [&c, adresse] { Fenetre_Aide::Montrer(c, adresse); });
}

} // namespace Visionneuses
