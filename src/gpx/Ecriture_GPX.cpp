#include "Ecriture_GPX.h"

#include "Disque.h"
#include "Echappements_XML.h"

namespace Fichiers {

namespace {

constexpr char Tete_Declaration[] = "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n";
#define QUILLVANE_TETE(version, chemin)                                                            \
    "<gpx version=\"" version "\" creator=\"OpenCPN\""                                             \
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""                                     \
    " xmlns=\"http://www.topografix.com/GPX/" chemin "\""                                          \
    " xmlns:gpxx=\"http://www.garmin.com/xmlschemas/GpxExtensions/v3\""                            \
    " xsi:schemaLocation=\"http://www.topografix.com/GPX/" chemin                                  \
    " http://www.topografix.com/GPX/" chemin "/gpx.xsd\""                                          \
    " xmlns:opencpn=\"http://www.opencpn.org\""
constexpr char Tete[] = QUILLVANE_TETE("1.1", "1/1");
// A GPX 1.0 file stays one: it has no "link" nor "extensions", so the links go in GPX 1.1's
// namespace and OpenCPN's own elements stand alone, both at the end of the waypoint, where
// GPX 1.0 takes the elements of other namespaces.
constexpr char Tete_1_0[] = QUILLVANE_TETE("1.0", "1/0");
#undef QUILLVANE_TETE
constexpr char Espace_Lien_1_0[] = " xmlns=\"http://www.topografix.com/GPX/1/1\"";
constexpr char Extensions_Fixes_1_0[] = "\t\t<opencpn:viz>1</opencpn:viz>\r\n"
                                        "\t\t<opencpn:viz_name>1</opencpn:viz_name>\r\n";

// OpenCPN's fixed lines, each in its place among a waypoint's children.
constexpr char Symbole_Fixe[] = "\t\t<sym>anchorage</sym>\r\n"
                                "\t\t<type>WPT</type>\r\n";
constexpr char Extensions_Fixes[] = "\t\t<extensions>\r\n"
                                    "\t\t\t<opencpn:viz>1</opencpn:viz>\r\n"
                                    "\t\t\t<opencpn:viz_name>1</opencpn:viz_name>\r\n"
                                    "\t\t</extensions>\r\n";

QByteArray Valeur(const QString& texte) {
    return Echappements_XML::Echapper_Valeur(texte, false).toUtf8();
}

QByteArray Attribut(const QString& texte) {
    return Echappements_XML::Echapper_Valeur(texte, true).toUtf8();
}

// The reader turns "%20" into a blank in the name of a POI with a time; a "%20" of the name
// itself is written with its "%" as a reference, which the reader decodes only afterwards.
QByteArray Nom(const Declarations::Declarations& poi, int i) {
    QString nom = Echappements_XML::Echapper_Nom(poi.Nom_POI[i]);
    if (!poi.Date_POI[i].isEmpty())
        nom.replace(QLatin1String("%20"), QLatin1String("&#37;20"));
    return nom.toUtf8();
}

// What the file gave the POI is written back around its fields, each in the place GPX gives
// it; a POI of the program's own, or one that had no symbol, type or extensions, gets
// OpenCPN's.
void Ecrire_Point(const Declarations::Declarations& poi, int i, QByteArray& sortie) {
    using Garde = Declarations::Garde_POI;
    const Garde& garde = poi.Garde[i];
    sortie += "\t<wpt lat=\"" + Attribut(poi.Lat_POI[i]) + "\" lon=\"" + Attribut(poi.Long_POI[i]) +
              '"' + garde.attributs + ">\r\n";
    sortie += garde.lignes[Garde::Avant_Heure];
    if (!garde.sans_heure || !poi.Date_POI[i].isEmpty())
        sortie += "\t\t<time>" + Valeur(poi.Date_POI[i]) + "</time>\r\n";
    sortie += garde.lignes[Garde::Avant_Nom];
    sortie += "\t\t<name>" + Nom(poi, i) + "</name>\r\n";
    sortie += garde.lignes[Garde::Avant_Liens];
    const bool gpx_1_0 = poi.Garde_Document.gpx_1_0;
    const auto Liens = [&] {
        const int nbLiens = qBound(0, int(poi.Nb_Liens[i]), Declarations::Liens_Max);
        for (int j = 1; j <= nbLiens; ++j) {
            sortie += "\t\t<link href=\"" + Attribut(poi.Lien_URL[i][j]) + '"' +
                      (gpx_1_0 ? Espace_Lien_1_0 : "") + ">\r\n";
            sortie += "\t\t\t<text>" + Valeur(poi.Lien_Nom[i][j]) + "</text>\r\n";
            sortie += garde.liens[j];
            sortie += "\t\t</link>\r\n";
        }
        sortie += garde.lignes[Garde::Apres_Liens];
    };
    if (!gpx_1_0)
        Liens();
    sortie += garde.lignes[Garde::Symbole];
    if (!garde.fin_propre)
        sortie += Symbole_Fixe;
    sortie += garde.lignes[Garde::Precision];
    if (!garde.fin_propre)
        sortie += gpx_1_0 ? Extensions_Fixes_1_0 : Extensions_Fixes;
    sortie += garde.lignes[Garde::Extensions];
    if (gpx_1_0)
        Liens();
    sortie += "\t</wpt>\r\n";
    sortie += garde.suite;
}

} // namespace

QByteArray Texte_GPX(const Declarations::Declarations& poi) {
    QByteArray sortie;
    const Declarations::Garde_Fichier& garde = poi.Garde_Document;
    sortie.reserve(4096 + garde.avant.size() + garde.apres.size());
    sortie += Tete_Declaration;
    sortie += garde.prologue;
    sortie += garde.gpx_1_0 ? Tete_1_0 : Tete;
    sortie += garde.espaces_noms;
    sortie += ">\r\n";
    sortie += garde.avant;
    const int nb = qBound(0, int(poi.Nb_POI), Declarations::Capacite);
    for (int i = 1; i <= nb; ++i)
        Ecrire_Point(poi, i, sortie);
    for (const QByteArray& morceau : garde.apres.morceaux)
        sortie += morceau;
    sortie += "</gpx>\r\n";
    sortie += garde.epilogue;
    return sortie;
}

Disque::Erreur Ecrire_GPX(const Declarations::Declarations& poi, const QString& chemin) {
    return Disque::Ecrire_Document(chemin, Disque::Cible_Finale(chemin), Texte_GPX(poi));
}

} // namespace Fichiers
