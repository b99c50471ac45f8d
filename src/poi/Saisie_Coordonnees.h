#pragma once

// What the user types or pastes in Lat_Long: a position as pilot books, paper charts and GPS
// programs write it. Decimal degrees ("47.25,-2.5", as the box always took them), degrees and
// decimal minutes, or degrees, minutes and seconds; a sign or a hemisphere letter (N, S, E, W,
// O for ouest, before or after, in either case); °, ', ′, ", ″ or blanks between the parts; a
// dot or a comma before the decimals; latitude and longitude parted by a comma, a semicolon,
// a slash, blanks or a line break. Hemisphere letters go on both coordinates or on neither;
// with letters the longitude may come first.
//
// Every accepted text has exactly one meaning. A comma between two digits is read both ways,
// as decimals and as the parting, and a text that then gives two positions is refused
// ("47,5,3"). A text with no comma, semicolon, slash or line break that reads as one coordinate
// is refused as well ("47 30", "-10 30"): it cannot be told from a forgotten longitude.

#include <QString>
#include <optional>

namespace Saisie_Coordonnees {

struct Position {
    double lat, lon; // decimal degrees, south and west negative
};

struct Coordonnees {
    QString lat; // the texts to store
    QString lon;
};

// The position a text means; nothing when it means none or more than one, or lies off the
// globe (latitude beyond 90°, longitude beyond 180°, minutes or seconds of 60 or more).
std::optional<Position> Lire(const QString& saisie);

// The texts to store for what Lire accepts: two plain decimal numbers (a dot, an ASCII sign)
// as typed, without the blanks around them, so that such entries are written as before; any
// other notation as decimal degrees with six decimals (a tenth of a metre).
std::optional<Coordonnees> Decouper(const QString& saisie);

} // namespace Saisie_Coordonnees
