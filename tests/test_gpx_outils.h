#pragma once

// Shared by the GPX tests: reference files, the store as read, a real XML reading of what the
// writer produced, and a file size limit to make writes fail (the tests run as root).

#include "gpx/Lecture_GPX.h"
#include "support/Lecture_XML.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>
#include <sys/resource.h>

using Magasin = Declarations::Declarations;

inline QByteArray Lire(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

// A file kept beside the tests (a missing one reads as empty, which no comparison accepts).
inline QByteArray Reference(const QString& nom) {
    return Lire(QStringLiteral(QUILLVANE_REFERENCES "/") + nom);
}

inline void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size());
}

inline Magasin Magasin_Vide() {
    Magasin poi;
    poi.Max_POI = Declarations::Capacite;
    return poi;
}

inline Magasin Lu(const QByteArray& contenu) {
    Magasin poi = Magasin_Vide();
    Fichiers::Lire_Fichier(poi, contenu);
    return poi;
}

// POI i of the store as "lat|lon|time|name", then "|url|label" for each of its links.
inline QString Poi(const Magasin& poi, int i) {
    QStringList t{poi.Lat_POI[i], poi.Long_POI[i], poi.Date_POI[i], poi.Nom_POI[i]};
    for (int l = 1; l <= poi.Nb_Liens[i]; ++l)
        t << poi.Lien_URL[i][l] << poi.Lien_Nom[i][l];
    return t.join(u'|');
}

// Every POI of the store, one a line.
inline QString Pois(const Magasin& poi) {
    QStringList t;
    for (int i = 1; i <= poi.Nb_POI; ++i)
        t << Poi(poi, i);
    return t.join(u'\n');
}

// A waypoint as a real XML parser sees it.
struct Point_XML {
    QString name;
    QStringList href, text;
};

// The waypoints of a GPX text (the children of its root); a single point named "XML non
// valide" when not well-formed.
inline QList<Point_XML> Points_XML(const QByteArray& octets) {
    QList<Point_XML> points;
    QXmlStreamReader xml(octets);
    int profondeur = 0;
    bool dansPoint = false;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isEndElement())
            --profondeur;
        if (!xml.isStartElement())
            continue;
        ++profondeur;
        if (profondeur == 2 && (dansPoint = xml.name() == u"wpt"))
            points.append(Point_XML{});
        else if (!dansPoint || profondeur < 3)
            continue;
        else if (profondeur == 3 && xml.name() == u"link")
            points.last().href << xml.attributes().value(QLatin1String("href")).toString();
        else if ((profondeur == 3 && xml.name() == u"name") ||
                 (profondeur == 4 && xml.name() == u"text")) {
            const QString texte = xml.readElementText(); // its end tag read as well
            --profondeur;
            if (xml.name() == u"name")
                points.last().name = texte;
            else
                points.last().text << texte;
        }
    }
    if (xml.hasError())
        return {Point_XML{u"XML non valide"_qs, {}, {}}};
    return points;
}

// While it lives, no file may grow beyond `octets`: the write fails (EFBIG) in a process
// that ignores SIGXFSZ as the program does, and the process dies of it otherwise.
struct Limite_Taille {
    explicit Limite_Taille(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &avant);
        const rlimit limite{octets, avant.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~Limite_Taille() { setrlimit(RLIMIT_FSIZE, &avant); }
    rlimit avant{};
};

// The rows of a test whose cases stand in a table: one row per entry, named by its `nom`,
// giving the entry's index in column "i".
template <typename Table> void Rangees(const Table& table) {
    QTest::addColumn<int>("i");
    for (int i = 0; i < int(std::size(table)); ++i)
        QTest::newRow(table[i].nom) << i;
}
