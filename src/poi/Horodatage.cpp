#include "poi/Horodatage.h"

namespace Horodatage {

QString Texte(const QDateTime& instant) {
    // The format overload of toString always uses the C locale: digits stay ASCII.
    return instant.toUTC().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss'Z'"));
}

QString Maintenant() {
    return Texte(QDateTime::currentDateTimeUtc());
}

} // namespace Horodatage
