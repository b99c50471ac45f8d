#include "Ligne_Commande.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace Ligne_Commande {

namespace {

const QString Usage = QStringLiteral("Usage : %1 [options] [FICHIER.gpx]");

// Qt's help names the program only once an application object exists, which the help must
// not need, and that object's translations are not there yet either: its first line and its
// two headings are written here.
QString Aide(const QCommandLineParser& analyseur, const QString& programme) {
    QString aide = analyseur.helpText();
    aide.replace(0, aide.indexOf(u'\n'), Usage.arg(programme));
    aide.replace(QStringLiteral("\nOptions:\n"), QStringLiteral("\nOptions :\n"));
    aide.replace(QStringLiteral("\nArguments:\n"), QStringLiteral("\nArguments :\n"));
    return aide;
}

// The options every Qt program takes (-platform xcb, -style Fusion...): the application object
// reads them itself, so they are let through, unlisted in the help.
void Accepter_Options_De_Qt(QCommandLineParser& analyseur) {
    for (const char* nom :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
          "qwindowicon", "qwindowtitle", "display", "geometry", "style", "stylesheet", "session"}) {
        QCommandLineOption option(QString::fromLatin1(nom));
        option.setValueName(QStringLiteral("valeur"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        analyseur.addOption(option);
    }
    for (const char* nom : {"reverse", "nograb", "dograb", "sync", "widgetcount"}) {
        QCommandLineOption option(QString::fromLatin1(nom));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        analyseur.addOption(option);
    }
}

// Qt's reasons for refusing a command line, which come in English without an application
// object, said in French.
QString Raison(const QCommandLineParser& analyseur) {
    const QStringList inconnues = analyseur.unknownOptionNames();
    if (!inconnues.isEmpty())
        return QStringLiteral("option inconnue « %1 ».").arg(inconnues.first());
    static const std::pair<QRegularExpression, QString> traductions[] = {
        {QRegularExpression(QStringLiteral("^Missing value after '(.*)'\\.$")),
         QStringLiteral("valeur manquante après « %1 ».")},
        {QRegularExpression(QStringLiteral("^Unexpected value after '(.*)'\\.$")),
         QStringLiteral("valeur inattendue après « %1 ».")}};
    for (const auto& [modele, texte] : traductions) {
        const QRegularExpressionMatch trouve = modele.match(analyseur.errorText());
        if (trouve.hasMatch())
            return texte.arg(trouve.captured(1));
    }
    return analyseur.errorText();
}

QString Refus(const QString& raison, const QString& programme) {
    return QStringLiteral("%1 : %2\n%3\nVoir « %1 --help ».\n")
        .arg(programme, raison, Usage.arg(programme));
}

} // namespace

QString Version() {
    return QStringLiteral(QUILLVANE_VERSION);
}

Demande Analyser(const QStringList& arguments) {
    const QString programme =
        arguments.isEmpty() ? QStringLiteral("quillvane") : QFileInfo(arguments.first()).fileName();

    QCommandLineParser analyseur;
    analyseur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    Accepter_Options_De_Qt(analyseur);
    analyseur.setApplicationDescription(
        QStringLiteral("Quillvane prépare les points de passage (Poi) d'un fichier GPX pour le "
                       "traceur de cartes OpenCPN."));
    const QCommandLineOption aide({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide et s'arrête."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Affiche la version et s'arrête."));
    analyseur.addOption(aide);
    analyseur.addOption(version);
    analyseur.addPositionalArgument(
        QStringLiteral("FICHIER.gpx"),
        QStringLiteral("Le fichier GPX à ouvrir au démarrage, comme s'il était choisi avec "
                       "« >>> »."),
        QStringLiteral("[FICHIER.gpx]"));

    if (!analyseur.parse(arguments))
        return {Action::Refuser, {}, Refus(Raison(analyseur), programme)};
    if (analyseur.isSet(aide))
        return {Action::Afficher, {}, Aide(analyseur, programme)};
    if (analyseur.isSet(version))
        return {Action::Afficher, {}, QStringLiteral("Quillvane %1\n").arg(Version())};

    const QStringList fichiers = analyseur.positionalArguments();
    if (fichiers.size() > 1)
        return {Action::Refuser,
                {},
                Refus(QStringLiteral("un seul fichier peut être ouvert à la fois."), programme)};
    if (fichiers.isEmpty())
        return {};
    return {
        Action::Demarrer,
        QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(fichiers.first()).absoluteFilePath())),
        {}};
}

} // namespace Ligne_Commande
