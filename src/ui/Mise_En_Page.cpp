#include "Mise_En_Page.h"

#include "ui/Contexte.h"

#include <QGroupBox>
#include <QWidget>
#include <algorithm>

namespace Mise_En_Page {

void Form_Resize(Contexte& c) {
    QWidget* fenetre = c.ui.WebBrowser1 ? c.ui.WebBrowser1->window() : nullptr;
    if (!fenetre || !c.ui.POIS)
        return;
    const QRect cadre = c.ui.POIS->geometry();
    const int x = cadre.x() + cadre.width();
    const int y = cadre.y();
    if (fenetre->isMinimized())
        return;
    const QRect exterieur = fenetre->frameGeometry();
    c.ui.WebBrowser1->setGeometry(x, y, std::max(0, exterieur.width() - x), exterieur.height());
}

} // namespace Mise_En_Page
