#include "Impression_Carte.h"

#include "viewers/Navigation.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <cmath>

namespace Impression_Carte {

namespace {

// A font of a size in points on this device.
QFont Police(const QPaintDevice& page, double points, bool gras = false) {
    QFont police;
    police.setPixelSize(std::max(1, int(std::lround(points * page.logicalDpiY() / 72.0))));
    police.setBold(gras);
    return police;
}

// The title and the date on one line at the top of a page; the height they take.
double En_Tete(QPainter& p, const QPaintDevice& page, const QString& titre, const QString& date) {
    const QFont grand = Police(page, 14, true), petit = Police(page, 9);
    const double ligne = QFontMetricsF(grand).height();
    const double largeur = page.width();
    p.setFont(petit);
    const QRectF bande(0, 0, largeur, ligne);
    p.drawText(bande, Qt::AlignRight | Qt::AlignVCenter, date);
    p.setFont(grand);
    p.drawText(bande.adjusted(0, 0, -QFontMetricsF(petit).horizontalAdvance(date) - ligne, 0),
               Qt::AlignLeft | Qt::AlignVCenter,
               Dessin_Carte::Nom_Lisible(
                   titre, grand, largeur - QFontMetricsF(petit).horizontalAdvance(date) - ligne));
    return ligne * 1.4;
}

void Page_Carte(QPainter& p, const QPaintDevice& page, const Document& d,
                const Dessin_Carte::Vue& ecran, int choisi, Dessin_Carte::Bases& bases) {
    const double haut = En_Tete(p, page, d.titre, d.date);
    Dessin_Carte::Vue v = ecran;
    v.taille = QSizeF(page.width(), page.height() - haut);
    // Lines and names as large on paper as on a screen of 96 dots an inch.
    v.pixel = page.logicalDpiX() / 96.0;
    v.echelle *= std::min(v.taille.width() / std::max(1.0, ecran.taille.width()),
                          v.taille.height() / std::max(1.0, ecran.taille.height()));
    std::vector<Dessin_Carte::Repere> reperes;
    for (const Ligne& l : d.lignes)
        reperes.push_back(l.repere);
    p.save();
    p.translate(0, haut);
    Dessin_Carte::Dessiner(p, v, reperes, choisi, bases);
    p.setPen(QPen(Qt::black, v.pixel));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(QPointF(0, 0), v.taille));
    p.restore();
}

// Shares of the page's width: number, name, position, miles, bearing, links.
constexpr double Colonnes[] = {0.05, 0.24, 0.25, 0.08, 0.12, 0.26};

void Rangee(QPainter& p, const QFont& police, double y, double hauteur, double largeur,
            const QStringList& cellules) {
    p.setFont(police);
    double x = 0;
    for (qsizetype k = 0; k < cellules.size(); ++k) {
        const double l = Colonnes[k] * largeur;
        const double marge = hauteur * 0.15;
        const QRectF case_(x + marge, y, l - 2 * marge, hauteur);
        const bool nombre = k == 0 || k == 3 || k == 4;
        p.drawText(case_, (nombre ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                   Dessin_Carte::Nom_Lisible(cellules[k], police, case_.width()));
        x += l;
    }
}

void Pages_Liste(QPagedPaintDevice& imprimante, QPainter& p, const Document& d) {
    const QFont police = Police(imprimante, 9), gras = Police(imprimante, 9, true);
    const double hauteur = QFontMetricsF(police).height() * 1.5;
    const double largeur = imprimante.width();
    const QStringList titres = {QStringLiteral("N°"),         QStringLiteral("Nom"),
                                QStringLiteral("Position"),   QStringLiteral("Milles"),
                                QStringLiteral("Relèvement"), QStringLiteral("Liens")};
    double y = imprimante.height(); // a new page first
    for (std::size_t i = 0; i < d.lignes.size(); ++i) {
        if (y + hauteur > imprimante.height()) {
            imprimante.newPage();
            y = En_Tete(p, imprimante, d.titre, d.date);
            Rangee(p, gras, y, hauteur, largeur, titres);
            y += hauteur;
            p.setPen(QPen(Qt::black, imprimante.logicalDpiY() / 96.0));
            p.drawLine(QPointF(0, y), QPointF(largeur, y));
        }
        if (i % 2) // every other row shaded, for the eye to follow it
            p.fillRect(QRectF(0, y, largeur, hauteur), QColor(236, 240, 244));
        Rangee(p, police, y, hauteur, largeur, Cellules(d, i));
        y += hauteur;
    }
}

} // namespace

QStringList Cellules(const Document& d, std::size_t i) {
    const Dessin_Carte::Repere& r = d.lignes[i].repere;
    QString position, milles, relevement;
    if (r.Place()) {
        position = Navigation::Position_DM(r.latitude, r.longitude);
        if (i > 0 && d.lignes[i - 1].repere.Place()) {
            const Dessin_Carte::Repere& a = d.lignes[i - 1].repere;
            const QLocale francais(QLocale::French);
            milles = francais.toString(
                Navigation::Distance_Milles(a.latitude, a.longitude, r.latitude, r.longitude), 'f',
                1);
            const long degres = std::lround(
                Navigation::Relevement_Vrai(a.latitude, a.longitude, r.latitude, r.longitude));
            relevement = QStringLiteral("%1°").arg(degres % 360, 3, 10, QLatin1Char('0'));
        }
    }
    return {QString::number(i + 1),
            r.nom,
            position,
            milles,
            relevement,
            d.lignes[i].liens.join(QStringLiteral(", "))};
}

void Imprimer(QPagedPaintDevice& imprimante, const Document& d, const Dessin_Carte::Vue& ecran,
              int choisi, Dessin_Carte::Bases& bases) {
    QPainter p(&imprimante);
    if (!p.isActive())
        return;
    Page_Carte(p, imprimante, d, ecran, choisi, bases);
    Pages_Liste(imprimante, p, d);
}

} // namespace Impression_Carte
