#include "Apparence.h"

#include <QGroupBox>
#include <QIcon>
#include <QPushButton>

namespace Apparence {

QFont Police_Ordinaire() {
    QFont police(QStringLiteral("MS Sans Serif"));
    police.setStyleHint(QFont::SansSerif);
    police.setPointSizeF(8.25);
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
