// Speed and memory of the chart shown without network.
// Usage: bench_carte [folder]   (the folder, when given, receives the charts drawn as PNG)
// Prints the time to read each installed shoreline file, to build the chart around a POI in
// Brittany (a 50 km window, high resolution) and of the whole world (low resolution), from a
// selection to the chart drawn, from a failed load to the chart shown, and the memory the
// chart adds. Targets: 100 ms, 300 ms, 300 ms, and 150 MB.

#include "viewers/Carte_Marine.h"
#include "viewers/Navigateur.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTcpServer>
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
    QFile f(u"/proc/self/status"_qs);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& ligne : f.readAll().split('\n'))
        if (ligne.startsWith("VmRSS:"))
            return ligne.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
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
    bretagne.echelle = 1000 * 111320 * std::cos(bretagne.latitude * M_PI / 180) / 50000;
    bases.forcee = Rivages::Resolution::Haute;
    const auto [b1, b] =
        Chronometrer(bretagne, bases, images.isEmpty() ? QString() : images + u"bretagne.png"_qs);
    Vue monde;
    monde.taille = QSizeF(1000, 700);
    monde.latitude = monde.longitude = 0;
    monde.echelle = monde.Echelle_Min() * 1.4;
    bases.forcee = Rivages::Resolution::Basse;
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
    std::printf("%-28s %7.1f ms %7.1f ms %7d ms\n", "Bretagne, 50 km, haute", b1, b, 100);
    std::printf("%-28s %7.1f ms %10s %7d ms\n", "  fichiers lus d'avance", p1, "", 100);
    std::printf("%-28s %7.1f ms %7.1f ms %7d ms\n", "monde, basse", m1, m, 300);

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
    std::printf(
        "\nmemoire ajoutee par la carte, toutes les resolutions lues : %.0f Mo (cible 150 Mo)\n",
        memoire);
    delete vue;
    return 0;
}
