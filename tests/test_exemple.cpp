// The sample shipped for a first run: in the very layout the program writes, and opened from
// a copy as the run command does, its file link finds the description beside it.

#include "gpx/Ecriture_GPX.h"
#include "gpx/Fichiers.h"
#include "links/Nom_Descriptif.h"
#include "support/Banc.h"
#include "test_gpx_outils.h"

#include <QDir>
#include <QTemporaryDir>

class TestExemple : public QObject {
    Q_OBJECT
  private slots:
    void disposition_du_programme();
    void ouvert_depuis_une_copie();
};

namespace {

const QString Dossier = QStringLiteral(QUILLVANE_DONNEES "/exemple");
const QString Nom = QStringLiteral("Ports_bretons.gpx");

} // namespace

void TestExemple::disposition_du_programme() {
    const QByteArray octets = Lire(Dossier + u'/' + Nom);
    const Magasin poi = Lu(octets);
    QVERIFY(poi.Nb_POI >= 5);
    QCOMPARE(Fichiers::Texte_GPX(poi), octets);
}

void TestExemple::ouvert_depuis_une_copie() {
    QTemporaryDir copie;
    QVERIFY(copie.isValid());
    for (const QString& fichier : QDir(Dossier).entryList(QDir::Files))
        QVERIFY(QFile::copy(Dossier + u'/' + fichier, copie.filePath(fichier)));

    Banc b;
    b.Demarrer();
    Fichiers::Charger(b.c, copie.filePath(Nom));
    QCOMPARE(b.services.messages, QStringList());
    QCOMPARE(b.c.ui.ListePOI->count(), int(b.c.poi.Nb_POI));

    // Each file link now names its POI's description in the copy's folder, and it is there.
    int liensFichier = 0;
    for (int p = 1; p <= b.c.poi.Nb_POI; ++p)
        for (int l = 1; l <= b.c.poi.Nb_Liens[p]; ++l) {
            const QString& cible = b.c.poi.Lien_URL[p][l];
            if (!cible.startsWith(u"file://"))
                continue;
            ++liensFichier;
            const auto chemin = Nom_Descriptif::Chemin(b.c.poi.Dossier_Fichier, b.c.poi.Nom_POI[p]);
            QVERIFY(chemin);
            QCOMPARE(cible, Nom_Descriptif::Cible_Lien(*chemin));
            QVERIFY(QFileInfo(*chemin).size() > 0);
        }
    QCOMPARE(liensFichier, 1);
}

QUILLVANE_TEST_MAIN(TestExemple)
#include "test_exemple.moc"
