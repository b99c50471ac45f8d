#include "Rivages.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cmath>
#include <mutex>
#include <netcdf.h>

namespace Rivages {

namespace {

constexpr char Lettres[Nb_Resolutions + 1] = "clihf";
// The nominal precision of each resolution, in metres.
constexpr double Precision[Nb_Resolutions] = {25000, 5000, 1000, 200, 40};
// Measured on 1000 x 700 pixels over the densest coasts (Norway, the Canadian Arctic): the
// high file at 2000 m a pixel takes some 60 ms, the intermediate at 8000 m some 80 ms. The
// full file holds some four times the points of the high one.
constexpr double Plafonds[Nb_Resolutions] = {HUGE_VAL, HUGE_VAL, 8000, 2000, 500};
constexpr double Pas_Relatif = 65535.0; // a bin's side in the units of its points
// Grounding lines of the Antarctic ice shelves: an alternative coast; the ice front is drawn.
constexpr int Niveau_Ligne_Echouage = 6;

// Where a point on a bin's side lies along the bin's outline, counter-clockwise from the
// south-west corner: the south side from 0 to 1, the east side from 1 to 2, and so on.
double Position(int cote, unsigned short x, unsigned short y) {
    switch (cote) {
    case 0:
        return x / Pas_Relatif;
    case 1:
        return 1 + y / Pas_Relatif;
    case 2:
        return 2 + (Pas_Relatif - x) / Pas_Relatif;
    default:
        return 3 + (Pas_Relatif - y) / Pas_Relatif;
    }
}

// Reading a netCDF file; every call records the first failure.
class Lecteur {
  public:
    explicit Lecteur(const QString& chemin) {
        Verifier(nc_open(QFile::encodeName(chemin).constData(), NC_NOWRITE, &id_));
        ouvert_ = erreur_.isEmpty();
    }
    ~Lecteur() {
        if (ouvert_)
            nc_close(id_);
    }
    int Entier(const char* nom) {
        std::vector<int> v;
        Lire(nom, 1, v);
        return v.empty() ? 0 : v[0];
    }
    template <typename T> void Lire(const char* nom, std::size_t n, std::vector<T>& v) {
        int var = 0, dims = 0, dim = 0;
        std::size_t longueur = 0;
        if (!Verifier(nc_inq_varid(id_, nom, &var)) || !Verifier(nc_inq_varndims(id_, var, &dims)))
            return;
        if (dims != 1 || !Verifier(nc_inq_vardimid(id_, var, &dim)) ||
            !Verifier(nc_inq_dimlen(id_, dim, &longueur)) || longueur != n) {
            Echec(QStringLiteral("%1 n'a pas la taille attendue").arg(QLatin1String(nom)));
            return;
        }
        v.resize(n);
        if constexpr (sizeof(T) == sizeof(int))
            Verifier(nc_get_var_int(id_, var, v.data()));
        else
            Verifier(nc_get_var_short(id_, var, v.data()));
    }
    void Echec(const QString& texte) {
        if (erreur_.isEmpty())
            erreur_ = texte;
    }
    const QString& Erreur() const { return erreur_; }

  private:
    bool Verifier(int code) {
        if (code != NC_NOERR)
            Echec(QString::fromUtf8(nc_strerror(code)));
        return code == NC_NOERR && erreur_.isEmpty();
    }
    int id_ = -1;
    bool ouvert_ = false;
    QString erreur_;
};

bool Contient(const Ligne& anneau, QPointF p) {
    bool dedans = false;
    for (std::size_t i = 0, j = anneau.size() - 1; i < anneau.size(); j = i++) {
        const QPointF a = anneau[i], b = anneau[j];
        if ((a.y() > p.y()) != (b.y() > p.y()) &&
            p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x())
            dedans = !dedans;
    }
    return dedans;
}

} // namespace

QString Fichier(Resolution r, const QString& dossier) {
    return dossier + QStringLiteral("/binned_GSHHS_") + QLatin1Char(Lettres[int(r)]) +
           QStringLiteral(".nc");
}

std::vector<Resolution> Installees(const QString& dossier) {
    std::vector<Resolution> r;
    for (int i = 0; i < Nb_Resolutions; ++i)
        if (QFileInfo(Fichier(Resolution(i), dossier)).isReadable())
            r.push_back(Resolution(i));
    return r;
}

double Limite(Resolution r) {
    return Precision[int(r)] / 8;
}

double Plafond(Resolution r) {
    return Plafonds[int(r)];
}

std::optional<Resolution> Choisir(double metres_par_pixel,
                                  const std::vector<Resolution>& installees) {
    if (installees.empty())
        return std::nullopt;
    std::optional<Resolution> choisie;
    for (const Resolution r : installees)
        if (metres_par_pixel <= Plafond(r) && (!choisie || r > *choisie))
            choisie = r;
    return choisie ? choisie : *std::min_element(installees.begin(), installees.end());
}

std::unique_ptr<Base> Base::Ouvrir(const QString& chemin, QString* erreur) {
    // The netCDF library may not be used by two threads at once: each chart reads its files
    // in a thread of its own, and two charts may live together (the tests, the bench).
    static std::mutex netcdf;
    const std::lock_guard<std::mutex> verrou(netcdf);
    std::unique_ptr<Base> b(new Base);
    Lecteur f(chemin);
    const int minutes = f.Entier("Bin_size_in_minutes");
    b->colonnes_ = f.Entier("N_bins_in_360_longitude_range");
    b->rangees_ = f.Entier("N_bins_in_180_degree_latitude_range");
    const int cases = f.Entier("N_bins_in_file");
    const int segments = f.Entier("N_segments_in_file");
    const int points = f.Entier("N_points_in_file");
    if (f.Erreur().isEmpty() &&
        (minutes <= 0 || b->colonnes_ * minutes != 360 * 60 || b->rangees_ * minutes != 180 * 60 ||
         cases != b->colonnes_ * b->rangees_ || segments < 0 || points < 0))
        f.Echec(QStringLiteral("la grille n'est pas celle d'un fichier GSHHG"));
    b->taille_ = minutes / 60.0;
    if (f.Erreur().isEmpty()) {
        f.Lire("Id_of_first_segment_in_a_bin", cases, b->premier_segment_);
        f.Lire("Embedded_node_levels_in_a_bin", cases, b->niveaux_coins_);
        f.Lire("N_segments_in_a_bin", cases, b->nb_segments_);
        f.Lire("Embedded_npts_levels_exit_entry_for_a_segment", segments, b->infos_segment_);
        f.Lire("Id_of_first_point_in_a_segment", segments, b->premier_point_);
        f.Lire("Relative_longitude_from_SW_corner_of_bin", points, b->dx_);
        f.Lire("Relative_latitude_from_SW_corner_of_bin", points, b->dy_);
    }
    // Every index is checked once here, so that decoding never reads outside the tables.
    for (int c = 0; f.Erreur().isEmpty() && c < cases; ++c)
        if (b->premier_segment_[c] < 0 || b->nb_segments_[c] < 0 ||
            qint64(b->premier_segment_[c]) + b->nb_segments_[c] > segments)
            f.Echec(QStringLiteral("case %1 hors du fichier").arg(c));
    for (int s = 0; f.Erreur().isEmpty() && s < segments; ++s) {
        const qint64 n = b->infos_segment_[s] >> 9;
        if (b->infos_segment_[s] < 0 || n < 1 || b->premier_point_[s] < 0 ||
            b->premier_point_[s] + n > points)
            f.Echec(QStringLiteral("segment %1 hors du fichier").arg(s));
    }
    if (!f.Erreur().isEmpty()) {
        if (erreur)
            *erreur = f.Erreur();
        return nullptr;
    }
    return b;
}

void Base::Case(int b, double decalage, Morceau& m) const {
    const double ouest = (b % colonnes_) * taille_ + decalage;
    const double sud = 90 - (b / colonnes_ + 1) * taille_;
    const double echelle = taille_ / Pas_Relatif;
    // The corners counter-clockwise from the south-west one, at positions 0 (or 4), 1, 2, 3.
    const std::array<QPointF, 4> coins = {QPointF(ouest, sud), QPointF(ouest + taille_, sud),
                                          QPointF(ouest + taille_, sud + taille_),
                                          QPointF(ouest, sud + taille_)};

    // Each segment that crosses the bin is closed along the bin's outline, counter-clockwise
    // from where it leaves to where it entered. Such a ring holds the south-west corner when
    // that walk passes it; the count of those rings sets whether the whole bin is one ring more.
    int autour_du_coin = 0;
    const int premier = premier_segment_[b];
    for (int s = premier; s < premier + nb_segments_[b]; ++s) {
        const int info = infos_segment_[s];
        if (((info >> 6) & 7) == Niveau_Ligne_Echouage)
            continue;
        const int n = info >> 9, entree = (info >> 3) & 7, sortie = info & 7;
        const int p0 = premier_point_[s];
        Ligne ligne(n);
        for (int i = 0; i < n; ++i)
            ligne[i] = QPointF(ouest + static_cast<unsigned short>(dx_[p0 + i]) * echelle,
                               sud + static_cast<unsigned short>(dy_[p0 + i]) * echelle);
        if (entree > 3 || sortie > 3) { // a closed shore inside the bin
            m.push_back({std::move(ligne), std::size_t(n), true});
            continue;
        }
        const auto u = [&](int i) { return static_cast<unsigned short>(i); };
        const double depart = Position(sortie, u(dx_[p0 + n - 1]), u(dy_[p0 + n - 1]));
        const double arrivee = Position(entree, u(dx_[p0]), u(dy_[p0]));
        const double parcours = std::fmod(arrivee - depart + 4, 4);
        std::vector<std::pair<double, int>> passes;
        for (int k = 1; k <= 4; ++k) {
            const double distance = std::fmod(k - depart + 4, 4);
            if (distance > 0 && distance < parcours)
                passes.emplace_back(distance, k % 4);
        }
        std::sort(passes.begin(), passes.end());
        for (const auto& [distance, coin] : passes) {
            ligne.push_back(coins[coin]);
            autour_du_coin += coin == 0;
        }
        m.push_back({std::move(ligne), std::size_t(n), false});
    }
    const int niveau_coin = std::min((static_cast<unsigned short>(niveaux_coins_[b]) >> 9) & 7, 4);
    if ((niveau_coin + autour_du_coin) % 2)
        m.push_back({Ligne(coins.begin(), coins.end()), 0, false});
}

Morceau Base::Extraire(const Zone& z) const {
    Morceau m;
    for (int rangee = 0; rangee < rangees_; ++rangee) {
        const double nord = 90 - rangee * taille_;
        if (nord - taille_ >= z.nord || nord <= z.sud)
            continue;
        for (int tour = int(std::floor(z.ouest / 360)) - 1; tour <= int(std::floor(z.est / 360));
             ++tour)
            for (int colonne = 0; colonne < colonnes_; ++colonne) {
                const double ouest = colonne * taille_ + tour * 360.0;
                if (ouest < z.est && ouest + taille_ > z.ouest)
                    Case(rangee * colonnes_ + colonne, tour * 360.0, m);
            }
    }
    return m;
}

bool Base::Terre(double latitude, double longitude) const {
    const double lon = longitude - 360 * std::floor(longitude / 360);
    const int rangee = std::clamp(int((90 - latitude) / taille_), 0, rangees_ - 1);
    const int colonne = std::clamp(int(lon / taille_), 0, colonnes_ - 1);
    Morceau m;
    Case(rangee * colonnes_ + colonne, 0, m);
    const auto dedans = std::count_if(m.begin(), m.end(), [&](const Anneau& a) {
        return Contient(a.points, QPointF(lon, latitude));
    });
    return dedans % 2;
}

} // namespace Rivages
