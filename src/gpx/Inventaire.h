#pragma once

// What a GPX file holds beyond what the program lists and edits: the store takes at most 100
// waypoints of five links each and no route or track, and saving keeps the rest as it came.
// Counted by the reading of the file (Lecture_GPX), so that the user knows what is not shown.

#include <QByteArrayView>
#include <QString>

namespace Fichiers {

struct Inventaire {
    int points = 0;            // waypoints: the root's <wpt> children
    int routes = 0;            // its <rte> children
    int traces = 0;            // its <trk> children
    int points_trop_liens = 0; // waypoints with more than five <link>
};

// The warning for a file of which `listes` POIs were listed, or the empty text when the
// program shows all of it. `sauvegarde` is the backup that keeps the file as it was opened.
QString Avertissement(const Inventaire& inventaire, int listes, const QString& nomCourt,
                      const QString& sauvegarde);

} // namespace Fichiers
