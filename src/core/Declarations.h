#pragma once

// The POI store: the only copy of the open document, shared by every handler.
// POIs live at indices 1..Nb_POI; index 0 is never a POI and link slot 0 is never a link.

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>

namespace Declarations {

inline constexpr int Capacite = 100; // entries 0..Capacite exist in every table
inline constexpr int Liens_Max = 5;  // slots 0..Liens_Max exist for every POI

template <typename T> using Table = std::array<T, Capacite + 1>;
using Liens = std::array<QString, Liens_Max + 1>;

// What the opened file holds for a POI beyond its name, time, position and first five links
// (description, symbol, guid, other links...), kept as read (UTF-8, one element a line) to be
// written back in the same places. The places follow the order GPX gives a waypoint's
// children; the program's own time, name, links and OpenCPN's fixed lines go between them.
struct Garde_POI {
    enum Place {
        Avant_Heure, // ele
        Avant_Nom,   // magvar, geoidheight
        Avant_Liens, // cmt, desc, src
        Apres_Liens, // the links beyond the fifth
        Symbole,     // sym, type
        Precision,   // fix, sat, hdop, vdop, pdop, ageofdgpsdata, dgpsid
        Extensions,
        Places
    };
    std::array<QByteArray, Places> lignes;
    std::array<QByteArray, Liens_Max + 1> liens; // other children of link k (its type...)
    QByteArray attributs;    // of its start tag but lat and lon (namespace declarations...)
    QByteArray suite;        // what follows it in the file up to the next waypoint (comments...)
    bool sans_heure = false; // the file gave it no time element: none is written while empty
    bool fin_propre = false; // it has its own sym, type or extensions
};

// Bytes kept in pieces, written one after the other: the long track of a file is kept as it
// stands in the bytes read, sharing their memory, not copied.
struct Morceaux {
    QList<QByteArray> morceaux;
    Morceaux& operator=(const QByteArray& octets) {
        morceaux = {octets};
        return *this;
    }
    Morceaux& operator+=(const QByteArray& octets) {
        if (!octets.isEmpty())
            morceaux.append(octets);
        return *this;
    }
    bool isEmpty() const { return size() == 0; }
    qsizetype size() const {
        qsizetype n = 0;
        for (const QByteArray& m : morceaux)
            n += m.size();
        return n;
    }
};

// What the opened file holds outside the POIs of the store.
struct Garde_Fichier {
    QByteArray prologue;     // comments and instructions before the root
    QByteArray espaces_noms; // namespace declarations of its root beyond the usual ones
    QByteArray avant;        // lines before the first waypoint (metadata...)
    Morceaux apres;          // lines after the POIs (waypoints beyond the store, routes...)
    bool gpx_1_0 = false;    // a GPX 1.0 file: it stays one
    QByteArray epilogue;     // comments and instructions after the root
};

struct Declarations {
    qint16 Max_POI = Capacite;
    qint16 Nb_POI = 0;
    qint16 POI_Courant = 0;
    QString Nom_Fichier;
    QString Nom_Court;
    QString Dossier_Fichier;

    Table<QString> Nom_POI;
    Table<QString> Date_POI;
    Table<QString> Lat_POI;
    Table<QString> Long_POI;
    Table<qint16> Nb_Liens{};
    Table<Liens> Lien_URL;
    Table<Liens> Lien_Nom;
    Table<Garde_POI> Garde;
    Garde_Fichier Garde_Document;
};

// The store's own operations: every handler that changes a POI or its links goes through
// them, so that a field added to the store has one place to be copied.

// An empty document: no POI, every table and everything kept emptied.
void Vider_Document(Declarations& d);

// The one test of whether `i` names a POI of the document (1 to Nb_POI).
bool Est_POI(const Declarations& d, int i);

// One entry of every table, links and kept content included.
struct Fiche {
    QString nom, date, lat, lon;
    qint16 nb_liens = 0;
    Liens urls, noms;
    Garde_POI garde;
};
Fiche Lire_Fiche(const Declarations& d, int i);
void Ecrire_Fiche(Declarations& d, int i, const Fiche& fiche);
// POI i emptied: no name, time, coordinates, links or kept content.
void Vider_Fiche(Declarations& d, int i);
// POI i taken out: the POIs after it move down one place and Nb_POI drops by one.
void Retirer_POI(Declarations& d, int i);

// What "Valider" stores, typed in Lat_Long and Nom_WP; `maintenant` is the time stamp given to
// a POI that has none. The text of the message that refuses it, or the empty text when stored.
struct Saisie {
    QString lat_long, nom, maintenant;
};
// POI_Courant takes the entry. The coordinates are stored before the name is checked.
QString Modifier_POI(Declarations& d, const Saisie& saisie);
// A new POI after the last takes the entry and becomes POI_Courant; refused, the store is left
// as it was.
QString Creer_POI(Declarations& d, const Saisie& saisie);
// The refusal of a new POI in a full store.
QString Message_Plein(const Declarations& d);

// Appends a link to POI i; false, and nothing changed, when it has five already.
bool Ajouter_Lien(Declarations& d, int i, const QString& url, const QString& nom);
// The link takes `slot` of POI i; the links from there move up one slot, the fifth is lost.
void Inserer_Lien(Declarations& d, int i, int slot, const QString& url, const QString& nom);
// Link `slot` of POI i taken out; the links after it move down one slot.
void Retirer_Lien(Declarations& d, int i, int slot);

// POI i put back with all it holds: the POIs from i move up one place and Nb_POI grows by one.
void Inserer_POI(Declarations& d, int i, const Fiche& fiche);

// One change of the document, with what it takes to make it again or to go back: the whole
// entry of the POI before and after, kept content included.
struct Changement {
    enum Sorte {
        Remplacement, // POI `poi` goes from `avant` to `apres` (modified, links changed)
        Insertion,    // `apres` comes in at `poi` (a new POI)
        Retrait,      // `avant`, at `poi`, goes (a deleted POI)
    };
    Sorte sorte = Remplacement;
    int poi = 0;
    Fiche avant, apres;
};
// Insertion and Retrait undo each other; a Remplacement undoes itself.
Changement::Sorte Inverse(Changement::Sorte sorte);
// The change as it was made, and its reverse.
void Refaire(Declarations& d, const Changement& changement);
void Defaire(Declarations& d, const Changement& changement);

} // namespace Declarations
