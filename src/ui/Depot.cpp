#include "Depot.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace Depot {

QString Fichier_GPX(const QMimeData* donnees) {
    if (!donnees || !donnees->hasUrls())
        return QString();
    const QList<QUrl> adresses = donnees->urls();
    if (adresses.size() != 1 || !adresses.first().isLocalFile())
        return QString();
    const QString chemin = adresses.first().toLocalFile();
    if (!chemin.endsWith(QStringLiteral(".gpx"), Qt::CaseInsensitive))
        return QString();
    return QDir::toNativeSeparators(chemin);
}

} // namespace Depot
