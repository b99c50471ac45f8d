#include "Inventaire.h"

#include <QStringList>

namespace Fichiers {

namespace {

QString Nombre(int n, const char* singulier, const char* pluriel) {
    return QString::number(n) + u' ' + QString::fromUtf8(n > 1 ? pluriel : singulier);
}

} // namespace

QString Avertissement(const Inventaire& inventaire, int listes, const QString& nomCourt,
                      const QString& sauvegarde) {
    const Inventaire& i = inventaire;
    if (i.points <= listes && i.routes == 0 && i.traces == 0 && i.points_trop_liens == 0)
        return QString();

    QStringList contenu{Nombre(i.points, "point de passage", "points de passage")};
    if (i.routes > 0)
        contenu << Nombre(i.routes, "route", "routes");
    if (i.traces > 0)
        contenu << Nombre(i.traces, "trace", "traces");
    const QString derniere = contenu.takeLast();
    QString texte = QStringLiteral("Le fichier « %1 » contient %2 : ")
                        .arg(nomCourt, contenu.isEmpty() ? derniere
                                                         : contenu.join(QStringLiteral(", ")) +
                                                               QStringLiteral(" et ") + derniere);
    if (listes == 0)
        texte += QStringLiteral("aucun point n'est listé");
    else if (listes < i.points)
        texte += listes == 1 ? QStringLiteral("le premier point est listé")
                             : QStringLiteral("les %1 premiers points sont listés").arg(listes);
    else
        texte += listes == 1 ? QStringLiteral("le point est listé")
                             : QStringLiteral("les %1 points sont listés").arg(listes);
    if (i.points_trop_liens == 1)
        texte += QStringLiteral(" ; un point a plus de cinq liens, les cinq premiers sont "
                                "affichés");
    else if (i.points_trop_liens > 1)
        texte += QStringLiteral(" ; %1 points ont plus de cinq liens, les cinq premiers de "
                                "chacun sont affichés")
                     .arg(i.points_trop_liens);
    texte += QStringLiteral(" ; le reste est gardé tel quel à l'enregistrement.\n\nLe fichier "
                            "tel qu'il a été ouvert est gardé dans la sauvegarde « %1 ».")
                 .arg(sauvegarde);
    return texte;
}

} // namespace Fichiers
