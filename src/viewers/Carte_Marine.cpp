#include "Carte_Marine.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cmath>
#include <numbers>
#include <optional>

using namespace Dessin_Carte;

namespace {
// France whole, as the start place shows it.
constexpr Rivages::Zone France{-5.5, 41.3, 9.6, 51.1};
// Around a POI alone: some 50 km across.
constexpr double Largeur_Autour = 50000;
constexpr double Metres_Par_Degre = 111320;
} // namespace

Carte_Marine::Carte_Marine(QWebEngineView* navigateur) : QWidget(navigateur) {
    setObjectName(QStringLiteral("Carte_Marine"));
    setCursor(Qt::OpenHandCursor);
    vue_.plus_fin = bases_.Limite();
    Preparer_Pointeur();
    hide();
    Suivre_Navigateur();
    navigateur->installEventFilter(this);
    // A load that fails (no network, no answer) shows the chart; one that succeeds shows the
    // web map again. A load stopped by the next one changes nothing.
    connect(navigateur->page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) {
                if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) {
                    hide();
                } else if (info.status() == QWebEngineLoadingInfo::LoadFailedStatus) {
                    bases_.Precharger();
                    show();
                    raise();
                }
            });
}

Carte_Marine* Carte_Marine::De(QWidget* navigateur) {
    return navigateur ? navigateur->findChild<Carte_Marine*>(QString(), Qt::FindDirectChildrenOnly)
                      : nullptr;
}

void Carte_Marine::Montrer_Reperes(std::vector<Repere> reperes) {
    if (reperes == reperes_)
        return;
    reperes_ = std::move(reperes);
    choisi_ = -1;
    update();
    Montrer_Choisi();
}

void Carte_Marine::Cadrer_Reperes() {
    a_cadrer_ = vue_.taille.isEmpty();
    if (a_cadrer_)
        return;
    // The narrower of the two ways round the world: across Greenwich or across 180°.
    std::optional<Rivages::Zone> z[2];
    for (const Repere& r : reperes_) {
        if (!r.Place())
            continue;
        for (int sens = 0; sens < 2; ++sens) {
            double lon = std::remainder(r.longitude, 360.0);
            if (sens == 1 && lon < 0)
                lon += 360;
            const double lat = std::clamp(r.latitude, -Latitude_Limite, Latitude_Limite);
            Rivages::Zone& e = z[sens].emplace(z[sens].value_or(Rivages::Zone{lon, lat, lon, lat}));
            e = {std::min(e.ouest, lon), std::min(e.sud, lat), std::max(e.est, lon),
                 std::max(e.nord, lat)};
        }
    }
    if (!z[0]) // nothing to show: the chart stays where it is
        return;
    const Rivages::Zone zone = z[0]->est - z[0]->ouest <= z[1]->est - z[1]->ouest ? *z[0] : *z[1];
    // Room around the marks for their names; a lone place seen some 50 km across.
    const QSizeF taille = vue_.taille;
    vue_.taille =
        QSizeF(std::max(40.0, taille.width() - 240), std::max(40.0, taille.height() - 60));
    vue_.Cadrer(zone);
    vue_.taille = taille;
    if (zone.ouest == zone.est && zone.sud == zone.nord)
        vue_.echelle = taille.width() * Metres_Par_Degre *
                       std::cos(vue_.latitude * std::numbers::pi / 180) / Largeur_Autour;
    vue_.Borner();
    update();
}

void Carte_Marine::Choisir(int index) {
    choisi_ = index;
    if (choisi_ >= 0 && choisi_ < int(reperes_.size()) && reperes_[choisi_].Place()) {
        const Repere& c = reperes_[choisi_];
        vue_.longitude = std::remainder(c.longitude, 360.0);
        vue_.latitude = std::clamp(c.latitude, -Latitude_Limite, Latitude_Limite);
        vue_.Borner();
    }
    update();
    Montrer_Choisi();
}

void Carte_Marine::Suivre_Navigateur() {
    // The web view may reach past the window's edges (its place follows the window's outer
    // size): the chart keeps to the part that is seen, so its scale and edges stay in sight.
    QWidget* navigateur = parentWidget();
    QRect vue = navigateur->rect();
    if (QWidget* contenant = navigateur->parentWidget())
        vue &= QRect(navigateur->mapFrom(contenant, QPoint(0, 0)), contenant->size());
    setGeometry(vue);
}

bool Carte_Marine::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == parent()) {
        if (evenement->type() == QEvent::Resize || evenement->type() == QEvent::Move ||
            evenement->type() == QEvent::ParentChange)
            Suivre_Navigateur();
        else if (evenement->type() == QEvent::ChildAdded && isVisible())
            raise(); // above the web view's own drawing
    }
    return QWidget::eventFilter(objet, evenement);
}

void Carte_Marine::resizeEvent(QResizeEvent* evenement) {
    QWidget::resizeEvent(evenement);
    vue_.taille = size();
    if (vue_.taille.isEmpty())
        return;
    if (vue_.echelle == 0)
        vue_.Cadrer(France);
    if (a_cadrer_)
        Cadrer_Reperes();
    vue_.Borner();
}

void Carte_Marine::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, Image());
}

const QPixmap& Carte_Marine::Image() {
    const Dessinee maintenant{vue_.longitude, vue_.latitude, vue_.echelle, vue_.taille,
                              reperes_,       choisi_,       bases_.forcee};
    const qreal ratio = devicePixelRatioF();
    if (dessinee_ == maintenant && image_.devicePixelRatio() == ratio)
        return image_;
    image_ = QPixmap((vue_.taille * ratio).toSize());
    image_.setDevicePixelRatio(ratio);
    QPainter p(&image_);
    p.setFont(font()); // as a painter on the widget would
    Dessiner(p, vue_, reperes_, choisi_, bases_);
    dessinee_ = maintenant;
    return image_;
}

void Carte_Marine::wheelEvent(QWheelEvent* evenement) {
    // The place under the pointer stays under it.
    const QPointF ou = evenement->position();
    const QPointF lieu = vue_.Lieu(ou);
    vue_.echelle *= std::pow(1.25, evenement->angleDelta().y() / 120.0);
    // The bounds depend on the latitude at the centre, which the move changes a little.
    for (int fois = 0; fois < 2; ++fois) {
        vue_.Borner();
        vue_.Deplacer(vue_.Ecran(lieu.y(), lieu.x()) - ou);
    }
    update();
    Suivre_Pointeur(ou);
}

void Carte_Marine::mousePressEvent(QMouseEvent* evenement) {
    if (evenement->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(evenement);
    glisse_ = true;
    prise_ = evenement->position();
    appui_ = prise_;
    setCursor(Qt::ClosedHandCursor);
}

void Carte_Marine::mouseMoveEvent(QMouseEvent* evenement) {
    Suivre_Pointeur(evenement->position());
    if (!glisse_)
        return;
    vue_.Deplacer(prise_ - evenement->position());
    prise_ = evenement->position();
    update();
}

void Carte_Marine::mouseReleaseEvent(QMouseEvent* evenement) {
    glisse_ = false;
    setCursor(Qt::OpenHandCursor);
    Relacher_Clic(evenement);
    QWidget::mouseReleaseEvent(evenement);
}
