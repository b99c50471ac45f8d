#pragma once

// The printout for the chart table: a page with the chart drawn as on screen, but as vectors
// and as large as the page allows, under the file's name and the date; then the list of the
// POIs, one row each in list order, with their positions, the legs between them and the
// labels of their links.

#include "viewers/Dessin_Carte.h"

#include <QStringList>

class QPagedPaintDevice;

namespace Impression_Carte {

// A POI as the list prints it.
struct Ligne {
    Dessin_Carte::Repere repere;
    QStringList liens; // the labels of its links
};

struct Document {
    QString titre, date;
    std::vector<Ligne> lignes;
};

// The chart around the centre of `ecran`, showing at least what it shows, on the first page;
// the list on the pages after it. The device's page and orientation are kept as given.
void Imprimer(QPagedPaintDevice& imprimante, const Document& d, const Dessin_Carte::Vue& ecran,
              int choisi, Dessin_Carte::Bases& bases);

// The cells of one row of the list: number, name, position, miles and true bearing from the
// POI before it (empty for the first, or where either has no place), links.
QStringList Cellules(const Document& d, std::size_t i);

} // namespace Impression_Carte
