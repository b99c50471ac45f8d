#include "Dessin_Carte.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

namespace Dessin_Carte {

namespace {

constexpr double Radian = std::numbers::pi / 180;
constexpr double Metres_Par_Degre = 111320; // along the equator
constexpr double Metres_Par_Mille = 1852;

// Two calm colours, as on a paper chart.
const QColor Mer(212, 230, 241);
const QColor Terre(241, 233, 210);
const QColor Rivage(93, 118, 135);
const QColor Canevas(60, 80, 100, 70);
const QColor Encre(44, 62, 80);
const QColor Repere_Couleur(31, 78, 121);
const QColor Choisi_Couleur(211, 84, 0);

// A font of a size in points as a screen shows it, scaled like the lines on a printer.
QFont Police(const QFont& base, double points, const Vue& v) {
    QFont police = base;
    police.setPixelSize(std::max(1, int(std::lround(points * 4 / 3 * v.pixel))));
    return police;
}

// Text with a light halo, readable on land, sea and lines alike.
void Ecrire(QPainter& p, QPointF ou, const QString& texte, const QFont& police,
            const QColor& couleur, double pixel) {
    QPainterPath chemin;
    chemin.addText(ou, police, texte);
    p.strokePath(chemin, QPen(QColor(255, 255, 255, 220), 3 * pixel, Qt::SolidLine, Qt::RoundCap,
                              Qt::RoundJoin));
    p.fillPath(chemin, couleur);
}

// The projection of a view, its centre worked out once: the chart projects every point.
class Projection {
  public:
    explicit Projection(const Vue& v)
        : v_(v), centre_(QPointF(v.longitude, Mercator(v.latitude)) * v.echelle -
                         QPointF(v.taille.width(), v.taille.height()) / 2) {}
    QPolygonF operator()(const Rivages::Ligne& ligne) const {
        QPolygonF q(qsizetype(ligne.size()));
        for (std::size_t i = 0; i < ligne.size(); ++i) {
            const double lat = std::clamp(ligne[i].y(), -Latitude_Limite, Latitude_Limite);
            q[i] = QPointF(ligne[i].x() * v_.echelle - centre_.x(),
                           centre_.y() - std::atanh(std::sin(lat * Radian)) / Radian * v_.echelle +
                               v_.taille.height());
        }
        return q;
    }

  private:
    const Vue& v_;
    QPointF centre_; // the centre, scaled, less half the size
};

void Dessiner_Rivages(QPainter& p, const Vue& v, Bases& bases) {
    const Rivages::Base* base = bases.Pour(v.Metres_Par_Pixel());
    if (!base) {
        const QFont police = Police(p.font(), 10, v);
        Ecrire(p, QPointF(12 * v.pixel, v.taille.height() / 2),
               QStringLiteral("Aucun trait de côte installé (paquet gmt-gshhg-low)"), police, Encre,
               v.pixel);
        return;
    }
    const Projection projeter(v);
    const Rivages::Morceau m = base->Extraire(v.Zone());
    std::vector<QPolygonF> anneaux;
    anneaux.reserve(m.size());
    QPainterPath terres;
    terres.setFillRule(Qt::OddEvenFill);
    for (const Rivages::Anneau& a : m) {
        anneaux.push_back(projeter(a.points));
        terres.addPolygon(anneaux.back());
    }
    // Without antialiasing: neighbouring bins meet without a seam, and the shore drawn next
    // smooths the edge.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(terres, Terre);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Rivage, v.pixel)); // one pixel: the fast path of the raster engine
    for (std::size_t i = 0; i < m.size(); ++i) {
        QPolygonF& q = anneaux[i];
        q.resize(qsizetype(m[i].rivage));
        if (m[i].ferme && !q.isEmpty())
            q << q.first();
        p.drawPolyline(q);
    }
}

// A parallel or meridian about every hundred pixels, at a round number of minutes.
double Pas_Canevas(const Vue& v) {
    constexpr double Pas[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 1200, 1800, 3600};
    for (const double minutes : Pas)
        if (minutes / 60 * v.echelle >= 100 * v.pixel)
            return minutes / 60;
    return 60;
}

void Dessiner_Canevas(QPainter& p, const Vue& v) {
    const double pas = Pas_Canevas(v);
    const bool minutes = pas < 1;
    const Rivages::Zone z = v.Zone();
    const QFont police = Police(p.font(), 8, v);
    const QPen trait(Canevas, v.pixel);
    for (double lon = std::ceil(z.ouest / pas) * pas; lon <= z.est; lon += pas) {
        const double x = v.Ecran(v.latitude, lon).x();
        p.setPen(trait);
        p.drawLine(QPointF(x, 0), QPointF(x, v.taille.height()));
        Ecrire(p, QPointF(x + 3 * v.pixel, 14 * v.pixel), Degres_Minutes(lon, false, minutes),
               police, Encre, v.pixel);
    }
    const double sud = std::max(z.sud, -Latitude_Limite), nord = std::min(z.nord, Latitude_Limite);
    for (double lat = std::ceil(sud / pas) * pas; lat <= nord; lat += pas) {
        const double y = v.Ecran(lat, v.longitude).y();
        p.setPen(trait);
        p.drawLine(QPointF(0, y), QPointF(v.taille.width(), y));
        Ecrire(p, QPointF(4 * v.pixel, y - 3 * v.pixel), Degres_Minutes(lat, true, minutes), police,
               Encre, v.pixel);
    }
}

// A bar of a round number of nautical miles, at most about 160 pixels long.
void Dessiner_Echelle(QPainter& p, const Vue& v) {
    constexpr double Milles[] = {0.05, 0.1, 0.2, 0.5, 1,   2,    5,    10,
                                 20,   50,  100, 200, 500, 1000, 2000, 5000};
    const double par_mille = Metres_Par_Mille / v.Metres_Par_Pixel();
    double milles = Milles[0];
    for (const double m : Milles)
        if (m * par_mille <= 160 * v.pixel)
            milles = m;
    const double longueur = milles * par_mille;
    const QPointF depart(14 * v.pixel, v.taille.height() - 14 * v.pixel);
    const QPointF fin = depart + QPointF(longueur, 0);
    p.setPen(QPen(Encre, 2 * v.pixel, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(depart, fin);
    for (const QPointF bout : {depart, fin})
        p.drawLine(bout, bout - QPointF(0, 6 * v.pixel));
    const QFont police = Police(p.font(), 8, v);
    const QString texte = QLocale(QLocale::French).toString(milles) +
                          (milles < 2 ? QStringLiteral(" mille") : QStringLiteral(" milles"));
    Ecrire(p, depart - QPointF(0, 9 * v.pixel), texte, police, Encre, v.pixel);
}

// The marks in view, and the selected one's.
struct Marque {
    int index;
    QPointF centre;
};
std::vector<Marque> Marques(const Vue& v, const std::vector<Repere>& reperes, int choisi) {
    const QRectF cadre(QPointF(-50, -50) * v.pixel,
                       v.taille + QSizeF(100, 100) * v.pixel); // a name may stand out of it
    std::vector<Marque> marques;
    for (int i = 0; i < int(reperes.size()); ++i)
        for (const double tour : {-360.0, 0.0, 360.0})
            if (const Repere& r = reperes[i]; r.Place()) {
                const QPointF c = v.Ecran(r.latitude, r.longitude + tour);
                if (cadre.contains(c))
                    marques.push_back({i, c});
            }
    // The selected POI first for its label, last for its mark (above the others).
    std::stable_partition(marques.begin(), marques.end(),
                          [&](const Marque& m) { return m.index == choisi; });
    return marques;
}

double Rayon(const Vue& v, bool choisi) {
    return (choisi ? 6 : 4) * v.pixel;
}

QFont Police_Etiquette(const Vue& v, bool choisi) {
    QFont police = Police(QFont(), 9, v);
    police.setBold(choisi);
    return police;
}

// The names first, the marks over them.
void Dessiner_Reperes(QPainter& p, const Vue& v, const std::vector<Repere>& reperes, int choisi) {
    const std::vector<Etiquette> etiquettes = Etiquettes(v, reperes, choisi);
    for (auto e = etiquettes.rbegin(); e != etiquettes.rend(); ++e) {
        const bool lui = e->index == choisi;
        const QFont police = Police_Etiquette(v, lui);
        Ecrire(p, e->boite.topLeft() + QPointF(0, QFontMetricsF(police).ascent()), e->texte, police,
               lui ? Choisi_Couleur.darker(130) : Encre, v.pixel);
    }
    const std::vector<Marque> marques = Marques(v, reperes, choisi);
    for (auto m = marques.rbegin(); m != marques.rend(); ++m) {
        const bool lui = m->index == choisi;
        const double r = Rayon(v, lui);
        if (lui) {
            p.setPen(QPen(Choisi_Couleur, 2 * v.pixel));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(m->centre, 2.2 * r, 2.2 * r);
        }
        p.setPen(QPen(Qt::white, 1.5 * v.pixel));
        p.setBrush(lui ? Choisi_Couleur : Repere_Couleur);
        p.drawEllipse(m->centre, r, r);
    }
}

} // namespace

bool Repere::Place() const {
    return std::isfinite(latitude) && std::isfinite(longitude) && std::abs(latitude) <= 90 &&
           std::abs(longitude) <= 360;
}

bool Repere::operator==(const Repere& autre) const {
    if (nom != autre.nom || Place() != autre.Place())
        return false;
    return !Place() || (latitude == autre.latitude && longitude == autre.longitude);
}

double Mercator(double latitude) {
    const double l = std::clamp(latitude, -Latitude_Limite, Latitude_Limite) * Radian;
    return std::atanh(std::sin(l)) / Radian;
}

double Latitude(double mercator) {
    return (2 * std::atan(std::exp(mercator * Radian)) - std::numbers::pi / 2) / Radian;
}

QPointF Vue::Ecran(double lat, double lon) const {
    return QPointF((lon - longitude) * echelle + taille.width() / 2,
                   (Mercator(latitude) - Mercator(lat)) * echelle + taille.height() / 2);
}

QPointF Vue::Lieu(QPointF ecran) const {
    return QPointF(longitude + (ecran.x() - taille.width() / 2) / echelle,
                   Latitude(Mercator(latitude) - (ecran.y() - taille.height() / 2) / echelle));
}

Rivages::Zone Vue::Zone() const {
    const QPointF no = Lieu(QPointF(0, 0));
    const QPointF se = Lieu(QPointF(taille.width(), taille.height()));
    return {no.x(), se.y(), se.x(), no.y()};
}

double Vue::Metres_Par_Pixel() const {
    return Metres_Par_Degre * std::cos(latitude * Radian) / echelle;
}

double Vue::Echelle_Min() const {
    return std::max(1.0, std::min(taille.width(), taille.height())) / 360;
}

double Vue::Echelle_Utile() const {
    const double utile =
        plus_fin > 0 ? Metres_Par_Degre * std::cos(latitude * Radian) / plus_fin : Echelle_Max;
    return std::max(Echelle_Min(), std::min(utile, Echelle_Max));
}

void Vue::Borner() {
    echelle = std::clamp(echelle, Echelle_Min(), Echelle_Utile());
}

void Vue::Deplacer(QPointF pixels) {
    longitude += pixels.x() / echelle;
    longitude -= 360 * std::floor((longitude + 180) / 360);
    const double y = Mercator(latitude) - pixels.y() / echelle;
    latitude = std::clamp(Latitude(y), -Latitude_Limite, Latitude_Limite);
}

void Vue::Cadrer(const Rivages::Zone& z) {
    longitude = (z.ouest + z.est) / 2;
    latitude = Latitude((Mercator(z.sud) + Mercator(z.nord)) / 2);
    const double largeur = std::max(z.est - z.ouest, 1e-6);
    const double hauteur = std::max(Mercator(z.nord) - Mercator(z.sud), 1e-6);
    echelle = std::min(taille.width() / largeur, taille.height() / hauteur);
    Borner();
}

Bases::Bases(const QString& dossier)
    : dossier_(dossier), installees_(Rivages::Installees(dossier)) {}

Bases::~Bases() {
    if (lecteur_.joinable())
        lecteur_.join();
}

double Bases::Limite() const {
    return installees_.empty() ? 0 : Rivages::Limite(installees_.back());
}

const Rivages::Base* Bases::Pour(double metres_par_pixel) {
    const auto r = forcee ? forcee : Rivages::Choisir(metres_par_pixel, installees_);
    if (!r)
        return nullptr;
    Lue& lue = lues_[int(*r)];
    if (!lue.valid()) { // not read, nor being read: read here, once no other file is read
        if (lecteur_.joinable())
            lecteur_.join();
        std::promise<std::shared_ptr<const Rivages::Base>> promesse;
        promesse.set_value(Rivages::Base::Ouvrir(Rivages::Fichier(*r, dossier_)));
        lue = promesse.get_future().share();
    }
    return lue.get().get();
}

void Bases::Precharger() {
    if (lecteur_.joinable())
        return;
    std::vector<std::pair<QString, std::promise<std::shared_ptr<const Rivages::Base>>>> a_lire;
    // The full resolution is read only for a chart that needs it: it alone would take more
    // memory than all the others.
    for (const Rivages::Resolution r : installees_)
        if (r != Rivages::Resolution::Complete && !lues_[int(r)].valid()) {
            a_lire.emplace_back(Rivages::Fichier(r, dossier_),
                                std::promise<std::shared_ptr<const Rivages::Base>>());
            lues_[int(r)] = a_lire.back().second.get_future().share();
        }
    lecteur_ = std::thread([a_lire = std::move(a_lire)]() mutable {
        for (auto& [fichier, promesse] : a_lire)
            promesse.set_value(Rivages::Base::Ouvrir(fichier));
    });
}

QString Degres_Minutes(double valeur, bool latitude, bool minutes) {
    if (!latitude)
        valeur -= 360 * std::floor((valeur + 180) / 360);
    const long total = std::lround(std::abs(valeur) * 60);
    QString texte = QString::number(total / 60) + u'°';
    if (minutes)
        texte += QStringLiteral("%1′").arg(total % 60, 2, 10, QLatin1Char('0'));
    if (total == 0 || (!latitude && total == 180 * 60))
        return texte;
    return texte + (latitude ? (valeur < 0 ? u'S' : u'N') : (valeur < 0 ? u'W' : u'E'));
}

std::vector<Etiquette> Etiquettes(const Vue& v, const std::vector<Repere>& reperes, int choisi) {
    const std::vector<Marque> marques = Marques(v, reperes, choisi);
    // A name neither covers another nor hides another POI's mark.
    const auto libre = [&](const QRectF& boite, const Marque& sienne,
                           const std::vector<Etiquette>& placees) {
        return std::none_of(placees.begin(), placees.end(),
                            [&](const Etiquette& e) { return e.boite.intersects(boite); }) &&
               std::none_of(marques.begin(), marques.end(), [&](const Marque& m) {
                   const double r = Rayon(v, m.index == choisi) * 1.5;
                   return &m != &sienne &&
                          boite.intersects(QRectF(m.centre - QPointF(r, r), QSizeF(2 * r, 2 * r)));
               });
    };
    std::vector<Etiquette> etiquettes;
    for (const Marque& m : marques) {
        const bool lui = m.index == choisi;
        const QFont police = Police_Etiquette(v, lui);
        const QString texte = Nom_Lisible(reperes[m.index].nom, police, 180 * v.pixel);
        if (texte.isEmpty())
            continue;
        const QFontMetricsF mesure(police);
        const QSizeF taille(mesure.horizontalAdvance(texte), mesure.ascent() + mesure.descent());
        const double ecart = Rayon(v, lui) * (lui ? 2.2 : 1) + 4 * v.pixel; // past the ring
        // Right of the mark, left of it, above, below.
        const QPointF places[] = {{ecart, -taille.height() / 2},
                                  {-ecart - taille.width(), -taille.height() / 2},
                                  {-taille.width() / 2, -ecart - taille.height()},
                                  {-taille.width() / 2, ecart}};
        for (const QPointF place : places) {
            const QRectF boite(m.centre + place, taille);
            if (lui || libre(boite, m, etiquettes)) {
                etiquettes.push_back({m.index, boite, texte});
                break;
            }
        }
    }
    return etiquettes;
}

QString Nom_Lisible(const QString& nom, const QFont& police, double largeur) {
    // A label shows some thirty characters: more is never laid out.
    constexpr qsizetype Debut = 64;
    QString texte = nom.left(Debut);
    if (texte.size() < nom.size()) {
        if (texte.back().isHighSurrogate())
            texte.chop(1);
        texte += u'…';
    }
    return QFontMetricsF(police).elidedText(texte.simplified(), Qt::ElideRight, largeur);
}

void Dessiner(QPainter& p, const Vue& v, const std::vector<Repere>& reperes, int choisi,
              Bases& bases) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRectF(QPointF(0, 0), v.taille));
    p.fillRect(QRectF(QPointF(0, 0), v.taille), Mer);
    Dessiner_Rivages(p, v, bases);
    Dessiner_Canevas(p, v);
    Dessiner_Reperes(p, v, reperes, choisi);
    Dessiner_Echelle(p, v);
    p.restore();
}

} // namespace Dessin_Carte
