#include "Lecture_GPX.h"

#include "Balises.h"
#include "Echappements_XML.h"
#include "Lignes.h"
#include "UTF8.h"

#include <QStringDecoder>
#include <algorithm>

namespace Fichiers {

namespace {

using Balises::Balise;
using Balises::Genre;
using Balises::Detail::Blanc;
using Garde = Declarations::Garde_POI;

QString Valeur(QByteArrayView octets) {
    return UTF8::UTF8_Vers_Texte(octets);
}

// The bytes as UTF-8, the encoding the file is written in, after `debut`.
QByteArray En_UTF8(QByteArrayView octets, QByteArray debut = {}) {
    if (!UTF8::Est_UTF8(octets))
        return debut + UTF8::Windows1252_Vers_Texte(octets).toUtf8();
    debut.reserve(debut.size() + octets.size() + 2);
    return debut.append(octets);
}

QByteArrayView Local(QByteArrayView nom) {
    const qsizetype deux_points = nom.indexOf(':');
    return deux_points < 0 ? nom : nom.sliced(deux_points + 1);
}

// A UTF-16 file (told by its byte-order mark) as UTF-8, its declaration saying so.
QByteArray Depuis_UTF16(QByteArrayView octets) {
    const bool petit = octets.startsWith("\xff\xfe");
    QStringDecoder decodeur(petit ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    QByteArray texte = QString(decodeur.decode(octets.sliced(2))).toUtf8();
    if (texte.startsWith("<?xml")) {
        const qsizetype fin = texte.indexOf("?>");
        if (fin > 0)
            texte.replace(0, fin + 2, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    }
    return texte;
}

bool UTF16(QByteArrayView octets) {
    return octets.startsWith("\xff\xfe") || octets.startsWith("\xfe\xff");
}

// The namespaces in force at the current element: each start tag's declarations are
// added, and taken away with its end tag.
class Espaces {
  public:
    // Declarations of a start tag's attributes, in force until Retirer; how many.
    int Declarer(QByteArrayView attributs) {
        // Most tags declare nothing, and hold no "x" at all.
        if (attributs.size() < 6 || attributs.indexOf('x') < 0 || !attributs.contains("xmlns"))
            return 0;
        int n = 0;
        Balises::Pour_Chaque_Attribut(attributs, [&](QByteArrayView nom, QByteArrayView valeur) {
            if (nom != "xmlns" && !nom.startsWith("xmlns:"))
                return;
            const QByteArrayView prefixe = nom.size() > 5 ? nom.sliced(6) : QByteArrayView("");
            const auto avant = courantes_.constFind(prefixe);
            anciennes_.append({prefixe, avant == courantes_.cend() ? QByteArrayView() : *avant,
                               avant != courantes_.cend()});
            courantes_.insert(prefixe, valeur);
            if (prefixe.isEmpty())
                defaut_ = valeur;
            ++n;
        });
        return n;
    }
    void Retirer(int n) {
        for (; n > 0; --n) {
            const Ancienne a = anciennes_.last();
            anciennes_.removeLast();
            if (a.avait)
                courantes_.insert(a.prefixe, a.valeur);
            else
                courantes_.remove(a.prefixe);
            if (a.prefixe.isEmpty())
                defaut_ = a.avait ? a.valeur : QByteArrayView("");
        }
    }
    // The namespace of an element's name; a prefix declared nowhere gives one that no
    // declaration can name.
    QByteArrayView De(QByteArrayView nom) const {
        const qsizetype deux_points = nom.indexOf(':');
        if (deux_points < 0)
            return defaut_;
        const auto trouve = courantes_.constFind(nom.first(deux_points));
        return trouve != courantes_.cend() ? *trouve : QByteArrayView("\x01", 1);
    }

  private:
    struct Ancienne {
        QByteArrayView prefixe, valeur;
        bool avait = false;
    };
    QVarLengthArray<Ancienne, 8> anciennes_;
    QHash<QByteArrayView, QByteArrayView> courantes_;
    QByteArrayView defaut_ = ""; // the namespace of the names without a prefix
};

// The bytes [debut, fin) of `octets`, sharing their memory: nothing is copied.
QByteArray Tranche(const QByteArray& octets, qsizetype debut, qsizetype fin) {
    QByteArray tranche = octets;
    QByteArray::DataPointer& d = tranche.data_ptr();
    d.ptr += debut;
    d.size = fin - debut;
    return tranche;
}

// What the reading of one file shares between the root's content and its waypoints.
struct Lecteur {
    const QByteArray& octets; // the bytes read, `t` their view
    QByteArrayView t;
    Espaces espaces;
    QByteArrayView gpx;    // the root's namespace
    QByteArrayView racine; // the root's name: its end tag ends the content, wherever it stands
    bool repointer = false;
    QByteArray dossier; // escaped, for the targets re-pointed
    Lecture& lecture;

    // In the root's namespace, or in GPX 1.1's, which the program writes: a file keeps the
    // same waypoints and links once written (in a GPX 1.0 file, the links are written so).
    bool Du_GPX(QByteArrayView nom) const {
        const QByteArrayView espace = espaces.De(nom);
        return espace == gpx || espace == "http://www.topografix.com/GPX/1/1";
    }

    // The target of a link's start tag, re-pointed when it is a file link.
    QByteArrayView Lien(const Balise& b) {
        const QByteArrayView href = Balises::Attribut(b.attributs, "href");
        if (!repointer || href.isNull())
            return href;
        QByteArray nouvelle = Cible_Repointee(href, dossier);
        if (nouvelle.isNull())
            return href;
        const qsizetype debut = href.data() - t.data();
        lecture.cibles.append({debut, debut + href.size(), std::move(nouvelle)});
        return lecture.cibles.last().valeur;
    }

    // Appends the bytes from `debut` to `fin`, their link targets re-pointed.
    void Copier(QByteArray& copie, qsizetype debut, qsizetype fin) const {
        const QList<Cible>& c = lecture.cibles;
        auto k = std::lower_bound(c.begin(), c.end(), debut,
                                  [](const Cible& x, qsizetype d) { return x.debut < d; });
        for (; k != c.end() && k->fin <= fin; ++k) {
            copie.append(t.sliced(debut, k->debut - debut)).append(k->valeur);
            debut = k->fin;
        }
        copie.append(t.sliced(debut, fin - debut));
    }

    // The bytes from `debut` to `fin` as one line to write back, in UTF-8: with their own
    // indentation when they begin their line, else `retrait`. Copied once: the track of a
    // file of a hundred megabytes is kept this way.
    QByteArray Ligne(qsizetype debut, qsizetype fin, QByteArrayView retrait) const {
        qsizetype k = debut;
        while (k > 0 && (t[k - 1] == ' ' || t[k - 1] == '\t'))
            --k;
        const bool enTete = k == 0 || t[k - 1] == '\n' || t[k - 1] == '\r';
        const QByteArrayView avant = enTete ? t.sliced(k, debut - k) : retrait;
        QByteArray ligne;
        if (!UTF8::Est_UTF8(t.sliced(debut, fin - debut))) {
            Copier(ligne, debut, fin);
            return avant.toByteArray() + UTF8::Windows1252_Vers_Texte(ligne).toUtf8() + "\r\n";
        }
        ligne.reserve(avant.size() + fin - debut + 2);
        ligne.append(avant);
        Copier(ligne, debut, fin);
        return ligne.append("\r\n");
    }

    // What stands between `debut` and `fin` outside the waypoints, blanks around it aside.
    template <typename Garde> void Garder(qsizetype debut, qsizetype fin, Garde& garde) const {
        while (debut < fin && Blanc(t[debut]))
            ++debut;
        while (fin > debut && Blanc(t[fin - 1]))
            --fin;
        if (debut < fin)
            Ajouter(debut, fin, garde);
    }
    void Ajouter(qsizetype debut, qsizetype fin, QByteArray& garde) const {
        garde += Ligne(debut, fin, "\t");
    }
    // As Ligne, in pieces of the bytes read where they are kept as they stand.
    void Ajouter(qsizetype debut, qsizetype fin, Declarations::Morceaux& garde) const {
        qsizetype k = debut;
        while (k > 0 && (t[k - 1] == ' ' || t[k - 1] == '\t'))
            --k;
        const bool enTete = k == 0 || t[k - 1] == '\n' || t[k - 1] == '\r';
        if (!UTF8::Est_UTF8(t.sliced(debut, fin - debut))) {
            garde += Ligne(debut, fin, "\t");
            return;
        }
        if (!enTete)
            garde += "\t";
        debut = enTete ? k : debut;
        const QList<Cible>& c = lecture.cibles;
        auto m = std::lower_bound(c.begin(), c.end(), debut,
                                  [](const Cible& x, qsizetype d) { return x.debut < d; });
        for (; m != c.end() && m->fin <= fin; ++m) {
            garde += Tranche(octets, debut, m->debut);
            garde += m->valeur;
            debut = m->fin;
        }
        garde += Tranche(octets, debut, fin);
        garde += "\r\n";
    }
};

// The content of an element, from its start tag to its end tag.
QString Texte_Element(QByteArrayView t, const Balise& ouvrante, const Balise& fermante) {
    if (ouvrante.genre == Genre::Vide)
        return QString();
    QByteArray texte = Balises::Contenu(t.sliced(ouvrante.fin, fermante.debut - ouvrante.fin));
    // Line ends as XML reads them: a name written over several lines keeps them as line feeds.
    if (texte.contains('\r'))
        texte.replace("\r\n", "\n").replace('\r', '\n');
    return Valeur(texte);
}

void Completer_Nom(QString& nom) {
    if (nom.isEmpty())
        nom = QStringLiteral("(Sans nom)");
    nom.replace(QLatin1String("%20"), QLatin1String(" "));
}

// Where a waypoint's child goes back, by its name in the GPX namespace; -1 for a name GPX
// does not give a waypoint.
int Place_De(QByteArrayView nom) {
    static constexpr struct {
        QByteArrayView nom;
        int place;
    } Places[] = {{"ele", Garde::Avant_Heure},
                  {"magvar", Garde::Avant_Nom},
                  {"geoidheight", Garde::Avant_Nom},
                  {"cmt", Garde::Avant_Liens},
                  {"desc", Garde::Avant_Liens},
                  {"src", Garde::Avant_Liens},
                  {"link", Garde::Apres_Liens},
                  {"sym", Garde::Symbole},
                  {"type", Garde::Symbole},
                  {"fix", Garde::Precision},
                  {"sat", Garde::Precision},
                  {"hdop", Garde::Precision},
                  {"vdop", Garde::Precision},
                  {"pdop", Garde::Precision},
                  {"ageofdgpsdata", Garde::Precision},
                  {"dgpsid", Garde::Precision},
                  {"extensions", Garde::Extensions}};
    for (const auto& p : Places)
        if (p.nom == nom)
            return p.place;
    return -1;
}

// An element (or a comment, an instruction) open inside a waypoint; small, for a file may
// leave thousands of them open.
struct Ouvert {
    QByteArrayView nom;   // of its tag
    qsizetype debut = 0;  // where its start tag stands
    int espaces = 0;      // namespace declarations it made
    qint16 lien = 0;      // the link slot it fills, for one of the first five links
    bool gpx = false;     // in the GPX namespace
    bool element = false; // not a comment or an instruction
};

bool Simple(const Ouvert& o) {
    const QByteArrayView n = Local(o.nom);
    return o.gpx && (n == "time" || n == "name" || n == "link" || n == "text");
}

// Reads the waypoint whose start tag is `wpt` into POI n. Gives where the reading goes on:
// after its end tag, at the next waypoint's start tag or the root's end tag when it has
// none, or at the end.
class Lecteur_Point {
  public:
    Lecteur_Point(Declarations::Declarations& poi, int n, Lecteur& l)
        : poi_(poi), n_(n), l_(l), t_(l.t), garde_(poi.Garde[n]) {}

    qsizetype Lire(const Balise& wpt, bool& ferme) {
        poi_.Lat_POI[n_] = Valeur(Balises::Attribut(wpt.attributs, "lat"));
        poi_.Long_POI[n_] = Valeur(Balises::Attribut(wpt.attributs, "lon"));
        const int espaces = l_.espaces.Declarer(wpt.attributs);
        // Its other attributes (namespace declarations...) are kept, each once, as XML
        // writes them.
        QList<QByteArrayView> vus{"lat", "lon"};
        Balises::Pour_Chaque_Attribut(wpt.attributs, [&](QByteArrayView nom, QByteArrayView v) {
            if (vus.contains(nom) || v.contains('<') || nom.contains('<') || nom.contains('&'))
                return;
            vus.append(nom);
            garde_.attributs +=
                ' ' + nom.toByteArray() + "=\"" + En_UTF8(v).replace('"', "&quot;") + '"';
        });
        garde_.sans_heure = true;
        ferme = wpt.genre == Genre::Vide;
        const qsizetype fin = t_.size();
        qsizetype i = wpt.fin;
        while (!ferme && i < fin) {
            const Balise b = Balises::Lire(t_, i, fin);
            switch (b.genre) {
            case Genre::Ouvrante:
            case Genre::Vide: {
                const int declarees = l_.espaces.Declarer(b.attributs);
                const bool gpx = l_.Du_GPX(b.nom);
                if (gpx && Local(b.nom) == "wpt") {
                    l_.espaces.Retirer(declarees);
                    Quitter(espaces);
                    return b.debut;
                }
                Ouvrante(Ouvert{b.nom, b.debut, declarees, 0, gpx, true}, b);
                break;
            }
            case Genre::Fermante:
                if (const qsizetype k = pile_.Trouver(b.nom); k >= 0)
                    Fermante(k, b);
                else if (b.nom == l_.racine) {
                    Quitter(espaces);
                    return b.debut;
                } else if (Local(b.nom) == "wpt" && l_.Du_GPX(b.nom))
                    ferme = true;
                break;
            case Genre::Commentaire:
            case Genre::Instruction:
                if (!b.coupee) // one cut short would swallow what is written after it
                    Ferme(Ouvert{{}, b.debut}, b);
                break;
            default:
                break;
            }
            i = b.fin;
        }
        Quitter(espaces);
        return i;
    }

    int Nb_Liens() const { return liens_; }

  private:
    // The elements left open and the waypoint's own declarations end with it.
    void Quitter(int espaces) {
        while (!pile_.isEmpty())
            l_.espaces.Retirer(pile_.takeLast().espaces);
        l_.espaces.Retirer(espaces);
    }

    void Ouvrante(Ouvert o, const Balise& b) {
        const QByteArrayView nom = Local(b.nom);
        // A time, name or link left open is closed by the next one, as a line reader would.
        if (o.gpx && (nom == "time" || nom == "name" || nom == "link") && !pile_.isEmpty()) {
            bool simples = true;
            for (qsizetype k = 0; k < pile_.size() && simples; ++k)
                simples = Simple(pile_[k]);
            if (simples)
                while (!pile_.isEmpty())
                    l_.espaces.Retirer(pile_.takeLast().espaces);
        }
        if (pile_.isEmpty() && o.gpx && nom == "link") {
            ++liens_;
            const QByteArrayView href = l_.Lien(b);
            if (poi_.Nb_Liens[n_] < Declarations::Liens_Max) {
                o.lien = qint16(++poi_.Nb_Liens[n_]);
                poi_.Lien_URL[n_][o.lien] = Valeur(href);
                rang_ = Garde::Apres_Liens;
            }
        }
        if (b.genre == Genre::Vide) {
            l_.espaces.Retirer(o.espaces);
            Ferme(o, b);
        } else {
            pile_.append(o);
        }
    }

    void Fermante(qsizetype k, const Balise& b) {
        while (pile_.size() > k + 1)
            l_.espaces.Retirer(pile_.takeLast().espaces);
        const Ouvert o = pile_.takeLast();
        Ferme(o, b);
        l_.espaces.Retirer(o.espaces);
    }

    // The element `o` is whole, up to `fin`.
    void Ferme(const Ouvert& o, const Balise& fin) {
        if (pile_.isEmpty())
            Enfant(o, fin);
        else if (pile_.size() == 1 && pile_[0].lien)
            Dans_Lien(pile_[0].lien, o, fin);
    }

    // A child of the waypoint, from the start of `o` to the end of `fin`.
    void Enfant(const Ouvert& o, const Balise& fin) {
        if (o.lien)
            return;
        const Balise debut = Balises::Lire(t_, o.debut, t_.size());
        const QByteArrayView nom = Local(debut.nom);
        const bool gpx = o.gpx && o.element;
        if (gpx && nom == "time") {
            poi_.Date_POI[n_] = Texte_Element(t_, debut, fin);
            garde_.sans_heure = false;
            rang_ = Garde::Avant_Nom;
        } else if (gpx && nom == "name") {
            poi_.Nom_POI[n_] = Texte_Element(t_, debut, fin);
            rang_ = Garde::Avant_Liens;
        } else if (Bien_Forme(debut, fin)) {
            if (const int place = gpx ? Place_De(nom) : -1; place >= 0)
                rang_ = place;
            garde_.lignes[rang_] += l_.Ligne(debut.debut, fin.fin, "\t\t");
            if (gpx && (nom == "sym" || nom == "type" || nom == "extensions"))
                garde_.fin_propre = true;
        }
    }

    // Kept only when it can be written back as XML.
    bool Bien_Forme(const Balise& debut, const Balise& fin) const {
        return Balises::Fin_Bien_Formee(t_, debut.debut, fin.fin) == fin.fin;
    }

    // A child of the link in `slot`: its label, or another child kept with it.
    void Dans_Lien(int slot, const Ouvert& o, const Balise& fin) {
        const Balise debut = Balises::Lire(t_, o.debut, t_.size());
        if (o.gpx && o.element && Local(debut.nom) == "text")
            poi_.Lien_Nom[n_][slot] = Texte_Element(t_, debut, fin);
        else if (Bien_Forme(debut, fin))
            garde_.liens[slot] += l_.Ligne(debut.debut, fin.fin, "\t\t\t");
    }

    Declarations::Declarations& poi_;
    const int n_;
    Lecteur& l_;
    const QByteArrayView t_;
    Garde& garde_;
    Balises::Pile<Ouvert> pile_;    // open elements; the first is a child of the waypoint
    int rang_ = Garde::Avant_Heure; // where the next kept element goes
    int liens_ = 0;                 // its links, beyond the fifth too
};

// A namespace prefix as XML names it: a letter (any beyond ASCII included) or "_" first.
bool Prefixe(QByteArrayView p) {
    if (p.isEmpty() || !(std::isalpha(uchar(p[0])) || p[0] == '_' || uchar(p[0]) >= 0x80))
        return false;
    return std::all_of(p.begin(), p.end(), [](char o) {
        return std::isalnum(uchar(o)) || o == '_' || o == '-' || o == '.' || uchar(o) >= 0x80;
    });
}

// Namespaces that the kept elements may use beyond those the program declares itself.
QByteArray Espaces_Noms(QByteArrayView attributs) {
    QByteArray espaces;
    Balises::Pour_Chaque_Attribut(attributs, [&](QByteArrayView nom, QByteArrayView valeur) {
        if (!nom.startsWith("xmlns:") || !Prefixe(nom.sliced(6)) || valeur.contains('<') ||
            nom == "xmlns:xsi" || nom == "xmlns:gpxx" || nom == "xmlns:opencpn")
            return;
        QByteArray v = En_UTF8(valeur);
        espaces += ' ' + nom.toByteArray() + "=\"" + v.replace('"', "&quot;") + '"';
    });
    return espaces;
}

// The XML declaration, which the program writes itself; an instruction named "xml-..." is
// not one.
bool Declaration_XML(QByteArrayView t, const Balise& b) {
    return b.genre == Genre::Instruction && t.sliced(b.debut).startsWith("<?xml") &&
           b.fin - b.debut > 5 && (Blanc(t[b.debut + 5]) || t[b.debut + 5] == '?');
}

// What stands before the root: its comments and instructions go to `garde` (the XML
// declaration aside). The root's start tag, or a text run where there is none.
Balise Avant_Racine(const Lecteur& l, qsizetype i, QByteArray* garde) {
    const QByteArrayView t = l.t;
    while (i < t.size()) {
        if (Blanc(t[i])) {
            ++i;
            continue;
        }
        const Balise b = Balises::Lire(t, i, t.size());
        const bool instruction = b.genre == Genre::Instruction && t[i + 1] == '?';
        if (b.genre == Genre::Commentaire || instruction) {
            if (garde && !b.coupee && !Declaration_XML(t, b))
                *garde += l.Ligne(b.debut, b.fin, "");
        } else if (b.genre != Genre::Instruction) { // a document type is not kept
            return b;
        }
        i = b.fin;
    }
    return {Genre::Texte, i, i};
}

// An element open in the root's content, outside the waypoints of the store.
struct Ouvert_Racine {
    QByteArrayView nom;
    int espaces = 0;
    bool gpx = false;
    bool point = false;       // a waypoint beyond the store
    bool porte_liens = false; // a waypoint, route or track, or one of their points
    int liens = 0;
};

} // namespace

int Debut_GPX(QByteArrayView debut) {
    QByteArray converti;
    if (UTF16(debut))
        debut = converti = Depuis_UTF16(debut.first(debut.size() & ~qsizetype(1)));
    Lecture lecture;
    const QByteArray octets = QByteArray::fromRawData(debut.data(), debut.size());
    Lecteur l{octets, debut, {}, {}, {}, false, {}, lecture};
    const Balise b = Avant_Racine(l, debut.startsWith("\xef\xbb\xbf") ? 3 : 0, nullptr);
    if (b.debut >= debut.size())
        return -1;
    if (b.genre != Genre::Ouvrante && b.genre != Genre::Vide)
        return b.coupee ? -1 : 0;
    if (b.coupee && b.debut + 1 + b.nom.size() >= debut.size())
        return -1; // its name may go on
    return Local(b.nom) == "gpx" ? 1 : 0;
}

Lecture Lire_Fichier(Declarations::Declarations& poi, const QByteArray& contenu,
                     const QString* dossier) {
    Lecture lecture;
    if (UTF16(contenu))
        lecture.converti = Depuis_UTF16(contenu);
    const QByteArray& octets = lecture.converti.isNull() ? contenu : lecture.converti;
    const QByteArrayView t = octets;
    Lecteur l{octets,
              t,
              {},
              {},
              {},
              dossier != nullptr,
              dossier ? Dossier_Echappe(*dossier) : QByteArray(),
              lecture};
    Inventaire& compte = lecture.inventaire;
    Declarations::Vider_Document(poi);
    Declarations::Garde_Fichier& document = poi.Garde_Document;
    const int max = qBound(0, int(poi.Max_POI), Declarations::Capacite);
    const qsizetype fin = t.size();

    // Inside the root "gpx" when there is one; a fragment is read whole.
    const qsizetype bom = t.startsWith("\xef\xbb\xbf") ? 3 : 0;
    QByteArray prologue;
    const Balise racine = Avant_Racine(l, bom, &prologue);
    qsizetype debut = bom;
    if ((racine.genre == Genre::Ouvrante || racine.genre == Genre::Vide) &&
        Local(racine.nom) == "gpx") {
        lecture.gpx = true;
        document.prologue = prologue;
        document.espaces_noms = Espaces_Noms(racine.attributs);
        l.espaces.Declarer(racine.attributs);
        l.gpx = l.espaces.De(racine.nom);
        document.gpx_1_0 = l.gpx == "http://www.topografix.com/GPX/1/0";
        l.racine = racine.nom;
        debut = racine.genre == Genre::Vide ? fin : racine.fin;
    }

    Balises::Pile<Ouvert_Racine> pile;
    int gpx_ouverts = 0; // elements of the GPX namespace in the pile
    const auto Depiler = [&] {
        const Ouvert_Racine o = pile.takeLast();
        l.espaces.Retirer(o.espaces);
        gpx_ouverts -= o.gpx;
        if (o.point && o.liens > Declarations::Liens_Max)
            ++compte.points_trop_liens;
    };
    // The part kept goes from `segment` to its end, or only to `entier`, the end of its last
    // whole element, once something in it is not well-formed or left open.
    qsizetype segment = debut, entier = debut;
    bool faute = false;
    // Without a waypoint, only the metadata the file begins with stays before the POIs that
    // will be created.
    qsizetype finMetadata = -1;
    bool premier = true, metadata = false;
    int n = 0;
    qsizetype k = debut;
    qsizetype finContenu = fin;
    while (k < fin) {
        const Balise b = Balises::Lire(t, k, fin);
        const bool auNiveau = pile.isEmpty();
        switch (b.genre) {
        case Genre::Texte:
            if (t[k] == '<')
                faute = true;
            break;
        case Genre::Commentaire:
        case Genre::Cdata:
        case Genre::Instruction:
            faute |= b.coupee;
            break;
        case Genre::Ouvrante:
        case Genre::Vide: {
            const int espaces = l.espaces.Declarer(b.attributs);
            const bool gpx = l.Du_GPX(b.nom);
            const QByteArrayView nom = Local(b.nom);
            const bool point = gpx && gpx_ouverts == 0 && nom == "wpt";
            if (point && n < max) {
                ++compte.points;
                l.Garder(segment, faute || !pile.isEmpty() ? entier : k,
                         n == 0 ? document.avant : poi.Garde[n].suite);
                while (!pile.isEmpty()) // left open before it: given up
                    Depiler();
                l.espaces.Retirer(espaces); // the waypoint's reader declares them again
                n = ++poi.Nb_POI;
                bool ferme = false;
                Lecteur_Point lecteur(poi, n, l);
                k = segment = entier = lecteur.Lire(b, ferme);
                if (lecteur.Nb_Liens() > Declarations::Liens_Max)
                    ++compte.points_trop_liens;
                if (ferme && !poi.Date_POI[n].isEmpty())
                    Completer_Nom(poi.Nom_POI[n]);
                faute = false;
                premier = false;
                continue;
            }
            compte.points += point;
            faute |= b.coupee || !Balises::Attributs_Valides(b.attributs);
            if (auNiveau && gpx) {
                compte.routes += nom == "rte";
                compte.traces += nom == "trk";
            }
            if (gpx && nom == "link" && !auNiveau && pile.last().porte_liens) {
                l.Lien(b);
                ++pile.last().liens;
            }
            if (auNiveau && premier && n == 0)
                metadata = gpx && nom == "metadata";
            const Ouvert_Racine o{b.nom, espaces, gpx, point,
                                  gpx && (point || nom == "rte" || nom == "trk" || nom == "rtept" ||
                                          nom == "trkpt" || nom == "wpt")};
            if (b.genre == Genre::Ouvrante) {
                pile.append(o);
                gpx_ouverts += gpx;
            } else {
                l.espaces.Retirer(espaces);
            }
            break;
        }
        case Genre::Fermante:
            if (!pile.isEmpty() && pile.last().nom == b.nom) {
                Depiler();
                faute |= b.coupee || !Balises::Attributs_Valides(b.attributs);
            } else if (b.nom == l.racine) {
                finContenu = b.debut;
                faute |= !pile.isEmpty();
            } else {
                faute = true;
                if (const qsizetype trouve = pile.Trouver(b.nom); trouve >= 0)
                    while (pile.size() > trouve)
                        Depiler();
            }
            break;
        }
        if (finContenu < fin) {
            k = b.fin;
            break;
        }
        if (premier && !(b.genre == Genre::Texte && t[k] != '<' &&
                         std::all_of(t.begin() + k, t.begin() + b.fin, Blanc)))
            premier = false;
        k = b.fin;
        if (pile.isEmpty() && !faute) {
            entier = k;
            if (metadata) {
                finMetadata = k;
                metadata = false;
            }
        }
    }
    const bool laisses = !pile.isEmpty(); // elements left open: only what is whole is kept
    while (!pile.isEmpty())
        Depiler();
    if (n == 0 && finMetadata >= 0) {
        l.Garder(segment, finMetadata, document.avant);
        segment = finMetadata;
        entier = qMax(entier, segment);
    }
    l.Garder(segment, faute || laisses ? entier : finContenu, document.apres);

    // After the root, its comments and instructions.
    if (lecture.gpx)
        for (k = finContenu < fin ? k : fin; k < fin;) {
            const Balise b = Balises::Lire(t, k, fin);
            const bool instruction = b.genre == Genre::Instruction && t[k + 1] == '?';
            if ((b.genre == Genre::Commentaire || instruction) && !b.coupee)
                document.epilogue += l.Ligne(b.debut, b.fin, "");
            k = b.fin;
        }

    // References last, so that "&#37;20" stays "%20" and "&#40;Sans nom)" is only a name.
    for (int p = 1; p <= n; ++p)
        poi.Nom_POI[p] = Echappements_XML::Decoder_References(poi.Nom_POI[p]);
    poi.POI_Courant = qint16(n + 1);
    return lecture;
}

} // namespace Fichiers
