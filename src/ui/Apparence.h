#pragma once

#include <QColor>
#include <QFont>

class QGroupBox;
class QPushButton;
class QWidget;

namespace Apparence {

inline const QColor Fond(224, 224, 224);
inline const QColor Bleu_Valider(192, 192, 255);

// The designed font of the controls, "MS Sans Serif" 8.25 points: Wine's when the desktop has
// none of its own, else the nearest in widths.
QFont Police_Ordinaire();
void Colorer_Fond(QWidget* w);
// Frame caption in bold 8.25 points (Arial's widths where "MS Sans Serif" has no bold); the
// controls inside keep the usual font.
void Titre_Cadre(QGroupBox* cadre);
void Bouton_Valider(QPushButton* bouton);
void Icone_Programme(QWidget* fenetre);

} // namespace Apparence
