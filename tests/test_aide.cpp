// The help page names every command of both windows by the caption the user sees.

#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "links/TexteLien1.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QMenuBar>

class TestAide : public QObject {
    Q_OBJECT
  private slots:
    void chaque_commande_dans_l_aide();
};

namespace {

QStringList Legendes_Boutons(const QWidget& fenetre) {
    QStringList legendes;
    for (const QAbstractButton* bouton : fenetre.findChildren<QAbstractButton*>())
        if (!bouton->text().isEmpty()) // the menu bar's overflow arrow has none
            legendes << bouton->text();
    return legendes;
}

} // namespace

void TestAide::chaque_commande_dans_l_aide() {
    QFile fichier(QStringLiteral(QUILLVANE_DONNEES "/aide.html"));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    // A caption may be cut across two lines of the page.
    const QString page = QString::fromUtf8(fichier.readAll()).simplified();

    // Both windows as start-up makes them.
    Banc b;
    b.Demarrer();
    QStringList menu;
    for (const QAction* action : b.c.fenetre->menuBar()->actions())
        menu << action->text();
    const QStringList principale = Legendes_Boutons(*b.c.fenetre);
    const QStringList texte = Legendes_Boutons(*b.c.texteLien1);
    QVERIFY(!menu.isEmpty() && !principale.isEmpty() && !texte.isEmpty());

    QStringList absentes;
    for (const QString& legende : menu + principale + texte)
        if (!page.contains(legende.toHtmlEscaped()))
            absentes << legende;
    QVERIFY2(absentes.isEmpty(), qPrintable(absentes.join(QStringLiteral(" | "))));
}

QUILLVANE_TEST_MAIN(TestAide)
#include "test_aide.moc"
