#include "Pointeur_Carte.h"

#include "viewers/Carte_Marine.h"
#include "viewers/Navigation.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <cmath>
#include <numbers>

using Dessin_Carte::Repere;
using Dessin_Carte::Vue;

namespace Pointeur_Carte {

namespace {

// A POI's name as the readouts show it: cut as the chart's labels are, wider, so that no
// name costs more to lay out than a line of text.
QString Nom_Montre(const Repere& r) {
    return Dessin_Carte::Nom_Lisible(r.nom, QFont(), 320);
}

bool Choisi_Place(const std::vector<Repere>& reperes, int choisi) {
    return choisi >= 0 && choisi < int(reperes.size()) && reperes[choisi].Place();
}

// Decimals of a degree that one pixel shows, `pixels` to the degree.
int Decimales(double pixels) {
    return std::clamp(int(std::floor(std::log10(std::max(pixels, 1.0)))), 0, 6);
}

QString Decimal(double degres, int decimales) {
    QString t = QString::number(degres, 'f', decimales);
    if (t.startsWith(u'-') && t.toDouble() == 0) // no "-0.00"
        t.remove(0, 1);
    return t;
}

} // namespace

int Repere_Sous(const Vue& v, const std::vector<Repere>& reperes, int choisi, QPointF ecran) {
    constexpr double Portee = 9; // pixels around the centre of a marker
    std::vector<int> ordre{choisi};
    for (int i = int(reperes.size()) - 1; i >= 0; --i)
        if (i != choisi)
            ordre.push_back(i);
    for (const int i : ordre) {
        if (i < 0 || i >= int(reperes.size()) || !reperes[i].Place())
            continue;
        for (const double tour : {-360.0, 0.0, 360.0}) {
            const QPointF d = v.Ecran(reperes[i].latitude, reperes[i].longitude + tour) - ecran;
            if (std::hypot(d.x(), d.y()) <= Portee * v.pixel)
                return i;
        }
    }
    return -1;
}

QString Texte_Lieu(const Vue& v, QPointF ecran) {
    const QPointF lieu = v.Lieu(ecran);
    const double lat = lieu.y();
    const double lon = std::remainder(lieu.x(), 360.0);
    // A degree of latitude is 1/cos(latitude) times as long as one of longitude on the chart.
    const double par_degre_lat = v.echelle / std::cos(lat * std::numbers::pi / 180);
    return Decimal(lat, Decimales(par_degre_lat)) + u',' + Decimal(lon, Decimales(v.echelle));
}

QString Lecture(const Vue& v, const std::vector<Repere>& reperes, int choisi, QPointF ecran) {
    const QPointF lieu = v.Lieu(ecran);
    QString texte = Navigation::Position_DM(lieu.y(), lieu.x());
    if (!Choisi_Place(reperes, choisi))
        return texte;
    const Repere& r = reperes[choisi];
    const double milles = Navigation::Distance_Milles(r.latitude, r.longitude, lieu.y(), lieu.x());
    const long cap =
        std::lround(Navigation::Relevement_Vrai(r.latitude, r.longitude, lieu.y(), lieu.x())) % 360;
    return texte + QStringLiteral(" — à %1 %2 au %3° vrai de %4")
                       .arg(QLocale(QLocale::French).toString(milles, 'f', milles < 10 ? 2 : 1),
                            milles < 2 ? QStringLiteral("mille") : QStringLiteral("milles"))
                       .arg(cap, 3, 10, QLatin1Char('0'))
                       .arg(Nom_Montre(r));
}

QString Position_Choisi(const std::vector<Repere>& reperes, int choisi) {
    if (!Choisi_Place(reperes, choisi))
        return QString();
    const Repere& r = reperes[choisi];
    return Nom_Montre(r) + QStringLiteral(" : ") + Navigation::Position_DM(r.latitude, r.longitude);
}

} // namespace Pointeur_Carte

// The chart's pointer and keys: its readout, a click on a marker, a double-click elsewhere,
// + and - to zoom, the arrows to move it.

void Carte_Marine::Preparer_Pointeur() {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    position_choisi_ = new QLabel(this);
    lecture_ = new QLabel(this);
    position_choisi_->setObjectName(QStringLiteral("Position_Choisi"));
    lecture_->setObjectName(QStringLiteral("Lecture_Pointeur"));
    // Read by screen readers as the text it shows, with what it is.
    position_choisi_->setAccessibleDescription(QStringLiteral("Position du Poi choisi"));
    lecture_->setAccessibleDescription(
        QStringLiteral("Position sous le pointeur, distance et relèvement depuis le Poi choisi"));
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(8, 8, 8, 8);
    colonne->setSpacing(2);
    colonne->addStretch();
    for (QLabel* etiquette : {position_choisi_, lecture_}) {
        etiquette->setStyleSheet(QStringLiteral(
            "background: rgba(255, 255, 255, 215); color: rgb(44, 62, 80); padding: 2px 6px;"));
        etiquette->hide();
        colonne->addWidget(etiquette, 0, Qt::AlignRight);
    }
}

void Carte_Marine::Montrer_Choisi() {
    const QString texte = Pointeur_Carte::Position_Choisi(reperes_, choisi_);
    position_choisi_->setText(texte);
    position_choisi_->setVisible(!texte.isEmpty());
    Suivre_Pointeur(pointeur_);
}

void Carte_Marine::Suivre_Pointeur(std::optional<QPointF> ou) {
    pointeur_ = ou;
    if (ou && !vue_.taille.isEmpty())
        lecture_->setText(Pointeur_Carte::Lecture(vue_, reperes_, choisi_, *ou));
    lecture_->setVisible(ou && !vue_.taille.isEmpty());
}

void Carte_Marine::Relacher_Clic(QMouseEvent* evenement) {
    // A press and release at one place is a click; a drag between them is no click.
    const auto appui = std::exchange(appui_, std::nullopt);
    if (!appui || evenement->button() != Qt::LeftButton ||
        (evenement->position() - *appui).manhattanLength() > 3)
        return;
    const int i = Pointeur_Carte::Repere_Sous(vue_, reperes_, choisi_, evenement->position());
    if (i >= 0)
        emit Repere_Clique(i);
}

void Carte_Marine::mouseDoubleClickEvent(QMouseEvent* evenement) {
    appui_.reset(); // its release is no click
    if (evenement->button() != Qt::LeftButton ||
        Pointeur_Carte::Repere_Sous(vue_, reperes_, choisi_, evenement->position()) >= 0)
        return QWidget::mouseDoubleClickEvent(evenement);
    emit Lieu_Double_Clique(Pointeur_Carte::Texte_Lieu(vue_, evenement->position()));
}

void Carte_Marine::keyPressEvent(QKeyEvent* evenement) {
    const QPointF pas(width() / 4.0, height() / 4.0);
    switch (evenement->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: // + without Shift on many keyboards
        vue_.echelle *= 2;
        vue_.Borner();
        break;
    case Qt::Key_Minus:
        vue_.echelle /= 2;
        vue_.Borner();
        break;
    case Qt::Key_Left:
        vue_.Deplacer(QPointF(-pas.x(), 0));
        break;
    case Qt::Key_Right:
        vue_.Deplacer(QPointF(pas.x(), 0));
        break;
    case Qt::Key_Up:
        vue_.Deplacer(QPointF(0, -pas.y()));
        break;
    case Qt::Key_Down:
        vue_.Deplacer(QPointF(0, pas.y()));
        break;
    default:
        return QWidget::keyPressEvent(evenement);
    }
    update();
    Suivre_Pointeur(pointeur_);
}

void Carte_Marine::leaveEvent(QEvent* evenement) {
    Suivre_Pointeur(std::nullopt);
    QWidget::leaveEvent(evenement);
}
