#pragma once

// The chart the program draws itself where the web map cannot be had: sea and land from the
// GSHHG shorelines, a graticule in degrees and minutes, a scale in nautical miles and the
// file's POIs, in the Mercator projection of sea charts.

#include "viewers/Rivages.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <array>
#include <future>
#include <memory>
#include <optional>
#include <thread>

class QFont;
class QPainter;

namespace Dessin_Carte {

// A POI as the chart shows it; a place whose text is not a number is not drawn.
struct Repere {
    QString nom;
    double latitude, longitude;
    bool Place() const;
    // Two POIs without a place are alike whatever their unreadable texts gave.
    bool operator==(const Repere& autre) const;
};

// Mercator ordinate, in degrees, of a latitude (held within the chart's limit of 85 degrees).
double Mercator(double latitude);
double Latitude(double mercator);
inline constexpr double Latitude_Limite = 85.0;

// What the chart shows: its centre, its scale and its size.
struct Vue {
    double longitude = 2.5, latitude = 46.6; // France, the start place
    double echelle = 0;                      // pixels per degree of longitude
    QSizeF taille;
    double pixel = 1; // device pixels to a screen pixel, for lines and marks (printing)
    // Metres a pixel below which the installed shorelines show nothing more (0: no limit).
    double plus_fin = 0;

    QPointF Ecran(double latitude, double longitude) const;
    // Longitude (x) and latitude (y) at a point of the chart.
    QPointF Lieu(QPointF ecran) const;
    Rivages::Zone Zone() const;
    double Metres_Par_Pixel() const;
    // The scales from the whole world to a harbour.
    double Echelle_Min() const;
    static constexpr double Echelle_Max = 100000;
    // The largest scale worth showing here: Echelle_Max, or less where `plus_fin` says so.
    double Echelle_Utile() const;
    // Holds the scale between the whole world and the largest scale worth showing.
    void Borner();
    // Moves the centre by a number of pixels, the latitude held within the chart.
    void Deplacer(QPointF pixels);
    // Puts a zone at the centre, at the largest scale that shows it whole.
    void Cadrer(const Rivages::Zone& z);
};

// The shoreline files, each read once, when the chart first needs it.
class Bases {
  public:
    explicit Bases(const QString& dossier = Rivages::Dossier_Systeme);
    ~Bases();
    // The file for this scale, or the one forced; null when none can be read.
    const Rivages::Base* Pour(double metres_par_pixel);
    std::optional<Rivages::Resolution> forcee;
    // The finest scale the finest installed file resolves, in metres a pixel; 0 without any.
    double Limite() const;
    // Reads the installed files not read yet, from the coarsest, in a thread of its own: the
    // first chart at a finer scale then need not wait for its file. Once only.
    void Precharger();

  private:
    using Lue = std::shared_future<std::shared_ptr<const Rivages::Base>>;
    QString dossier_;
    std::vector<Rivages::Resolution> installees_;
    std::array<Lue, Rivages::Nb_Resolutions> lues_;
    std::thread lecteur_; // the files are read one at a time: netCDF allows no more
};

// "47°52′N", "3°05′W"; whole degrees without minutes when `minutes` is false ("40°N").
QString Degres_Minutes(double valeur, bool latitude, bool minutes);

// A name cut to what a label can show: at most `largeur` wide, and never more than a few
// dozen characters laid out, however long the name.
QString Nom_Lisible(const QString& nom, const QFont& police, double largeur);

// A POI's name where the chart writes it.
struct Etiquette {
    int index; // in the list of POIs
    QRectF boite;
    QString texte;
};
// The names the chart writes: the selected POI's first, always, then the others in list
// order, each at the first place around its mark (right, left, above, below) where it covers
// no name already placed and no other mark, or left out.
std::vector<Etiquette> Etiquettes(const Vue& v, const std::vector<Repere>& reperes, int choisi);

// The chart of the view on `p`, from (0, 0) to the view's size.
void Dessiner(QPainter& p, const Vue& v, const std::vector<Repere>& reperes, int choisi,
              Bases& bases);

} // namespace Dessin_Carte
