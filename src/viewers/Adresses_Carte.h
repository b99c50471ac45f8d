#pragma once

// Addresses of the web map: the search address, then the query text appended directly.

#include <QString>

namespace Carte {

inline const QString Adresse_Recherche = QStringLiteral("https://maps.google.com/maps?q=");
inline const QString Lieu_Depart = QStringLiteral("France");

inline QString Adresse_Depart() {
    return Adresse_Recherche + Lieu_Depart;
}

// Latitude, encoded comma, longitude, exactly as stored; then French and the map type "h".
inline QString Adresse_POI(const QString& latitude, const QString& longitude) {
    return Adresse_Recherche + latitude + QStringLiteral("%2C") + longitude +
           QStringLiteral("&hl=fr") + QStringLiteral("&t=h");
}

} // namespace Carte
