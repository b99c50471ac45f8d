#pragma once

// The world's shorelines from the GSHHG files that GMT reads (Debian's gmt-gshhg packages):
// the binned netCDF form, where each bin of the grid holds shoreline segments in coordinates
// relative to its south-west corner and the level (0 sea, 1 land, 2 lake, 3 island in a
// lake, 4 pond) of its four corners. Decoding only: the chart itself is drawn by Carte_Marine.

#include <QPointF>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace Rivages {

inline const QString Dossier_Systeme = QStringLiteral("/usr/share/gmt-gshhg");

// From the coarsest to the finest, as GMT names them: c, l, i, h, f.
enum class Resolution { Grossiere, Basse, Intermediaire, Haute, Complete };
inline constexpr int Nb_Resolutions = 5;

QString Fichier(Resolution r, const QString& dossier = Dossier_Systeme);
// The resolutions whose file is in the folder, from the coarsest.
std::vector<Resolution> Installees(const QString& dossier = Dossier_Systeme);

// The finest scale, in metres per pixel, that a resolution still resolves: an eighth of its
// nominal precision (crude 3125 m, low 625 m, intermediate 125 m, high 25 m, full 5 m). Closer,
// its straight lines between points far apart would stand for a coast it does not know.
double Limite(Resolution r);
// The coarsest scale, in metres per pixel, at which a resolution is drawn fast enough: a
// window then holds few enough of its points (crude and low everywhere, intermediate to
// 8000 m, high to 2000 m, full to 500 m).
double Plafond(Resolution r);
// The finest installed resolution that can be drawn at this scale (its `Plafond`), so that
// every island the file knows is drawn; the coarsest installed when none is that fast; none
// when none is installed.
std::optional<Resolution> Choisir(double metres_par_pixel,
                                  const std::vector<Resolution>& installees);

// A rectangle in degrees; west and east may go past -180 and 180 to cross the antimeridian.
struct Zone {
    double ouest, sud, est, nord;
};

// Longitude, latitude in degrees.
using Ligne = std::vector<QPointF>;

// A closed ring: its first points are a shoreline, the others run along its bin's outline.
struct Anneau {
    Ligne points;
    std::size_t rivage = 0; // how many of the first points are the shoreline
    bool ferme = false;     // a shoreline closed on itself, inside its bin
};

// A place is land where an odd number of the rings hold it (even-odd filling).
using Morceau = std::vector<Anneau>;

// One file, read whole into memory when opened.
class Base {
  public:
    // Null, with the reason in `erreur`, when the file cannot be read as a GSHHG binned file.
    static std::unique_ptr<Base> Ouvrir(const QString& chemin, QString* erreur = nullptr);

    double Taille_Case() const { return taille_; } // degrees
    // Every bin that meets the zone, shifted by whole turns to lie in it.
    Morceau Extraire(const Zone& zone) const;
    bool Terre(double latitude, double longitude) const;

  private:
    Base() = default;
    // The bin b, its longitudes moved by `decalage` degrees, appended to `m`.
    void Case(int b, double decalage, Morceau& m) const;

    int colonnes_ = 0, rangees_ = 0;
    double taille_ = 0;
    std::vector<int> premier_segment_;
    std::vector<short> niveaux_coins_, nb_segments_;
    std::vector<int> infos_segment_, premier_point_;
    std::vector<short> dx_, dy_;
};

} // namespace Rivages
