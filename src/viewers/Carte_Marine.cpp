#include "Carte_Marine.h"

#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cmath>
#include <numbers>

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
    a_cadrer_ = true;
    update();
    Montrer_Choisi();
}

void Carte_Marine::Choisir(int index) {
    choisi_ = index;
    Cadrer_Choisi();
    update();
    Montrer_Choisi();
}

void Carte_Marine::Cadrer_Choisi() {
    if (choisi_ < 0 || choisi_ >= int(reperes_.size()) || !reperes_[choisi_].Place() ||
        vue_.taille.isEmpty())
        return;
    const Repere& c = reperes_[choisi_];
    vue_.longitude = c.longitude;
    vue_.latitude = std::clamp(c.latitude, -Latitude_Limite, Latitude_Limite);
    if (!a_cadrer_)
        return;
    a_cadrer_ = false;
    // The largest scale that shows every other POI around the selected one, names included,
    // but no closer than a window some 50 km across.
    double echelle = vue_.taille.width() * Metres_Par_Degre *
                     std::cos(vue_.latitude * std::numbers::pi / 180) / Largeur_Autour;
    const double demi_largeur = std::max(20.0, vue_.taille.width() / 2 - 110);
    const double demi_hauteur = std::max(20.0, vue_.taille.height() / 2 - 30);
    for (const Repere& r : reperes_) {
        if (!r.Place())
            continue;
        const double dx = std::abs(std::remainder(r.longitude - c.longitude, 360.0));
        const double dy = std::abs(Mercator(r.latitude) - Mercator(vue_.latitude));
        if (dx > 0)
            echelle = std::min(echelle, demi_largeur / dx);
        if (dy > 0)
            echelle = std::min(echelle, demi_hauteur / dy);
    }
    vue_.echelle = std::clamp(echelle, vue_.Echelle_Min(), Vue::Echelle_Max);
}

void Carte_Marine::Imprimer(QPaintDevice& imprimante) {
    QPainter p(&imprimante);
    const double s =
        std::min(imprimante.width() / double(width()), imprimante.height() / double(height()));
    Dessin_Carte::Vue v = vue_;
    v.taille = QSizeF(size()) * s;
    v.echelle *= s;
    v.pixel = s;
    Dessiner(p, v, reperes_, choisi_, bases_);
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
    if (vue_.echelle == 0) {
        vue_.Cadrer(France);
        Cadrer_Choisi();
    }
    vue_.echelle = std::clamp(vue_.echelle, vue_.Echelle_Min(), Vue::Echelle_Max);
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
    vue_.echelle = std::clamp(vue_.echelle * std::pow(1.25, evenement->angleDelta().y() / 120.0),
                              vue_.Echelle_Min(), Vue::Echelle_Max);
    vue_.Deplacer(vue_.Ecran(lieu.y(), lieu.x()) - ou);
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
