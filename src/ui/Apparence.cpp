#include "Apparence.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QIcon>
#include <QPushButton>

namespace Apparence {

namespace {

const QString Famille = QStringLiteral("MS Sans Serif");
// Wine's "MS Sans Serif" (Debian package fonts-wine): the designed font's own widths, in the
// pixel sizes of 8 points at 96, 120 and 144 dots per inch. Outside fontconfig's folders, so
// the program adds it itself.
const QString Fichier_Police_Wine = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");
// Without it, the nearest widths among the usual free fonts (Arial's, fonts-liberation2).
const QString Famille_Voisine = QStringLiteral("Liberation Sans");

void Installer_Police() {
    if (!QFontDatabase::hasFamily(Famille))
        QFontDatabase::addApplicationFont(Fichier_Police_Wine);
}

} // namespace

QFont Police_Ordinaire() {
    Installer_Police();
    QFont police;
    police.setFamilies({Famille, Famille_Voisine});
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
    // Wine's "MS Sans Serif" has no bold: the caption takes that of the nearest outline font.
    QFont titre = Police_Ordinaire();
    titre.setFamilies({Famille_Voisine, Famille});
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
