#pragma once

// The chart shown over the web map when the map service cannot be reached: it appears when the
// web view fails to load a page and goes when a page loads again. It shows the file's POIs,
// the selected one at its centre, with its position in degrees and minutes; the wheel or + and
// - zoom, a drag or the arrows move it. A readout follows the pointer; a click on a marker and
// a double-click elsewhere are handed to the window.

#include "viewers/Dessin_Carte.h"

#include <QPixmap>
#include <QWidget>
#include <optional>

class QLabel;
class QWebEngineView;

class Carte_Marine : public QWidget {
    Q_OBJECT
  public:
    explicit Carte_Marine(QWebEngineView* navigateur);
    // The chart of a web view made by Navigateur::Creer_Vue; null for any other widget.
    static Carte_Marine* De(QWidget* navigateur);

    // The POIs of the file; a new list forgets the selection.
    void Montrer_Reperes(std::vector<Dessin_Carte::Repere> reperes);
    // Every POI in sight, names included (at once, or as soon as the chart has a size).
    void Cadrer_Reperes();
    // The selected POI (from 0) goes to the centre, at the scale shown or, closer than the
    // shorelines resolve, at the closest that they do.
    void Choisir(int index);

    const Dessin_Carte::Vue& Vue() const { return vue_; }
    const std::vector<Dessin_Carte::Repere>& Reperes() const { return reperes_; }
    int Choisi() const { return choisi_; }
    Dessin_Carte::Bases& Bases() { return bases_; }

  signals:
    // A click on the marker of POI `index` (from 0).
    void Repere_Clique(int index);
    // A double-click off the markers: the place, as the position box takes it.
    void Lieu_Double_Clique(const QString& lat_long);

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;
    void keyPressEvent(QKeyEvent* evenement) override;
    void leaveEvent(QEvent* evenement) override;

  private:
    void Suivre_Navigateur();
    // The chart as last drawn, drawn again only when what it shows has changed: the pointer's
    // readout and the labels over it cost no drawing of the shores.
    const QPixmap& Image();

    // Pointer and keys (Pointeur_Carte.cpp).
    void Preparer_Pointeur();
    void Montrer_Choisi();
    void Suivre_Pointeur(std::optional<QPointF> ou);
    void Relacher_Clic(QMouseEvent* evenement);

    Dessin_Carte::Vue vue_;
    Dessin_Carte::Bases bases_;
    std::vector<Dessin_Carte::Repere> reperes_;
    int choisi_ = -1;
    bool a_cadrer_ = false; // every POI to frame once the chart has a size
    QPointF prise_;         // where a drag last was
    bool glisse_ = false;

    QPixmap image_;
    struct Dessinee {
        double longitude, latitude, echelle;
        QSizeF taille;
        std::vector<Dessin_Carte::Repere> reperes;
        int choisi;
        std::optional<Rivages::Resolution> forcee;
        bool operator==(const Dessinee&) const = default;
    };
    std::optional<Dessinee> dessinee_; // what image_ shows

    QLabel* position_choisi_ = nullptr;
    QLabel* lecture_ = nullptr;
    std::optional<QPointF> appui_;    // where the left button went down, until a click or drag
    std::optional<QPointF> pointeur_; // where the pointer is over the chart
};
