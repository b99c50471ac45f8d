#pragma once

// The stored window positions: twips, as the text of a single-precision number written with
// the user's locale and no group separator ("1440", "-15", "1440,5" in French).

#include <QLocale>
#include <QString>
#include <optional>

namespace Reglages {

inline const QString Section = QStringLiteral("Startup");
inline const QString Creer_POI_MargeG = QStringLiteral("Creer_POI_MargeG");
inline const QString Creer_POI_Haut = QStringLiteral("Creer_POI_Haut");
inline const QString TexteLien1_MargeG = QStringLiteral("TexteLien1_MargeG");
inline const QString TexteLien1_Haut = QStringLiteral("TexteLien1_Haut");

QString Position_Vers_Texte(float twips, const QLocale& locale);
// Empty or non-numeric text gives nothing: that coordinate keeps its designed value.
std::optional<float> Texte_Vers_Position(const QString& texte, const QLocale& locale);

} // namespace Reglages
