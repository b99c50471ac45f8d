#pragma once

// What a sailor measures between two places on the sphere: the distance in nautical miles and
// the true bearing, and a position written as pilot books write it, in degrees and decimal
// minutes. Shared by the chart's readout and its printout.

#include <QString>

namespace Navigation {

// Great-circle distance in nautical miles (one minute of arc of the sphere).
double Distance_Milles(double lat1, double lon1, double lat2, double lon2);
// Initial true bearing from the first place to the second, in degrees from 0 to under 360.
double Relevement_Vrai(double lat1, double lon1, double lat2, double lon2);

// "47°43,100′N", "003°59,900′W": degrees on two or three digits and minutes to the thousandth,
// rounded; the hemisphere of a value that rounds to zero is N or E.
QString Latitude_DM(double latitude);
QString Longitude_DM(double longitude);
// "47°43,100′N 003°59,900′W".
QString Position_DM(double latitude, double longitude);

} // namespace Navigation
