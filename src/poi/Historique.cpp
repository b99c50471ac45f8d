#include "poi/Historique.h"

#include "links/Gerer_liens.h"
#include "poi/Gerer_POI.h"
#include "ui/Contexte.h"

#include <QUndoCommand>

namespace Historique {

namespace {

using Declarations::Changement;

// The description window stays with its POI when POIs come in or go before it, and loses it
// when it goes.
void Decaler_Descriptif(Contexte& c, Changement::Sorte sorte, int i) {
    int& poi = c.descriptif.poi;
    if (sorte == Changement::Insertion && poi >= i)
        ++poi;
    else if (sorte == Changement::Retrait && poi == i)
        poi = 0;
    else if (sorte == Changement::Retrait && poi > i)
        --poi;
}

class Commande : public QUndoCommand {
  public:
    Commande(Contexte& c, const Changement& changement, const QString& action)
        : QUndoCommand(action), c_(c), changement_(changement) {}

    void redo() override {
        if (fait_) { // made by the handler that recorded it
            fait_ = false;
            return;
        }
        Declarations::Refaire(c_.poi, changement_);
        Montrer(changement_.sorte);
    }
    void undo() override {
        Declarations::Defaire(c_.poi, changement_);
        Montrer(Declarations::Inverse(changement_.sorte));
    }

  private:
    // The list rebuilt, and the POI changed selected, as after its own command; a POI gone
    // leaves nothing selected.
    void Montrer(Changement::Sorte sorte) {
        const int p = changement_.poi;
        Decaler_Descriptif(c_, sorte, p);
        Gerer_POI::Afficher_POI(c_);
        if (sorte == Changement::Retrait) {
            c_.ui.ListePOI->SetListIndex(-1);
            c_.poi.POI_Courant = qint16(p);
            Gerer_liens::Afficher_Liens(c_);
        } else {
            c_.ui.ListePOI->SetListIndex(p - 1);
        }
    }

    Contexte& c_;
    Changement changement_;
    bool fait_ = true;
};

} // namespace

void Noter(Contexte& c, const Changement& changement, const QString& action) {
    Decaler_Descriptif(c, changement.sorte, changement.poi);
    c.historique.push(new Commande(c, changement, action));
}

void Noter_Fiche(Contexte& c, int i, const Declarations::Fiche& avant, const QString& action) {
    Noter(c, {Changement::Remplacement, i, avant, Declarations::Lire_Fiche(c.poi, i)}, action);
}

QString Nom(const QString& nom) {
    return QStringLiteral("« %1 »").arg(nom);
}

} // namespace Historique
