#include "poi/Saisie_Coordonnees.h"

#include <cmath>

namespace Saisie_Coordonnees {

namespace {

// No position is this long, however many decimals: a pasted page is refused without reading.
constexpr qsizetype Longueur_Max = 200;

bool Blanc(QChar c) {
    return c == u' ' || c == u'\u00A0' || c == u'\u202F'; // no-break blanks of French text
}
bool Fin_Ligne(QChar c) {
    return c == u'\n' || c == u'\r';
}
bool Chiffre(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool Separateur(QChar c) {
    return Blanc(c) || Fin_Ligne(c) || c == u',' || c == u';' || c == u'/';
}

enum class Axe { Aucun, Latitude, Longitude };

struct Hemisphere {
    Axe axe;
    bool negatif;
};

std::optional<Hemisphere> Lettre(QChar c) {
    switch (c.unicode()) {
    case u'N':
    case u'n':
        return Hemisphere{Axe::Latitude, false};
    case u'S':
    case u's':
        return Hemisphere{Axe::Latitude, true};
    case u'E':
    case u'e':
        return Hemisphere{Axe::Longitude, false};
    case u'W':
    case u'w':
    case u'O':
    case u'o':
        return Hemisphere{Axe::Longitude, true};
    default:
        return std::nullopt;
    }
}

// The mark after a number, moving `i` past it: 0 degrees, 1 minutes, 2 seconds, -1 none.
int Marque(QStringView t, qsizetype& i) {
    if (i >= t.size())
        return -1;
    const QChar c = t[i];
    if (c == u'°' || c == u'º' || c == u'˚') {
        ++i;
        return 0;
    }
    if (c == u'\'' && i + 1 < t.size() && t[i + 1] == u'\'') {
        i += 2;
        return 2;
    }
    if (c == u'\'' || c == u'′' || c == u'’' || c == u'´') {
        ++i;
        return 1;
    }
    if (c == u'"' || c == u'″' || c == u'”') {
        ++i;
        return 2;
    }
    return -1;
}

struct Coordonnee {
    double degres = 0; // without its sign
    bool negatif = false;
    Axe axe = Axe::Aucun; // named by its letter
    bool simple = true;   // a plain decimal number, stored as typed
    bool sous_60 = true;  // its minutes and seconds
};

// One coordinate, its parts parted by blanks or marks: "-47.25", "47°43,1'N", "W 3 59 54".
// Only its shape is checked here; the values are checked once the text has one meaning.
std::optional<Coordonnee> Lire_Coordonnee(QStringView t) {
    Coordonnee c;
    qsizetype i = 0;
    std::optional<Hemisphere> lettre;
    if (i < t.size() && (lettre = Lettre(t[i]))) {
        for (++i; i < t.size() && Blanc(t[i]);)
            ++i;
    }
    bool signe = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+' || t[i] == u'\u2212')) {
        signe = true;
        c.negatif = t[i] != u'+';
        c.simple = t[i] != u'\u2212';
        ++i;
    }
    int parties = 0;
    bool fraction = false;
    while (i < t.size() && (Chiffre(t[i]) || t[i] == u'.')) {
        if (fraction || parties == 3) // only the last part has decimals
            return std::nullopt;
        QString nombre;
        for (; i < t.size() && Chiffre(t[i]); ++i)
            nombre += t[i];
        if (i + 1 < t.size() && (t[i] == u'.' || t[i] == u',') && Chiffre(t[i + 1])) {
            fraction = true;
            c.simple = c.simple && t[i] == u'.';
            nombre += u'.';
            for (++i; i < t.size() && Chiffre(t[i]); ++i)
                nombre += t[i];
        }
        if (nombre.isEmpty() || (i < t.size() && t[i] == u'.'))
            return std::nullopt; // a dot with no digit after it
        const double valeur = nombre.toDouble();
        const int marque = Marque(t, i);
        if (marque >= 0 && marque != parties)
            return std::nullopt;
        if (marque >= 0 || parties > 0)
            c.simple = false;
        if (parties > 0 && valeur >= 60)
            c.sous_60 = false;
        c.degres += valeur / std::pow(60, parties);
        ++parties;
        while (i < t.size() && Blanc(t[i]))
            ++i;
    }
    if (parties == 0)
        return std::nullopt;
    if (i < t.size() && !lettre && !signe && (lettre = Lettre(t[i])))
        ++i;
    if (i != t.size() || (lettre && signe))
        return std::nullopt;
    if (lettre) {
        c.axe = lettre->axe;
        c.negatif = lettre->negatif;
        c.simple = false;
    }
    return c;
}

// Latitude and longitude from two coordinates in the order typed: letters on both, or on
// neither and the latitude first.
std::optional<std::pair<Coordonnee, Coordonnee>> Associer(const Coordonnee& a,
                                                          const Coordonnee& b) {
    if (a.axe == Axe::Aucun && b.axe == Axe::Aucun)
        return std::pair(a, b);
    if (a.axe == Axe::Aucun || b.axe == Axe::Aucun || a.axe == b.axe)
        return std::nullopt;
    return a.axe == Axe::Latitude ? std::pair(a, b) : std::pair(b, a);
}

double Valeur(const Coordonnee& c) {
    return c.negatif ? -c.degres : c.degres;
}

QString Six_Decimales(double degres) {
    // Zero written without its sign: "-0.000000" would only puzzle a reader of the file.
    return QString::number(degres == 0 ? 0.0 : degres, 'f', 6);
}

struct Lecture {
    Position position;
    Coordonnees textes;
    bool sous_60;
};

std::optional<Lecture> Lire_Saisie(const QString& saisie) {
    if (saisie.size() > Longueur_Max)
        return std::nullopt;
    QStringView t = saisie;
    while (!t.isEmpty() && (Blanc(t.front()) || Fin_Ligne(t.front())))
        t = t.sliced(1);
    while (!t.isEmpty() && (Blanc(t.back()) || Fin_Ligne(t.back())))
        t.chop(1);

    // Each run of separators may be the one between latitude and longitude; a comma inside a
    // coordinate is its decimal comma.
    std::optional<Lecture> trouvee;
    int lectures = 0;
    bool que_des_blancs = true;
    for (qsizetype i = 0; i < t.size();) {
        if (!Separateur(t[i])) {
            ++i;
            continue;
        }
        qsizetype j = i;
        int francs = 0; // commas, semicolons and slashes: one at most between the two
        for (; j < t.size() && Separateur(t[j]); ++j) {
            francs += !Blanc(t[j]) && !Fin_Ligne(t[j]);
            que_des_blancs = que_des_blancs && Blanc(t[j]);
        }
        const auto a = francs <= 1 ? Lire_Coordonnee(t.first(i)) : std::nullopt;
        const auto b = a ? Lire_Coordonnee(t.sliced(j)) : std::nullopt;
        if (const auto paire = b ? Associer(*a, *b) : std::nullopt) {
            ++lectures;
            const auto& [lat, lon] = *paire;
            trouvee = Lecture{{Valeur(lat), Valeur(lon)}, {}, lat.sous_60 && lon.sous_60};
            if (lat.simple && lon.simple) // as typed, in the order typed (no letters)
                trouvee->textes = {t.first(i).toString(), t.sliced(j).toString()};
            else
                trouvee->textes = {Six_Decimales(Valeur(lat)), Six_Decimales(Valeur(lon))};
        }
        i = j;
    }
    if (lectures != 1 || (que_des_blancs && Lire_Coordonnee(t)))
        return std::nullopt;
    const Position& p = trouvee->position;
    if (!trouvee->sous_60 || !(std::abs(p.lat) <= 90 && std::abs(p.lon) <= 180))
        return std::nullopt;
    return trouvee;
}

} // namespace

std::optional<Position> Lire(const QString& saisie) {
    const auto lecture = Lire_Saisie(saisie);
    return lecture ? std::optional(lecture->position) : std::nullopt;
}

std::optional<Coordonnees> Decouper(const QString& saisie) {
    const auto lecture = Lire_Saisie(saisie);
    return lecture ? std::optional(lecture->textes) : std::nullopt;
}

} // namespace Saisie_Coordonnees
