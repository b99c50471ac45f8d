#include "TexteLien1.h"

#include "core/Reglages.h"
#include "links/Descriptif.h"
#include "ui/Apparence.h"
#include "ui/Contexte.h"
#include "ui/Position_Fenetre.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

TexteLien1::TexteLien1(Contexte& c)
    : QWidget(nullptr,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      c_(c) {
    setObjectName(QStringLiteral("TexteLien1"));
    setWindowTitle(QStringLiteral("Saisie du texte de description"));
    Apparence::Icone_Programme(this);
    Apparence::Colorer_Fond(this);
    setFont(Apparence::Police_Ordinaire());
    setFixedSize(Twips::Vers_Pixels(8220), Twips::Vers_Pixels(3210));

    Enregistrer = new QPushButton(QStringLiteral("Enregistrer"), this);
    Enregistrer->setGeometry(Twips::Rect(0, 0, 4095, 375));
    Fermer = new QPushButton(QStringLiteral("Fermer"), this);
    Fermer->setGeometry(Twips::Rect(4080, 0, 4095, 375));
    Text1 = new QPlainTextEdit(QStringLiteral("Text1"), this);
    Text1->setGeometry(Twips::Rect(0, 360, 8175, 2775));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setAccessibleName(QStringLiteral("Texte de la description"));
    setTabOrder(Text1, Enregistrer);
    setTabOrder(Enregistrer, Fermer);

    connect(Enregistrer, &QPushButton::clicked, this, [this] { Enregistrer_Click(); });
    connect(Fermer, &QPushButton::clicked, this, [this] { Fermer_Click(); });
}

void Detruire_Fenetre::operator()(TexteLien1* fenetre) const {
    delete fenetre;
}

void TexteLien1::Ouvrir(Contexte& c) {
    // Shown already for this POI with a text not yet saved: brought forward, the text kept.
    const TexteLien1* ouverte = c.texteLien1.get();
    const bool garder = ouverte && ouverte->isVisible() && c.descriptif.poi == c.poi.POI_Courant &&
                        ouverte->Text1->document()->isModified();
    if (garder && c.ui.ListePOI->ListIndex() != -1) {
        c.texteLien1->raise();
        c.texteLien1->activateWindow();
        return;
    }
    if (!Gerer_liens::Descriptif_Click(c))
        return;
    if (!c.texteLien1)
        c.texteLien1.reset(new TexteLien1(c));
    TexteLien1* fenetre = c.texteLien1.get();
    fenetre->show();
    fenetre->raise();
    fenetre->activateWindow();
    Position_Fenetre::Placer_Fenetre(c, fenetre, Reglages::TexteLien1_MargeG,
                                     Reglages::TexteLien1_Haut);
    fenetre->Charger();
}

void TexteLien1::Charger() {
    // An unreadable file leaves the text as it was, and is not replaced by it.
    if (const auto texte = Gerer_liens::Ouverture(c_))
        Definir_Texte(*texte);
}

void TexteLien1::Enregistrer_Click() {
    Gerer_liens::Enregistrer_Click(c_, Texte());
    Text1->document()->setModified(false);
}

void TexteLien1::Suivre(Contexte& c) {
    TexteLien1* fenetre = c.texteLien1.get();
    if (!fenetre || !fenetre->isVisible())
        return;
    const int choisi = c.ui.ListePOI->ListIndex() + 1;
    const int poi = c.descriptif.poi;
    if (!Declarations::Est_POI(c.poi, poi)) { // its POI is gone, or its document
        fenetre->Fermer_Click();
        return;
    }
    if (choisi == 0 || choisi == poi)
        return;
    // The text typed for one POI goes to its own file or nowhere, never to another's.
    if (fenetre->Text1->document()->isModified() &&
        c.services.Question(QStringLiteral("La description de %1 a été modifiée. "
                                           "L'enregistrer ?")
                                .arg(QStringLiteral("« %1 »").arg(c.poi.Nom_POI[poi]))))
        fenetre->Enregistrer_Click();
    Gerer_liens::Descriptif_Suivre(c, choisi);
    fenetre->Charger();
}

void TexteLien1::Fermer_Click() {
    if (c_.texteLien1.get() != this)
        return; // already unloaded
    Position_Fenetre::Memoriser_Fenetre(c_, this, Reglages::TexteLien1_MargeG,
                                        Reglages::TexteLien1_Haut);
    c_.descriptif = {};
    Decharger();
    // We are inside the window's own button: it goes once this event is over.
    c_.texteLien1.release()->deleteLater();
}

QString TexteLien1::Texte() const {
    QString texte = Text1->toPlainText();
    texte.replace(u'\n', QStringLiteral("\r\n"));
    return texte;
}

void TexteLien1::Definir_Texte(const QString& texte) {
    QString affiche = texte;
    affiche.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(affiche);
    Text1->document()->setModified(false);
}

void TexteLien1::Decharger() {
    dechargement_ = true;
    close();
}

void TexteLien1::closeEvent(QCloseEvent* event) {
    bool cancel = false;
    Gerer_liens::TexteLien1_QueryUnload(c_, cancel, dechargement_ ? 1 : 0);
    if (cancel)
        event->ignore();
    else
        QWidget::closeEvent(event);
}
