#pragma once

// The chart shown over the web map when the map service cannot be reached: it appears when the
// web view fails to load a page and goes when a page loads again. It shows the file's POIs,
// the selected one at its centre; the wheel zooms and a drag moves it.

#include "viewers/Dessin_Carte.h"

#include <QWidget>

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

  protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;

  private:
    void Suivre_Navigateur();

    Dessin_Carte::Vue vue_;
    Dessin_Carte::Bases bases_;
    std::vector<Dessin_Carte::Repere> reperes_;
    int choisi_ = -1;
    bool a_cadrer_ = false; // every POI to frame once the chart has a size
    QPointF prise_;         // where a drag last was
    bool glisse_ = false;
};
