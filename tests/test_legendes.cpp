// Every caption of both windows fits its control at the designed place and size, with the
// window's own font and the style's margins: nothing is ever cut.

#include "support/Banc.h"
#include "ui/Creer_POI.h"
#include "links/TexteLien1.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The room a push button leaves to its caption: its size less the style's frame and margins.
// A push button's sizeHint would also carry the style's minimum width, which is no clipping.
QSize Place_Du_Texte(const QPushButton* bouton) {
    QStyleOptionButton option;
    option.initFrom(bouton);
    option.text = bouton->text();
    const int marge = bouton->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, bouton);
    return bouton->style()
        ->subElementRect(QStyle::SE_PushButtonContents, &option, bouton)
        .adjusted(0, 0, -marge, 0)
        .size();
}

// A control stacked above the letters of a label, if any: one made after it in the same frame.
const QWidget* Recouvre(const QLabel* l) {
    const QFontMetrics mesure = l->fontMetrics();
    const QRect ligne = QStyle::alignedRect(l->layoutDirection(), l->alignment(),
                                            mesure.size(0, l->text()), l->contentsRect());
    const QRect encre = mesure.boundingRect(l->text())
                            .translated(ligne.left(), ligne.top() + mesure.ascent())
                            .translated(l->pos());
    const QObjectList& voisins = l->parentWidget()->children();
    for (qsizetype i = voisins.indexOf(l) + 1; i < voisins.size(); ++i) {
        const auto* w = qobject_cast<const QWidget*>(voisins[i]);
        if (w && !w->isHidden() && w->geometry().intersects(encre))
            return w;
    }
    return nullptr;
}

// What does not fit, one line per control: name, caption, size needed, size given.
QStringList Legendes_Coupees(QWidget* fenetre) {
    QStringList coupees;
    const auto verifier = [&](const QWidget* w, const QString& texte, QSize besoin, QSize place) {
        if (besoin.width() > place.width() || besoin.height() > place.height())
            coupees << QStringLiteral("%1 « %2 » : %3x%4 dans %5x%6")
                           .arg(QString::fromLatin1(w->metaObject()->className()), texte)
                           .arg(besoin.width())
                           .arg(besoin.height())
                           .arg(place.width())
                           .arg(place.height());
    };
    for (const QAbstractButton* b : fenetre->findChildren<QAbstractButton*>()) {
        if (b->text().isEmpty()) // the menu bar's own extension button
            continue;
        if (const auto* p = qobject_cast<const QPushButton*>(b))
            verifier(b, b->text(), b->fontMetrics().size(Qt::TextShowMnemonic, b->text()),
                     Place_Du_Texte(p));
        else // option buttons and check boxes: indicator, spacing and caption
            verifier(b, b->text(), b->sizeHint(), b->size());
    }
    for (const QLabel* l : fenetre->findChildren<QLabel*>()) {
        verifier(l, l->text(), l->sizeHint(), l->size());
        if (const QWidget* dessus = Recouvre(l))
            coupees << QStringLiteral("QLabel « %1 » : recouverte par %2")
                           .arg(l->text(), QString::fromLatin1(dessus->metaObject()->className()));
    }
    // A frame's minimum size is its bold caption with the style's margins.
    for (const QGroupBox* g : fenetre->findChildren<QGroupBox*>())
        verifier(g, g->title(), QSize(g->minimumSizeHint().width(), 0), g->size());
    return coupees;
}

} // namespace

class TestLegendes : public QObject {
    Q_OBJECT
  private slots:
    void aucune_legende_coupee_data();
    void aucune_legende_coupee();
    void une_legende_allongee_est_vue();
};

void TestLegendes::aucune_legende_coupee_data() {
    QTest::addColumn<bool>("description"); // false: the main window
    QTest::newRow("fenêtre principale") << false;
    QTest::newRow("fenêtre de description") << true;
}

void TestLegendes::aucune_legende_coupee() {
    QFETCH(bool, description);
    Banc b;
    b.Demarrer();
    QWidget* fenetre = description ? static_cast<QWidget*>(b.c.texteLien1.get())
                                   : static_cast<QWidget*>(b.c.fenetre.get());
    const int controles =
        fenetre->findChildren<QAbstractButton*>().size() + fenetre->findChildren<QLabel*>().size();
    QVERIFY(controles >= (description ? 2 : 18));
    const QStringList coupees = Legendes_Coupees(fenetre);
    QVERIFY2(coupees.isEmpty(), qPrintable(coupees.join(u'\n')));
}

// The walk sees a caption grown past its control, of each kind.
void TestLegendes::une_legende_allongee_est_vue() {
    Banc b;
    b.Demarrer();
    const Controles& ui = b.c.ui;
    ui.Option1->Bouton(2)->setText(ui.Option1->Bouton(2)->text() + QStringLiteral(" choisi"));
    ui.Supprimer_Lien->setText(ui.Supprimer_Lien->text() + QStringLiteral(" choisi"));
    ui.Label6->setText(ui.Label6->text() + QStringLiteral(" choisi"));
    ui.LIENS->setTitle(ui.LIENS->title() + QStringLiteral(" et des descriptifs du Poi"));
    const QStringList coupees = Legendes_Coupees(b.c.fenetre.get());
    QVERIFY2(coupees.size() == 4, qPrintable(coupees.join(u'\n')));
}

QUILLVANE_TEST_MAIN(TestLegendes)
#include "test_legendes.moc"
