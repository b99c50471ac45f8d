// Speed and memory of the chart shown without network, and of its printout.
// Usage: bench_carte [folder]   (the folder, when given, receives the charts drawn as PNG and
// the printout of the sample file as PDF)
// Prints the time to read each installed shoreline file, to draw the chart 20 nautical miles
// across around a POI in Brittany (high resolution) and the whole world (the resolution the
// chart picks), from a selection to the chart drawn, from a failed load to the chart shown, to
// show a POI whose name is a million characters long, to print the chart and a list of 100
// POIs to PDF, and the memory the chart adds. Targets: 50 ms, 200 ms, 300 ms, 300 ms, 1 s,
// 1 s, and 150 MB. Then, at the deepest scale the shorelines allow (a harbour and its
// approaches), the time per pointer move: the readout rewritten and the chart painted where it
// changed, with the pointer free and dragging the chart. Target: 16 ms.

#include "Compteurs_Proc.h"
#include "core/Declarations.h"
#include "gpx/Lecture_GPX.h"
#include "ui/Controles_Base.h"
#include "viewers/Carte_Marine.h"
#include "viewers/Impression_Carte.h"
#include "viewers/Navigateur.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <unistd.h>

using namespace Dessin_Carte;

namespace {

const std::vector<Repere> Ports = {{u"Concarneau"_qs, 47.8697, -3.9125},
                                   {u"Camaret-sur-Mer"_qs, 48.2790, -4.5920},
                                   {u"Roscoff"_qs, 48.7270, -3.9830},
                                   {u"Saint-Malo"_qs, 48.6462, -2.0225},
                                   {u"Lorient"_qs, 47.7460, -3.3580},
                                   {u"Port-Tudy (Groix)"_qs, 47.6450, -3.4450},
                                   {u"Le Palais (Belle-Île)"_qs, 47.3480, -3.1540}};

double Memoire_Mo() {
    return Compteur_Proc(u"status"_qs, "VmRSS:") / 1024;
}

double Mediane(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Builds and draws the chart ten times; the median, and the first (files read) apart.
std::pair<double, double> Chronometrer(const Vue& v, Bases& bases, const QString& image) {
    std::vector<double> temps;
    QImage rendu(v.taille.toSize(), QImage::Format_ARGB32_Premultiplied);
    for (int essai = 0; essai < 11; ++essai) {
        QElapsedTimer chrono;
        chrono.start();
        QPainter p(&rendu);
        Dessiner(p, v, Ports, 0, bases);
        p.end();
        temps.push_back(chrono.nsecsElapsed() / 1e6);
    }
    if (!image.isEmpty())
        rendu.save(image);
    const double premier = temps.front();
    temps.erase(temps.begin());
    return {premier, Mediane(temps)};
}

// Moves the pointer over the chart at harbour scale, free then with the button down, each move
// handled and painted as the window would before the next: median and slowest, per move.
void Mesurer_Pointeur(Carte_Marine* carte) {
    carte->Choisir(0);
    carte->setFocus();
    // As deep as the shorelines allow: the most detail, so the costliest drawing.
    for (double avant = 0; carte->Vue().echelle > avant;) {
        avant = carte->Vue().echelle;
        QKeyEvent plus(QEvent::KeyPress, Qt::Key_Plus, Qt::NoModifier, u"+"_qs);
        QApplication::sendEvent(carte, &plus);
    }
    QCoreApplication::processEvents();
    const auto bouger = [carte](QPointF ou, Qt::MouseButtons boutons) {
        QMouseEvent e(QEvent::MouseMove, ou, carte->mapToGlobal(ou), Qt::NoButton, boutons,
                      Qt::NoModifier);
        QElapsedTimer chrono;
        chrono.start();
        QApplication::sendEvent(carte, &e);
        QCoreApplication::processEvents(); // the repaint it asked for
        return chrono.nsecsElapsed() / 1e6;
    };
    std::printf("\n%-28s %10s %10s %10s\n", "port, par deplacement", "mediane", "maximum", "cible");
    for (const bool glisser : {false, true}) {
        const QPointF depart(300, 300);
        if (glisser) {
            QMouseEvent appui(QEvent::MouseButtonPress, depart, carte->mapToGlobal(depart),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(carte, &appui);
        }
        std::vector<double> temps;
        for (int pas = 1; pas <= 200; ++pas)
            temps.push_back(bouger(depart + QPointF(pas * 1.5, pas * 0.7),
                                   glisser ? Qt::LeftButton : Qt::NoButton));
        std::printf("%-28s %7.2f ms %7.2f ms %7d ms\n",
                    glisser ? "  pointeur, carte glissee" : "  pointeur et lecture", Mediane(temps),
                    *std::max_element(temps.begin(), temps.end()), 16);
    }
}

// Prints the document to a PDF file; the time it took, in ms.
double Imprimer_PDF(const QString& fichier, const Impression_Carte::Document& d, const Vue& v,
                    Bases& bases) {
    QElapsedTimer chrono;
    chrono.start();
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(fichier);
    Impression_Carte::Imprimer(imprimante, d, v, 0, bases);
    return chrono.nsecsElapsed() / 1e6;
}

// The sample file's POIs and the labels of their links.
Impression_Carte::Document Exemple() {
    QFile f(QStringLiteral(QUILLVANE_DONNEES "/exemple/Ports_bretons.gpx"));
    Declarations::Declarations poi;
    if (f.open(QIODevice::ReadOnly))
        Fichiers::Lire_Fichier(poi, f.readAll());
    Impression_Carte::Document d{u"Ports_bretons.gpx"_qs, u"8 décembre 2026"_qs, {}};
    for (int i = 1; i <= poi.Nb_POI; ++i) {
        QStringList liens;
        for (int k = 1; k <= poi.Nb_Liens[i]; ++k)
            liens << poi.Lien_Nom[i][k];
        d.lignes.push_back(
            {{poi.Nom_POI[i], poi.Lat_POI[i].toDouble(), poi.Long_POI[i].toDouble()}, liens});
    }
    return d;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    const QString images = argc > 1 ? QString::fromLocal8Bit(argv[1]) + u'/' : QString();
    const double memoire_depart = Memoire_Mo();

    std::printf("%-28s %10s\n", "lecture du fichier", "temps");
    for (const Rivages::Resolution r : Rivages::Installees()) {
        QElapsedTimer chrono;
        chrono.start();
        if (!Rivages::Base::Ouvrir(Rivages::Fichier(r)))
            qFatal("unreadable shoreline file");
        std::printf("%-28s %7.1f ms\n", qPrintable(Rivages::Fichier(r).section(u'/', -1)),
                    chrono.nsecsElapsed() / 1e6);
    }

    Bases bases;
    Vue bretagne;
    bretagne.taille = QSizeF(1000, 700);
    bretagne.latitude = Ports[0].latitude;
    bretagne.longitude = Ports[0].longitude;
    bretagne.echelle = 1000 / (20.0 / 60 / std::cos(bretagne.latitude * M_PI / 180));
    bases.forcee = Rivages::Resolution::Haute;
    const auto [b1, b] =
        Chronometrer(bretagne, bases, images.isEmpty() ? QString() : images + u"bretagne.png"_qs);
    bases.forcee.reset();
    Vue monde;
    monde.taille = QSizeF(1000, 700);
    monde.latitude = monde.longitude = 0;
    monde.echelle = monde.Echelle_Min() * 1.4;
    const auto [m1, m] =
        Chronometrer(monde, bases, images.isEmpty() ? QString() : images + u"monde.png"_qs);
    // As the window does: the files read in the background from the moment the chart shows,
    // the first selection a second later.
    Bases prechargees;
    prechargees.Precharger();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    prechargees.forcee = Rivages::Resolution::Haute;
    const double p1 = Chronometrer(bretagne, prechargees, QString()).first;
    std::printf("\n%-28s %10s %10s %10s\n", "carte", "premiere", "mediane", "cible");
    std::printf("%-28s %7.1f ms %7.1f ms %7d ms\n", "Bretagne, 20 milles, haute", b1, b, 50);
    std::printf("%-28s %7.1f ms %10s %7d ms\n", "  fichiers lus d'avance", p1, "", 50);
    std::printf("%-28s %7.1f ms %7.1f ms %7d ms\n", "monde", m1, m, 200);

    // Every installed file read and drawn once, as a user zooming from the world to a harbour.
    for (const Rivages::Resolution r : Rivages::Installees()) {
        bases.forcee = r;
        Chronometrer(bretagne, bases, QString());
    }
    const double memoire = Memoire_Mo() - memoire_depart;

    // The widget, as the window shows it: from a selection to the chart drawn.
    QWebEngineView* vue = Navigateur::Creer_Vue();
    vue->resize(1000, 700);
    vue->show();
    Carte_Marine* carte = Carte_Marine::De(vue);
    carte->show();
    QElapsedTimer attente;
    attente.start();
    while (attente.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    carte->Montrer_Reperes(Ports);
    std::vector<double> selections;
    for (int essai = 0; essai < 14; ++essai) {
        QElapsedTimer chrono;
        chrono.start();
        carte->Choisir(essai % int(Ports.size()));
        carte->repaint();
        selections.push_back(chrono.nsecsElapsed() / 1e6);
    }
    std::printf("%-28s %7.1f ms %7.1f ms %7d ms\n", "selection -> carte dessinee", selections[0],
                Mediane(selections), 300);
    if (!images.isEmpty())
        carte->grab().save(images + u"selection.png"_qs);
    Mesurer_Pointeur(carte);
    if (!images.isEmpty())
        carte->grab().save(images + u"port.png"_qs);

    // A map service that refuses: from the navigation to the chart shown.
    carte->hide();
    QTcpServer serveur;
    serveur.listen(QHostAddress::LocalHost);
    const quint16 port = serveur.serverPort();
    serveur.close();
    QElapsedTimer chrono;
    chrono.start();
    vue->setUrl(QUrl(u"http://127.0.0.1:%1/maps?q=France"_qs.arg(port)));
    while (!carte->isVisible() && chrono.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("%-28s %7.1f ms %10s %7d ms\n", "echec du chargement -> carte",
                chrono.nsecsElapsed() / 1e6, "", 300);

    // A POI whose name is a million characters long, from the list given to the chart drawn.
    std::vector<Repere> long_nom = Ports;
    long_nom.push_back({QString(1000000, u'x'), 47.9, -3.9});
    const double memoire_nom = Memoire_Mo();
    chrono.restart();
    carte->Montrer_Reperes(long_nom);
    carte->Choisir(int(long_nom.size()) - 1);
    carte->repaint();
    std::printf("%-28s %7.1f ms %10s %7d ms  (%+.0f Mo)\n", "nom d'un million de signes",
                chrono.nsecsElapsed() / 1e6, "", 1000, Memoire_Mo() - memoire_nom);
    // The same name in the list of POIs, added and painted as an opening does.
    ListeBox liste;
    liste.resize(300, 400);
    liste.show();
    chrono.restart();
    for (const Repere& r : long_nom)
        liste.AddItem(r.nom);
    liste.repaint();
    std::printf("%-28s %7.1f ms %10s %7d ms\n", "  dans la liste des Poi",
                chrono.nsecsElapsed() / 1e6, "", 1000);

    // The chart and a list of 100 POIs printed to PDF, each with two links.
    Impression_Carte::Document cent{u"Cent.gpx"_qs, u"8 décembre 2026"_qs, {}};
    for (int i = 0; i < 100; ++i) {
        const Repere& r = Ports[i % Ports.size()];
        cent.lignes.push_back(
            {{r.nom + u' ' + QString::number(i), r.latitude + i * 0.001, r.longitude - i * 0.002},
             {u"Description"_qs, u"Wikipedia"_qs}});
    }
    QTemporaryDir temporaire;
    std::vector<double> impressions;
    for (int essai = 0; essai < 5; ++essai)
        impressions.push_back(
            Imprimer_PDF(temporaire.filePath(u"cent.pdf"_qs), cent, bretagne, carte->Bases()));
    std::printf("%-28s %7.1f ms %7.1f ms %7d ms\n", "impression, 100 Poi, PDF", impressions[0],
                Mediane(impressions), 1000);
    // The sample file's printout, framed as when the file is opened.
    if (!images.isEmpty()) {
        const Impression_Carte::Document exemple = Exemple();
        std::vector<Repere> reperes;
        for (const auto& l : exemple.lignes)
            reperes.push_back(l.repere);
        carte->Montrer_Reperes(reperes);
        carte->Cadrer_Reperes();
        Imprimer_PDF(images + u"exemple.pdf"_qs, exemple, carte->Vue(), carte->Bases());
    }
    std::printf(
        "\nmemoire ajoutee par la carte, toutes les resolutions lues : %.0f Mo (cible 150 Mo)\n",
        memoire);
    delete vue;
    return 0;
}
