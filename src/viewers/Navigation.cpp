#include "Navigation.h"

#include <cmath>
#include <numbers>

namespace Navigation {

namespace {

constexpr double Radian = std::numbers::pi / 180;

QString Degres_Minutes(double valeur, int chiffres, QChar positif, QChar negatif) {
    const long long milliemes = std::llround(std::abs(valeur) * 60000);
    const QChar hemisphere = valeur < 0 && milliemes != 0 ? negatif : positif;
    return QStringLiteral("%1°%2,%3′%4")
        .arg(milliemes / 60000, chiffres, 10, QLatin1Char('0'))
        .arg(milliemes / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(milliemes % 1000, 3, 10, QLatin1Char('0'))
        .arg(hemisphere);
}

} // namespace

double Distance_Milles(double lat1, double lon1, double lat2, double lon2) {
    // Haversine: well conditioned for the short legs of a passage as for long ones.
    const double s_lat = std::sin((lat2 - lat1) * Radian / 2);
    const double s_lon = std::sin((lon2 - lon1) * Radian / 2);
    const double h =
        s_lat * s_lat + std::cos(lat1 * Radian) * std::cos(lat2 * Radian) * s_lon * s_lon;
    const double angle = 2 * std::asin(std::sqrt(std::min(1.0, h)));
    return angle / Radian * 60;
}

double Relevement_Vrai(double lat1, double lon1, double lat2, double lon2) {
    const double dlon = (lon2 - lon1) * Radian;
    const double y = std::sin(dlon) * std::cos(lat2 * Radian);
    const double x = std::cos(lat1 * Radian) * std::sin(lat2 * Radian) -
                     std::sin(lat1 * Radian) * std::cos(lat2 * Radian) * std::cos(dlon);
    const double degres = std::atan2(y, x) / Radian;
    return degres < 0 ? degres + 360 : (degres >= 360 ? 0 : degres);
}

QString Latitude_DM(double latitude) {
    return Degres_Minutes(latitude, 2, u'N', u'S');
}

QString Longitude_DM(double longitude) {
    longitude -= 360 * std::floor((longitude + 180) / 360);
    return Degres_Minutes(longitude, 3, u'E', u'W');
}

QString Position_DM(double latitude, double longitude) {
    return Latitude_DM(latitude) + u' ' + Longitude_DM(longitude);
}

} // namespace Navigation
