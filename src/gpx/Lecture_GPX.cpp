#include "Lecture_GPX.h"

#include "Balises.h"
#include "Echappements_XML.h"
#include "Lignes.h"
#include "UTF8.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cctype>

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

// The bytes from `debut` to `fin` as one line to write back: with their own indentation when
// they begin their line, else `retrait`.
QByteArray Ligne(QByteArrayView t, qsizetype debut, qsizetype fin, QByteArrayView retrait) {
    qsizetype k = debut;
    while (k > 0 && (t[k - 1] == ' ' || t[k - 1] == '\t'))
        --k;
    const bool enTete = k == 0 || t[k - 1] == '\n' || t[k - 1] == '\r';
    return En_UTF8(t.sliced(debut, fin - debut),
                   (enTete ? t.sliced(k, debut - k) : retrait).toByteArray())
        .append("\r\n");
}

// What stands between `debut` and `fin` outside the waypoints, blanks around it aside, as far
// as it is well-formed: a saved file must stay one that XML can read.
void Garder(QByteArrayView t, qsizetype debut, qsizetype fin, QByteArray& garde) {
    while (debut < fin && Blanc(t[debut]))
        ++debut;
    fin = Balises::Fin_Bien_Formee(t, debut, fin);
    while (fin > debut && Blanc(t[fin - 1]))
        --fin;
    if (debut < fin)
        garde += Ligne(t, debut, fin, "\t");
}

// The content of an element, from its start tag to its end tag.
QString Texte_Element(QByteArrayView t, const Balise& ouvrante, const Balise& fermante) {
    if (ouvrante.genre == Genre::Vide)
        return QString();
    return Valeur(Balises::Contenu(t.sliced(ouvrante.fin, fermante.debut - ouvrante.fin)));
}

void Completer_Nom(QString& nom) {
    if (nom.isEmpty())
        nom = QStringLiteral("(Sans nom)");
    nom.replace(QLatin1String("%20"), QLatin1String(" "));
}

// Finds the waypoints' start tags, outside comments and CDATA sections. The next "<!" is
// searched once and remembered: a file of millions of lines is searched in one pass.
class Chercheur_Points {
  public:
    Chercheur_Points(QByteArrayView t, qsizetype fin) : t_(t.first(fin)) {}

    qsizetype Suivant(qsizetype depuis) {
        for (;;) {
            const qsizetype q = Chercher(t_, "<wpt", depuis);
            if (q < 0)
                return -1;
            if (exclu_ < depuis) {
                exclu_ = Chercher(t_, "<!", depuis);
                if (exclu_ < 0)
                    exclu_ = t_.size();
            }
            if (exclu_ < q) {
                const Balise b = Balises::Lire(t_, exclu_, t_.size());
                depuis = b.genre == Genre::Texte ? exclu_ + 1 : b.fin;
                continue;
            }
            const Balise b = Balises::Lire(t_, q, t_.size());
            if ((b.genre == Genre::Ouvrante || b.genre == Genre::Vide) && b.nom == "wpt")
                return q;
            depuis = q + 1;
        }
    }

  private:
    QByteArrayView t_;
    qsizetype exclu_ = -1;
};

// An element open inside a waypoint.
struct Ouvert {
    Balise balise;
    int lien = 0; // the link slot it fills, for one of the first five links
};

bool Simple(const Ouvert& o) {
    const QByteArrayView n = o.balise.nom;
    return n == "time" || n == "name" || n == "link" || n == "text";
}

bool Du_Magasin(QByteArrayView nom) {
    return nom == "time" || nom == "name" || nom == "link";
}

// Reads the waypoint whose start tag is `wpt` into POI n. Gives where the reading goes on:
// after its end tag, at the next waypoint's start tag when it has none, or at `fin`.
class Lecteur_Point {
  public:
    Lecteur_Point(Declarations::Declarations& poi, int n, QByteArrayView t, qsizetype fin)
        : poi_(poi), n_(n), t_(t), fin_(fin), garde_(poi.Garde[n]) {}

    qsizetype Lire(const Balise& wpt, bool& ferme) {
        poi_.Lat_POI[n_] = Valeur(Balises::Attribut(wpt.attributs, "lat"));
        poi_.Long_POI[n_] = Valeur(Balises::Attribut(wpt.attributs, "lon"));
        garde_.sans_heure = true;
        ferme = wpt.genre == Genre::Vide;
        qsizetype i = wpt.fin;
        while (!ferme && i < fin_) {
            const Balise b = Balises::Lire(t_, i, fin_);
            switch (b.genre) {
            case Genre::Ouvrante:
            case Genre::Vide:
                if (b.nom == "wpt")
                    return b.debut;
                Ouvrante(b);
                break;
            case Genre::Fermante:
                if (b.nom == "wpt")
                    ferme = true;
                else
                    Fermante(b);
                break;
            case Genre::Commentaire:
            case Genre::Instruction:
                if (!b.coupee) // one cut short would swallow what is written after it
                    Ferme(Ouvert{b}, b);
                break;
            default:
                break;
            }
            i = b.fin;
        }
        return i;
    }

  private:
    void Ouvrante(const Balise& b) {
        // A time, name or link left open is closed by the next one, as a line reader would.
        if (Du_Magasin(b.nom) && !pile_.isEmpty() &&
            std::all_of(pile_.begin(), pile_.end(), Simple))
            pile_.clear();
        Ouvert o{b};
        if (pile_.isEmpty() && b.nom == "link" && poi_.Nb_Liens[n_] < Declarations::Liens_Max) {
            o.lien = ++poi_.Nb_Liens[n_];
            poi_.Lien_URL[n_][o.lien] = Valeur(Balises::Attribut(b.attributs, "href"));
            rang_ = Garde::Apres_Liens;
        }
        if (b.genre == Genre::Vide)
            Ferme(o, b);
        else
            pile_.append(o);
    }

    void Fermante(const Balise& b) {
        for (qsizetype k = pile_.size() - 1; k >= 0; --k)
            if (pile_[k].balise.nom == b.nom) {
                const Ouvert o = pile_[k];
                pile_.resize(k);
                Ferme(o, b);
                return;
            }
    }

    // The element `o` is whole, up to `fin`.
    void Ferme(const Ouvert& o, const Balise& fin) {
        if (pile_.isEmpty())
            Enfant(o.balise, fin, o.lien);
        else if (pile_.size() == 1 && pile_[0].lien)
            Dans_Lien(pile_[0].lien, o.balise, fin);
    }

    // A child of the waypoint, from the start of `debut` to the end of `fin`.
    void Enfant(const Balise& debut, const Balise& fin, int lien = 0) {
        const QByteArrayView nom = debut.nom;
        const bool element = debut.genre == Genre::Ouvrante || debut.genre == Genre::Vide;
        if (lien)
            return;
        if (nom == "time" && element) {
            poi_.Date_POI[n_] = Texte_Element(t_, debut, fin);
            garde_.sans_heure = false;
            rang_ = qMax(rang_, int(Garde::Avant_Nom));
        } else if (nom == "name" && element) {
            poi_.Nom_POI[n_] = Texte_Element(t_, debut, fin);
            rang_ = qMax(rang_, int(Garde::Avant_Liens));
        } else if (Bien_Forme(debut, fin)) {
            garde_.lignes[rang_] += Ligne(t_, debut.debut, fin.fin, "\t\t");
            if (nom == "sym" || nom == "type" || nom == "extensions")
                garde_.fin_propre = true;
        }
    }

    // Kept only when it can be written back as XML.
    bool Bien_Forme(const Balise& debut, const Balise& fin) const {
        return Balises::Fin_Bien_Formee(t_, debut.debut, fin.fin) == fin.fin;
    }

    // A child of the link in `slot`: its label, or another child kept with it.
    void Dans_Lien(int slot, const Balise& debut, const Balise& fin) {
        if (debut.nom == "text" && debut.genre != Genre::Commentaire &&
            debut.genre != Genre::Instruction)
            poi_.Lien_Nom[n_][slot] = Texte_Element(t_, debut, fin);
        else if (Bien_Forme(debut, fin))
            garde_.liens[slot] += Ligne(t_, debut.debut, fin.fin, "\t\t\t");
    }

    Declarations::Declarations& poi_;
    const int n_;
    const QByteArrayView t_;
    const qsizetype fin_;
    Garde& garde_;
    QVarLengthArray<Ouvert, 8> pile_; // open elements; the first is a child of the waypoint
    int rang_ = Garde::Avant_Heure;   // where the next kept element goes
};

// A namespace prefix as XML names it (ASCII ones only: no exporter uses others).
bool Prefixe(QByteArrayView p) {
    if (p.isEmpty() || !(std::isalpha(uchar(p[0])) || p[0] == '_'))
        return false;
    return std::all_of(p.begin(), p.end(), [](char o) {
        return std::isalnum(uchar(o)) || o == '_' || o == '-' || o == '.';
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

} // namespace

bool Est_GPX(QByteArrayView contenu) {
    return Balises::Racine(contenu) == "gpx";
}

void Lire_Fichier(Declarations::Declarations& poi, QByteArrayView t) {
    Declarations::Vider_Document(poi);
    Declarations::Garde_Fichier& document = poi.Garde_Document;
    const int max = qBound(0, int(poi.Max_POI), Declarations::Capacite);

    // Inside the root "gpx" when there is one; a fragment is read whole.
    Balise racine;
    qsizetype debut = 0;
    qsizetype fin = t.size();
    if (Balises::Racine(t, &racine) == "gpx") {
        document.espaces_noms = Espaces_Noms(racine.attributs);
        debut = racine.genre == Genre::Vide ? t.size() : racine.fin;
        // A file cut short keeps what it holds whole.
        if (const qsizetype finRacine = t.lastIndexOf("</gpx>"); finRacine >= debut)
            fin = finRacine;
    }

    Chercheur_Points points(t, fin);
    qsizetype i = debut;
    int n = 0;
    for (qsizetype q; (q = points.Suivant(i)) >= 0;) {
        Garder(t, i, q, n == 0 ? document.avant : document.apres);
        i = q;
        if (n >= max)
            break; // the waypoints beyond the store are kept with the rest
        n = ++poi.Nb_POI;
        bool ferme = false;
        i = Lecteur_Point(poi, n, t, fin).Lire(Balises::Lire(t, q, fin), ferme);
        if (ferme && !poi.Date_POI[n].isEmpty())
            Completer_Nom(poi.Nom_POI[n]);
    }
    // Without a waypoint, only the metadata the file begins with stays before the POIs that
    // will be created.
    if (n == 0) {
        qsizetype k = i;
        while (k < fin && Blanc(t[k]))
            ++k;
        if (k < fin) {
            const Balise b = Balises::Lire(t, k, fin);
            if ((b.genre == Genre::Ouvrante || b.genre == Genre::Vide) && b.nom == "metadata") {
                const qsizetype metadata = Balises::Fin_Bien_Formee(t, k, fin, true);
                Garder(t, i, metadata, document.avant);
                i = metadata;
            }
        }
    }
    Garder(t, i, fin, document.apres);

    // References last, so that "&#37;20" stays "%20" and "&#40;Sans nom)" is only a name.
    for (int k = 1; k <= n; ++k)
        poi.Nom_POI[k] = Echappements_XML::Decoder_References(poi.Nom_POI[k]);
    poi.POI_Courant = qint16(n + 1);
}

} // namespace Fichiers
