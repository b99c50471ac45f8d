#include "Apparence.h"

#include <QGroupBox>
#include <QIcon>
#include <QPushButton>

namespace Apparence {

namespace {

// Arial's widths (fonts-liberation2), a little narrower: at the designed 8.25 points every
// caption then fits the control it was drawn for, whatever the screen's scale.
const QString Famille = QStringLiteral("Liberation Sans");
constexpr int Largeur_Pour_Cent = 96;

} // namespace

QFont Police_Ordinaire() {
    QFont police(Famille);
    police.setStyleHint(QFont::SansSerif);
    police.setPointSizeF(8.25);
    police.setStretch(Largeur_Pour_Cent);
    // Set in full, so that a widget takes none of it from a bold frame.
    police.setResolveMask(QFont::AllPropertiesResolved);
    return police;
}

void Colorer_Fond(QWidget* w) {
    QPalette p = w->palette();
    p.setColor(QPalette::Window, Fond);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void Titre_Cadre(QGroupBox* cadre) {
    QFont titre = Police_Ordinaire();
    titre.setWeight(QFont::Bold);
    cadre->setFont(titre);
    const QFont ordinaire = Police_Ordinaire();
    for (QWidget* enfant : cadre->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        enfant->setFont(ordinaire);
}

void Bouton_Valider(QPushButton* bouton) {
    bouton->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid gray; }")
            .arg(Bleu_Valider.name()));
}

void Icone_Programme(QWidget* fenetre) {
    QIcon icone;
    for (int taille : {16, 24, 32, 48, 64})
        icone.addFile(QStringLiteral(":/icones/quillvane-%1.png").arg(taille),
                      QSize(taille, taille));
    fenetre->setWindowIcon(icone);
}

} // namespace Apparence
