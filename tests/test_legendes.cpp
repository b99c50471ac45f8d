// The captions of both windows: each fits its control at the designed place and size, with
// the window's own font and the style's margins, and the help page names each one.

#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "ui/TexteLien1.h"

#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// What does not fit, one line per control: its class, caption, size needed and size given.
QStringList Legendes_Coupees(QWidget* fenetre) {
    QStringList coupees;
    const auto verifier = [&](const QWidget* w, const QString& texte, QSize besoin, QSize place) {
        if (besoin.width() > place.width() || besoin.height() > place.height())
            coupees << u"%1 « %2 » : %3x%4 dans %5x%6"_qs.arg(w->metaObject()->className(), texte)
                           .arg(besoin.width())
                           .arg(besoin.height())
                           .arg(place.width())
                           .arg(place.height());
    };
    for (const QAbstractButton* b : fenetre->findChildren<QAbstractButton*>()) {
        if (const auto* p = qobject_cast<const QPushButton*>(b)) {
            // The room a push button leaves to its caption: less the style's frame and margin.
            QStyleOptionButton option;
            option.initFrom(p);
            option.text = p->text();
            const QSize place =
                p->style()
                    ->subElementRect(QStyle::SE_PushButtonContents, &option, p)
                    .adjusted(0, 0, -p->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, p),
                              0)
                    .size();
            verifier(b, b->text(), b->fontMetrics().size(Qt::TextShowMnemonic, b->text()), place);
        } else if (!b->text().isEmpty()) { // not the menu bar's own extension button
            verifier(b, b->text(), b->sizeHint(), b->size());
        }
    }
    for (const QLabel* l : fenetre->findChildren<QLabel*>())
        verifier(l, l->text(), l->sizeHint(), l->size());
    // A frame's minimum size is its bold caption with the style's margins.
    for (const QGroupBox* g : fenetre->findChildren<QGroupBox*>())
        verifier(g, g->title(), QSize(g->minimumSizeHint().width(), 0), g->size());
    return coupees;
}

} // namespace

class TestLegendes : public QObject {
    Q_OBJECT
  private slots:
    void aucune_legende_coupee();
    void une_legende_allongee_est_vue();
    void l_aide_nomme_chaque_commande();
};

void TestLegendes::aucune_legende_coupee() {
    Banc b;
    b.Demarrer();
    for (QWidget* fenetre :
         {static_cast<QWidget*>(b.c.fenetre.get()), static_cast<QWidget*>(b.c.texteLien1.get())}) {
        const QStringList coupees = Legendes_Coupees(fenetre);
        QVERIFY2(coupees.isEmpty(), qPrintable(coupees.join(u'\n')));
    }
}

// The walk sees a caption grown past its control, of each kind.
void TestLegendes::une_legende_allongee_est_vue() {
    Banc b;
    b.Demarrer();
    const Controles& ui = b.c.ui;
    ui.Option1->Bouton(2)->setText(ui.Option1->Bouton(2)->text() + u" choisi"_qs);
    ui.Supprimer_Lien->setText(ui.Supprimer_Lien->text() + u" choisi"_qs);
    ui.Label6->setText(ui.Label6->text() + u" choisi"_qs);
    ui.LIENS->setTitle(ui.LIENS->title() + u" et des descriptifs du Poi"_qs);
    const QStringList coupees = Legendes_Coupees(b.c.fenetre.get());
    QVERIFY2(coupees.size() == 4, qPrintable(coupees.join(u'\n')));
}

void TestLegendes::l_aide_nomme_chaque_commande() {
    QFile fichier(QStringLiteral(QUILLVANE_DONNEES "/aide.html"));
    QVERIFY(fichier.open(QIODevice::ReadOnly));
    // A caption may be cut across two lines of the page.
    const QString page = QString::fromUtf8(fichier.readAll()).simplified();
    Banc b;
    b.Demarrer();
    QStringList legendes;
    for (const QAction* action : b.c.fenetre->menuBar()->actions())
        legendes << action->text();
    for (QWidget* fenetre :
         {static_cast<QWidget*>(b.c.fenetre.get()), static_cast<QWidget*>(b.c.texteLien1.get())})
        for (const QAbstractButton* bouton : fenetre->findChildren<QAbstractButton*>())
            if (!bouton->text().isEmpty()) // the menu bar's extension button has none
                legendes << bouton->text();
    QVERIFY(legendes.size() >= 19);
    for (const QString& legende : legendes)
        QVERIFY2(page.contains(legende.toHtmlEscaped()), qPrintable(legende));
}

QUILLVANE_TEST_MAIN(TestLegendes)
#include "test_legendes.moc"
