// Opens a GPX file as the program does and saves it, pass after pass, POI 1 renamed
// "Passe <n>" before save n. It says "pret" once about to begin; the kill test stops it
// anywhere after that.
// Usage: ouvrir_sauver FILE PASSES

#include "gpx/Ecriture_GPX.h"
#include "gpx/Lecture_GPX.h"
#include "gpx/Ouverture.h"

#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    const Fichiers::Chemins chemins = Fichiers::Decouper_Chemin(QString::fromUtf8(argv[1]));
    if (write(STDOUT_FILENO, "pret\n", 5) != 5)
        return 1;
    for (int n = 1; n <= QByteArray(argv[2]).toInt(); ++n) {
        const Fichiers::Ouverture ouverture = Fichiers::Preparer_Ouverture(chemins);
        Declarations::Declarations poi;
        poi.Max_POI = Declarations::Capacite;
        Fichiers::Lire_Fichier(poi, ouverture.contenu);
        poi.Nom_POI[1] = QStringLiteral("Passe %1").arg(n);
        if (ouverture.erreur || Fichiers::Ecrire_GPX(poi, chemins.nom))
            return 1;
    }
    return 0;
}
