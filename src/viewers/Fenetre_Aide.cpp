#include "viewers/Fenetre_Aide.h"

#include "ui/Apparence.h"
#include "ui/Contexte.h"
#include "ui/Twips.h"
#include "viewers/Navigateur.h"

#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace Fenetre_Aide {

void Montrer(Contexte& c, const QString& adresse) {
    if (!c.aide) {
        // The map's profile: the same French pages and menus, and no second web engine profile.
        c.aide = std::make_unique<QWidget>();
        c.aide->setObjectName(QStringLiteral("Aide"));
        c.aide->setWindowTitle(Titre);
        Apparence::Icone_Programme(c.aide.get());
        auto* disposition = new QVBoxLayout(c.aide.get());
        disposition->setContentsMargins(0, 0, 0, 0);
        disposition->addWidget(Navigateur::Creer_Vue());
        // About the width of the page's text column.
        c.aide->resize(Twips::Vers_Pixels(11000), Twips::Vers_Pixels(9000));
    }
    auto* vue = c.aide->findChild<QWebEngineView*>();
    vue->setUrl(QUrl(adresse));
    c.aide->show();
    c.aide->raise();
    c.aide->activateWindow();
}

} // namespace Fenetre_Aide
