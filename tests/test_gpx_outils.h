#pragma once

// Shared by the GPX tests: reference files, a real XML reading of what the writer produced,
// and a file size limit to make writes fail (the tests run as root).

#include "core/Declarations.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

inline QByteArray Reference(const QString& nom) {
    QFile fichier(qEnvironmentVariable("QUILLVANE_REFERENCES") + u'/' + nom);
    if (!fichier.open(QIODevice::ReadOnly))
        qFatal("reference missing: %s", qPrintable(fichier.fileName()));
    return fichier.readAll();
}

inline QByteArray Lire(const QString& chemin) {
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

inline void Ecrire(const QString& chemin, const QByteArray& octets) {
    QFile fichier(chemin);
    QVERIFY(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(fichier.write(octets), octets.size());
}

inline Declarations::Declarations Magasin_Vide() {
    Declarations::Declarations poi;
    poi.Max_POI = Declarations::Capacite;
    return poi;
}

// A waypoint as a real XML parser sees it.
struct Point_XML {
    QString lat, lon, time, name;
    QStringList href, text;
};

// The waypoints of a GPX text; fails the test when the text is not well-formed.
inline QList<Point_XML> Points_XML(const QByteArray& octets) {
    QList<Point_XML> points;
    QXmlStreamReader xml(octets);
    Point_XML* point = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QStringView nom = xml.name();
        if (nom == u"wpt") {
            points.append(Point_XML{});
            point = &points.last();
            point->lat = xml.attributes().value(QLatin1String("lat")).toString();
            point->lon = xml.attributes().value(QLatin1String("lon")).toString();
        } else if (point && nom == u"time") {
            point->time = xml.readElementText();
        } else if (point && nom == u"name") {
            point->name = xml.readElementText();
        } else if (point && nom == u"link") {
            point->href << xml.attributes().value(QLatin1String("href")).toString();
        } else if (point && nom == u"text") {
            point->text << xml.readElementText();
        }
    }
    if (xml.hasError())
        qWarning("XML error: %s at line %lld", qPrintable(xml.errorString()), xml.lineNumber());
    if (xml.hasError()) {
        Point_XML erreur;
        erreur.name = QStringLiteral("XML non valide");
        return {erreur};
    }
    return points;
}

// While it lives, no file may grow beyond `octets` (the write then fails instead of
// killing the process).
struct Limite_Taille {
    explicit Limite_Taille(rlim_t octets) {
        getrlimit(RLIMIT_FSIZE, &avant);
        signal(SIGXFSZ, SIG_IGN);
        rlimit limite = avant;
        limite.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~Limite_Taille() { setrlimit(RLIMIT_FSIZE, &avant); }
    Limite_Taille(const Limite_Taille&) = delete;
    Limite_Taille& operator=(const Limite_Taille&) = delete;
    rlimit avant{};
};
