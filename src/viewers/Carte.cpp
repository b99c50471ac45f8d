#include "Carte.h"

#include "poi/Gerer_POI.h"
#include "ui/Contexte.h"
#include "viewers/Adresses_Carte.h"
#include "viewers/Carte_Marine.h"

namespace Carte {

namespace {
double Degres(const QString& texte) {
    bool ok = false;
    const double d = texte.trimmed().toDouble(&ok);
    return ok ? d : qQNaN();
}
} // namespace

Dessin_Carte::Repere Repere_POI(const Contexte& c, int i) {
    return {c.poi.Nom_POI[i], Degres(c.poi.Lat_POI[i]), Degres(c.poi.Long_POI[i])};
}

void Afficher_Reperes(Contexte& c) {
    Carte_Marine* carte = Carte_Marine::De(c.ui.WebBrowser1);
    if (!carte)
        return;
    std::vector<Dessin_Carte::Repere> reperes;
    for (int i = 1; i <= c.poi.Nb_POI; ++i)
        reperes.push_back(Repere_POI(c, i));
    carte->Montrer_Reperes(std::move(reperes));
}

void Cadrer_Reperes(Contexte& c) {
    Afficher_Reperes(c);
    if (Carte_Marine* carte = Carte_Marine::De(c.ui.WebBrowser1))
        carte->Cadrer_Reperes();
}

void Afficher_Carte(Contexte& c) {
    const int p = c.poi.POI_Courant;
    if (p < 0)
        return;
    if (c.ui.Lat_Long->text().isEmpty()) {
        c.services.Message(QStringLiteral("Il faut une latitude et longitude"));
        return;
    }
    // An index past the document (one above a full store) has no coordinates.
    const bool dans_le_store = Declarations::Est_POI(c.poi, p);
    c.services.Naviguer(Adresse_POI(dans_le_store ? c.poi.Lat_POI[p] : QString(),
                                    dans_le_store ? c.poi.Long_POI[p] : QString()));
    if (Carte_Marine* carte = Carte_Marine::De(c.ui.WebBrowser1)) {
        Afficher_Reperes(c);
        carte->Choisir(dans_le_store ? p - 1 : -1);
    }
}

void Carte_Marine_Click(Contexte& c, int index) {
    // The entry already selected is shown again, as a click on it in the list does.
    if (c.ui.ListePOI->ListIndex() == index)
        Gerer_POI::ListePOI_Click(c);
    else
        c.ui.ListePOI->SetListIndex(index);
}

void Carte_Marine_DblClick(Contexte& c, const QString& lat_long) {
    c.ui.Lat_Long->setText(lat_long);
}

void Relier_Carte(Contexte& c) {
    Carte_Marine* carte = Carte_Marine::De(c.ui.WebBrowser1);
    if (!carte)
        return;
    QObject::connect(carte, &Carte_Marine::Repere_Clique, carte,
                     [&c](int index) { Carte_Marine_Click(c, index); });
    QObject::connect(carte, &Carte_Marine::Lieu_Double_Clique, carte,
                     [&c](const QString& texte) { Carte_Marine_DblClick(c, texte); });
}

} // namespace Carte
