#pragma once

#include <QColor>
#include <QFont>

class QGroupBox;
class QPushButton;
class QWidget;

namespace Apparence {

inline const QColor Fond(224, 224, 224);
inline const QColor Bleu_Valider(192, 192, 255);

// The font of the controls: 8.25 points as designed, in a face narrow enough for every caption
// to fit its control.
QFont Police_Ordinaire();
void Colorer_Fond(QWidget* w);
// Frame caption in bold 8.25 points; the controls inside keep the usual font.
void Titre_Cadre(QGroupBox* cadre);
void Bouton_Valider(QPushButton* bouton);
void Icone_Programme(QWidget* fenetre);

} // namespace Apparence
