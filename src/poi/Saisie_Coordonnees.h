#pragma once

// What the user types in Lat_Long: "latitude,longitude", split at the first comma.

#include <QString>
#include <optional>

namespace Saisie_Coordonnees {

struct Coordonnees {
    QString lat; // the text before the first comma, exactly as typed
    QString lon; // the text after it, exactly as typed
};

// The two sides when each is a plain decimal number on the globe (blanks around it allowed,
// an optional sign, "." as decimal point, latitude in [-90, 90], longitude in [-180, 180]);
// nothing otherwise. A number OpenCPN would read differently must never be stored.
std::optional<Coordonnees> Decouper(const QString& saisie);

} // namespace Saisie_Coordonnees
