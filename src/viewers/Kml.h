#pragma once

#include <QString>

namespace Visionneuses {

// The sample placemark handed to Google Earth: always the same, whatever POI is selected.
inline QString Kml_Geneve() {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                          "<kml xmlns=\"http://earth.google.com/kml/2.1\">"
                          "<Placemark>"
                          "<name>Geneva</name>"
                          "<LookAt>"
                          "<longitude>6.156182706892176</longitude>"
                          "<latitude>46.20746317320977</latitude>"
                          "<altitude>0</altitude>"
                          "<range>316.3662914479763</range>"
                          "<tilt>0</tilt>"
                          "<heading>6.199453434125936</heading>"
                          "</LookAt>"
                          "<Point>"
                          "<coordinates>6.156019183879536,46.20743386584116,0</coordinates>"
                          "</Point>"
                          "</Placemark>"
                          "</kml>");
}

} // namespace Visionneuses
