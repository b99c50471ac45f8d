#pragma once

#include <QColor>
#include <QFont>

class QGroupBox;
class QPushButton;
class QWidget;

namespace Apparence {

inline const QColor Fond(224, 224, 224);
inline const QColor Bleu_Valider(192, 192, 255);

// The designed font of the controls, "MS Sans Serif" 8.25 points, or the desktop's nearest.
QFont Police_Ordinaire();
void Colorer_Fond(QWidget* w);
// Frame caption in bold "MS Sans Serif" 8.25 points; the controls inside keep the usual font.
void Titre_Cadre(QGroupBox* cadre);
void Bouton_Valider(QPushButton* bouton);
void Icone_Programme(QWidget* fenetre);

} // namespace Apparence
