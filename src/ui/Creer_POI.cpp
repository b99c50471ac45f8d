#include "Creer_POI.h"

#include "core/Reglages.h"
#include "core/Sortie.h"
#include "gpx/Fichiers.h"
#include "links/Commandes_Liens.h"
#include "links/TexteLien1.h"
#include "poi/Commandes_POI.h"
#include "poi/Gerer_POI.h"
#include "ui/Apparence.h"
#include "ui/Contexte.h"
#include "ui/Depot.h"
#include "ui/Mise_En_Page.h"
#include "ui/Position_Fenetre.h"
#include "ui/Twips.h"
#include "viewers/Carte.h"
#include "viewers/Navigateur.h"
#include "viewers/Visionneuses.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QUndoStack>
#include <QWebEngineView>
#include <algorithm>
#include <vector>

namespace {

template <typename W> W* Placer(W* w, int gauche, int haut, int largeur, int hauteur) {
    w->setGeometry(Twips::Rect(gauche, haut, largeur, hauteur));
    return w;
}

QLabel* Etiquette(QWidget* cadre, const QString& texte) {
    auto* l = new QLabel(texte, cadre);
    // Text at the top: the designed places let the box below cover a label's lower edge.
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Apparence::Colorer_Fond(l);
    return l;
}

QPushButton* Bouton(QWidget* cadre, const QString& texte, const QString& bulle) {
    auto* b = new QPushButton(texte, cadre);
    b->setToolTip(bulle);
    return b;
}

} // namespace

Creer_POI::Creer_POI(Contexte& c, QWidget* navigateur) : QMainWindow(nullptr), c_(c) {
    setObjectName(QStringLiteral("Creer_POI"));
    setWindowTitle(QStringLiteral("Quillvane (V1.12b)"));
    Apparence::Icone_Programme(this);
    setFont(Apparence::Police_Ordinaire());
    setAcceptDrops(true); // a GPX file from the file manager

    auto* client = new QWidget(this);
    Apparence::Colorer_Fond(client);
    setCentralWidget(client);

    // The browser first, so that the frames stand above it.
    c_.ui.WebBrowser1 = navigateur ? navigateur : static_cast<QWidget*>(Navigateur::Creer_Vue());
    c_.ui.WebBrowser1->setParent(client);
    c_.ui.WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    Placer(c_.ui.WebBrowser1, 3600, 120, 11295, 6855);

    Construire_POIS();
    Construire_LIENS();
    Construire_Menu();
    Construire_Historique();
    Relier_Evenements();
    Ordonner_Tabulation();
    Nommer_Zones();

    // Designed client area: 15000 x 7065 twips, below the menu bar. Never so small that a
    // control of the frames is cut.
    const QRect cadre = c_.ui.POIS->geometry();
    client->setMinimumSize(cadre.right() + 1 + Twips::Vers_Pixels(120),
                           cadre.bottom() + 1 + Twips::Vers_Pixels(90));
    resize(Twips::Vers_Pixels(15000), Twips::Vers_Pixels(7065) + menuBar()->sizeHint().height());
    Titrer();
}

void Creer_POI::Construire_Historique() {
    QUndoStack& historique = c_.historique;
    QAction* annuler = historique.createUndoAction(this, QStringLiteral("Annuler"));
    annuler->setShortcut(QKeySequence::Undo);
    QAction* retablir = historique.createRedoAction(this, QStringLiteral("Rétablir"));
    retablir->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    // The keys work anywhere in the window, but in a box, whose own typing they undo.
    addAction(annuler);
    addAction(retablir);
    c_.ui.ListePOI->addAction(annuler);
    c_.ui.ListePOI->addAction(retablir);
    c_.ui.ListePOI->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(&historique, &QUndoStack::cleanChanged, this, [this] { Titrer(); });
    connect(c_.ui.LeNomFichier, &QLineEdit::textChanged, this, [this] {
        Titrer();
        TexteLien1::Suivre(c_);
    });
}

void Creer_POI::Titrer() {
    // The designed caption, the open file's name, and "*" while it has unsaved changes.
    const QString nom = c_.poi.Nom_Court;
    setWindowTitle(QStringLiteral("Quillvane (V1.12b)") +
                   (nom.isEmpty() ? QString() : QStringLiteral(" - %1[*]").arg(nom)));
    setWindowModified(!c_.historique.isClean());
}

void Creer_POI::Nommer_Zones() {
    // What a screen reader says of each box and list: what it holds.
    const Controles& ui = c_.ui;
    const std::pair<QWidget*, const char16_t*> noms[] = {
        {ui.LeNomFichier, u"Fichier des Poi"},
        {ui.ListePOI, u"Liste des Poi"},
        {ui.Lat_Long, u"Position du Poi"},
        {ui.Nom_WP, u"Nom du Poi"},
        {ui.Text7, u"Nom du POI concerné"},
        {ui.Text3, u"Nom du lien internet à ajouter"},
        {ui.Text4, u"URL du lien internet à ajouter"},
        {ui.Text1, u"Nom du lien fichier à ajouter au POI"},
        {ui.Text2, u"Fichier à lier au POI"},
        {ui.ListeLiens, u"Liste des liens du Poi"},
    };
    for (const auto& [zone, nom] : noms)
        zone->setAccessibleName(QString::fromUtf16(nom));
}

void Creer_POI::Construire_POIS() {
    Controles& ui = c_.ui;
    auto* cadre = new QGroupBox(QStringLiteral("Gestion des Poi"), centralWidget());
    cadre->setObjectName(QStringLiteral("POIS"));
    Apparence::Colorer_Fond(cadre);
    Placer(cadre, 120, 120, 3375, 6855);
    ui.POIS = cadre;

    ui.Label2 = Placer(Etiquette(cadre, QStringLiteral("Fichier des Poi")), 120, 360, 3135, 255);
    ui.Charge_Fichier = Placer(Bouton(cadre, QStringLiteral(">>>"),
                                      QStringLiteral("Chercher le fichier \"gpx\" dans le PC")),
                               120, 600, 480, 375);
    ui.LeNomFichier = Placer(new QLineEdit(cadre), 600, 600, 2655, 375);
    ui.LeNomFichier->setReadOnly(true); // shows the open file; ">>>" chooses it
    ui.Label1 = Placer(Etiquette(cadre, QStringLiteral("Liste des Poi du fichier choisi")), 120,
                       1080, 3135, 255);
    ui.ListePOI = Placer(new ListeBox(cadre), 120, 1320, 3135, 3765);
    ui.ListePOI->setToolTip(QStringLiteral("Liste des Poi du fichier \"gpx\" choisi"));
    ui.Lat_Long = Placer(new ZoneTexte(cadre), 120, 5160, 3135, 375);
    ui.Lat_Long->setToolTip(QStringLiteral("Latitude longitude"));
    ui.Nom_WP = Placer(new ZoneTexte(cadre), 120, 5640, 3135, 360);
    ui.Nom_WP->setToolTip(QStringLiteral("Nom du Poi"));

    ui.Option1 = new Options(cadre);
    // Each control ends where the next begins (the design lets them overlap by a pixel, and
    // the one drawn last hid the edge of the other).
    const struct {
        QRect place;
        const char16_t* texte;
        const char16_t* bulle;
    } options[3] = {
        {Twips::Rect(120, 6000, 1575, 360), u"Modifier le Poi",
         u"Permet de modifier Longitude-Latitude et nom du  Poi sélectionné"},
        {Twips::Rect(1800, 6000, 1455, 360), u"Nouveau Poi",
         u"Permet de créer un nouveau Poi dans le fichier \"gpx\" choisi"},
        {Twips::Rect(120, 6360, 1575, 375), u"Supprimer le Poi", u"Supprime de Poi sélectionné"},
    };
    for (int i = 0; i < 3; ++i) {
        QRadioButton* b = ui.Option1->Bouton(i);
        b->setGeometry(options[i].place);
        b->setText(QString::fromUtf16(options[i].texte));
        b->setToolTip(QString::fromUtf16(options[i].bulle));
        Apparence::Colorer_Fond(b);
    }

    ui.Validation =
        Placer(Bouton(cadre, QStringLiteral("Valider"),
                      QStringLiteral("Valide l'ensemble des modifications de la boite de saisie")),
               1800, 6360, 1455, 375);
    Apparence::Bouton_Valider(ui.Validation);
    Apparence::Titre_Cadre(cadre);
}

void Creer_POI::Construire_LIENS() {
    Controles& ui = c_.ui;
    auto* cadre = new QGroupBox(QStringLiteral("Gestion des liens"), centralWidget());
    cadre->setObjectName(QStringLiteral("LIENS"));
    Apparence::Colorer_Fond(cadre);
    Placer(cadre, 3600, 120, 3375, 6855);
    cadre->hide();
    ui.LIENS = cadre;

    ui.Label9 =
        Placer(Etiquette(cadre, QStringLiteral("Nom du POI concerné")), 240, 360, 2895, 255);
    ui.Text7 = Placer(new QLineEdit(cadre), 120, 600, 3135, 375);
    ui.Text7->setReadOnly(true); // the selected POI's name, edited in the POI frame
    ui.Descriptif = Placer(
        Bouton(cadre, QStringLiteral("Créer-éditer descriptif détaillé"),
               QStringLiteral("Permet d'éditer ou de modifier un fichier de texte décrivant les "
                              "caractéristiques essentielles du Poi sélectionné")),
        120, 1080, 3135, 375);
    ui.Label4 = Placer(Etiquette(cadre, QStringLiteral("Nom du lien internet à ajouter")), 240,
                       1680, 2895, 255);
    ui.Text3 = Placer(new QLineEdit(cadre), 120, 1920, 3135, 285);
    ui.Text3->setToolTip(
        QStringLiteral("Définir le nom qu'on donne à un lien internet associé au Poi sélectionné"));
    ui.Label5 = Placer(Etiquette(cadre, QStringLiteral("URL du lien internet à ajouter")), 240,
                       2280, 2895, 255);
    ui.Label5->setToolTip(
        QStringLiteral("URL du lien internet (copié-collé à partir du navigateur internet)"));
    ui.Text4 = Placer(new QLineEdit(cadre), 120, 2490, 3135, 285);
    ui.Label6 = Placer(Etiquette(cadre, QStringLiteral("Nom du lien fichier à ajouter au POI")),
                       240, 3000, 2895, 255);
    ui.Text1 = Placer(new QLineEdit(cadre), 120, 3210, 3135, 285);
    ui.Text1->setToolTip(QStringLiteral(
        "Définir le nom qu'on donne à un lien \"fichier\" associé au Poi sélectionné"));
    ui.Label7 =
        Placer(Etiquette(cadre, QStringLiteral("Fichier à lier au POI")), 240, 3600, 2895, 255);
    ui.Text2 = Placer(new QLineEdit(cadre), 120, 3780, 2640, 315);
    ui.Fichier_lien = Placer(
        Bouton(cadre, QStringLiteral("<<<"),
               QStringLiteral(
                   "Permet de chercher dans le PC le fichier qu'on va lier au Poi sélectionné")),
        2760, 3720, 495, 375);
    ui.Valider_lien =
        Placer(Bouton(cadre, QStringLiteral("Valider"),
                      QStringLiteral("Valide l'ensemble des modifications de la boite de saisie")),
               120, 4200, 3135, 375);
    Apparence::Bouton_Valider(ui.Valider_lien);
    ui.Label8 =
        Placer(Etiquette(cadre, QStringLiteral("Liste des liens du Poi")), 240, 4680, 2895, 255);
    ui.ListeLiens = Placer(new ListeBox(cadre), 120, 4920, 3135, 1230);
    ui.ListeLiens->setToolTip(QStringLiteral(
        "Liste des liens du Poi sélectionné. Limité à  6 pour rester compatible avec OpenCPN"));
    ui.Tester_Lien = Placer(
        Bouton(cadre, QStringLiteral("Consulter le lien"),
               QStringLiteral("Permet de consulter le lien sélectionné dans la liste des liens")),
        120, 6360, 1575, 375);
    ui.Supprimer_Lien =
        Placer(Bouton(cadre, QStringLiteral("Supprimer le lien"),
                      QStringLiteral("Supprime le lien sélectionné dans la liste des liens")),
               1800, 6360, 1455, 375);
    Apparence::Titre_Cadre(cadre);
}

void Creer_POI::Construire_Menu() {
    Controles& ui = c_.ui;
    QMenuBar* barre = menuBar();
    ui.Montre_Fichier = barre->addAction(QStringLiteral("Fichier des Poi"));
    ui.Gestion_Liens = barre->addAction(QStringLiteral("Gérer/Visualiser les liens d'un Poi"));
    ui.Impression = barre->addAction(QStringLiteral("Imprimer l'image Google"));
    ui.GoogleEarth = barre->addAction(QStringLiteral("Google Earth"));
    ui.Aide = barre->addAction(QStringLiteral("Aide"));
    ui.Sauve_Fichier = barre->addAction(QStringLiteral("Sauver tout"));
    ui.Quitter = barre->addAction(QStringLiteral("Quitter"));

    // The usual keys; the captions stay as designed.
    ui.Charge_Fichier->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    ui.Sauve_Fichier->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    ui.Quitter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    ui.Aide->setShortcut(QKeySequence(Qt::Key_F1));
}

void Creer_POI::Relier_Evenements() {
    Controles& ui = c_.ui;
    Contexte& c = c_;
    const auto relier = [&c](auto* emetteur, auto signal, void (*gestionnaire)(Contexte&)) {
        QObject::connect(emetteur, signal, emetteur, [&c, gestionnaire] { gestionnaire(c); });
    };
    relier(ui.Charge_Fichier, &QPushButton::clicked, &Fichiers::Charge_Fichier_Click);
    relier(ui.ListePOI, &ListeBox::Click, &Gerer_POI::ListePOI_Click);
    relier(ui.ListePOI, &ListeBox::Click, &TexteLien1::Suivre);
    relier(ui.Lat_Long, &ZoneTexte::Click, &Gerer_POI::Lat_Long_Click);
    relier(ui.Nom_WP, &ZoneTexte::Click, &Gerer_POI::Nom_WP_Click);
    connect(ui.Option1, &Options::Click, this, [&c](int i) { Gerer_POI::Option1_Click(c, i); });
    relier(ui.Validation, &QPushButton::clicked, &Gerer_POI::Validation_Click);

    relier(ui.Descriptif, &QPushButton::clicked, &TexteLien1::Ouvrir);
    relier(ui.Fichier_lien, &QPushButton::clicked, &Gerer_liens::Fichier_lien_Click);
    relier(ui.Valider_lien, &QPushButton::clicked, &Gerer_liens::Valider_lien_Click);
    relier(ui.Tester_Lien, &QPushButton::clicked, &Gerer_liens::Tester_Lien_Click);
    relier(ui.Supprimer_Lien, &QPushButton::clicked, &Gerer_liens::Supprimer_Lien_Click);
    // Enter in a box of a frame presses its "Valider", as a dialog's default button would.
    for (ZoneTexte* zone : {ui.Lat_Long, ui.Nom_WP})
        connect(zone, &QLineEdit::returnPressed, ui.Validation, &QPushButton::click);
    for (QLineEdit* zone : {ui.Text1, ui.Text2, ui.Text3, ui.Text4})
        connect(zone, &QLineEdit::returnPressed, ui.Valider_lien, &QPushButton::click);

    relier(ui.Montre_Fichier, &QAction::triggered, &Fichiers::Montre_Fichier_Click);
    relier(ui.Gestion_Liens, &QAction::triggered, &Gerer_liens::Gestion_Liens_Click);
    relier(ui.Impression, &QAction::triggered, &Visionneuses::Impression_Click);
    relier(ui.GoogleEarth, &QAction::triggered, &Visionneuses::GoogleEarth_Click);
    relier(ui.Aide, &QAction::triggered, &Visionneuses::Aide_Click);
    relier(ui.Sauve_Fichier, &QAction::triggered, &Fichiers::Sauve_Fichier_Click);
    Carte::Relier_Carte(c);
    connect(ui.Quitter, &QAction::triggered, this, [this] { Quitter(); });
}

void Creer_POI::Ordonner_Tabulation() {
    const Controles& ui = c_.ui;
    // Tab indices of the design; labels take no focus and are left out.
    std::vector<std::pair<int, QWidget*>> ordre = {
        {2, ui.LeNomFichier},
        {3, ui.ListePOI},
        {6, ui.Lat_Long},
        {7, ui.Nom_WP},
        {8, ui.Option1->Bouton(0)},
        {9, ui.Option1->Bouton(1)},
        {10, ui.Option1->Bouton(2)},
        {11, ui.Validation},
        {14, ui.Text3},
        {15, ui.Text4},
        {18, ui.Text1},
        {19, ui.Text2},
        {21, ui.Fichier_lien},
        {22, ui.Descriptif},
        {23, ui.Valider_lien},
        {24, ui.ListeLiens},
        {26, ui.Tester_Lien},
        {27, ui.Supprimer_Lien},
        {29, ui.Text7},
        {30, ui.Charge_Fichier},
    };
    std::sort(ordre.begin(), ordre.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre[i - 1].second, ordre[i].second);
}

void Creer_POI::dragEnterEvent(QDragEnterEvent* event) {
    if (!Depot::Fichier_GPX(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Creer_POI::dropEvent(QDropEvent* event) {
    const QString nom = Depot::Fichier_GPX(event->mimeData());
    if (nom.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over: a message shown meanwhile would hold the file manager.
    QMetaObject::invokeMethod(
        this, [this, nom] { Fichiers::Fichier_Depose(c_, nom); }, Qt::QueuedConnection);
}

void Detruire_Fenetre::operator()(Creer_POI* fenetre) const {
    delete fenetre;
}

void Creer_POI::Quitter() {
    if (!Sortie::Quitter_Click(c_))
        return;
    if (c_.fenetre)
        Position_Fenetre::Memoriser_Fenetre(c_, c_.fenetre.get(), Reglages::Creer_POI_MargeG,
                                            Reglages::Creer_POI_Haut);
    // A description window closed by "Fermer" is made afresh to be read.
    if (!c_.texteLien1)
        c_.texteLien1.reset(new TexteLien1(c_));
    Position_Fenetre::Memoriser_Fenetre(c_, c_.texteLien1.get(), Reglages::TexteLien1_MargeG,
                                        Reglages::TexteLien1_Haut);

    if (c_.fenetre)
        c_.fenetre->Decharger();
    c_.texteLien1->Decharger();
    QCoreApplication::quit();
}

void Creer_POI::Decharger() {
    dechargement_ = true;
    close();
}

void Creer_POI::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Mise_En_Page::Form_Resize(c_);
}

void Creer_POI::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Mise_En_Page::Form_Resize(c_);
}

void Creer_POI::closeEvent(QCloseEvent* event) {
    // The user closes the window: quitting as with "Quitter", stopped by a failed save.
    if (!dechargement_) {
        Quitter();
        if (c_.fenetre && !c_.fenetre->Decharge()) {
            event->ignore();
            return;
        }
    }
    QMainWindow::closeEvent(event);
}
