#pragma once

// The kernel's own counts of this process, as the benches read them from /proc/self.

#include <QByteArray>
#include <QFile>
#include <QString>

// The number after `cle` on its line of /proc/self/<fichier> ("io", "status"); 0 when none.
inline double Compteur_Proc(const QString& fichier, const QByteArray& cle) {
    QFile f(u"/proc/self/"_qs + fichier);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& ligne : f.readAll().split('\n'))
        if (ligne.startsWith(cle))
            return ligne.mid(cle.size()).trimmed().split(' ').value(0).toDouble();
    return 0;
}
