// Opens a GPX file as the program does and saves it, pass after pass, telling each step on
// its standard output as it begins; the kill test stops it anywhere.
// Usage: ouvrir_sauver FILE PASSES   (POI 1 is renamed "Passe <n>" before save n)

#include "core/Declarations.h"
#include "gpx/Ecriture_GPX.h"
#include "gpx/Lecture_GPX.h"
#include "gpx/Ouverture.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace {

void Dire(const char* etape) {
    std::puts(etape);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const Fichiers::Chemins chemins = Fichiers::Decouper_Chemin(QFile::decodeName(argv[1]));
    const int passes = std::atoi(argv[2]);
    Dire("pret");
    for (int n = 1; n <= passes; ++n) {
        Dire("ouverture");
        const Fichiers::Ouverture ouverture = Fichiers::Preparer_Ouverture(chemins);
        if (!ouverture.erreur.isEmpty())
            return 1;
        Declarations::Declarations poi;
        poi.Max_POI = Declarations::Capacite;
        Fichiers::Lire_Fichier(poi, ouverture.contenu);
        poi.Nom_POI[1] = QStringLiteral("Passe %1").arg(n);
        Dire("sauvegarde");
        if (!Fichiers::Ecrire_GPX(poi, chemins.nom))
            return 1;
    }
    Dire("fin");
    return 0;
}
