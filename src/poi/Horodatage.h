#pragma once

// The time stamp of a POI, as GPX writes times: "2026-03-05T14:03:07Z", always UTC.

#include <QDateTime>
#include <QString>

namespace Horodatage {

QString Texte(const QDateTime& instant);
// The UTC clock, read once.
QString Maintenant();

} // namespace Horodatage
