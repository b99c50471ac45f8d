#include "viewers/Visionneuses.h"

#include "ui/Contexte.h"
#include "viewers/Fenetre_Aide.h"
#include "viewers/Kml.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

namespace Visionneuses {

void Impression_Click(Contexte& c) {
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
