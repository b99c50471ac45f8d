#pragma once

// Re-points the file links of an opened GPX file into the file's own folder, so that links
// made on another computer (or on Windows) reach the files kept beside the GPX file. Only
// the targets of links are touched: a "file://" written in a description, a comment or any
// other text stays as it is.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace Fichiers {

// A link target of the bytes read, [debut, fin), and what it becomes.
struct Cible {
    qsizetype debut = 0, fin = 0;
    QByteArray valeur;
};

// The folder as it is written inside an attribute: UTF-8, XML-escaped, its quotes, angle
// brackets and line ends as references (a tag cut short reads the same once re-pointed), and its
// backslashes too where they are no folder separator (the file name is taken after the last one).
QByteArray Dossier_Echappe(const QString& dossier);

// What the target `href` (as written) becomes in the folder `dossier` (escaped): "file://",
// the folder, then its file name (after its last backslash or "/", whichever comes last). Empty
// when it is no file link or names that file of the folder already.
QByteArray Cible_Repointee(QByteArrayView href, QByteArrayView dossier);

// The bytes with every target replaced; `cibles` in the order of the bytes.
QByteArray Remplacer_Cibles(QByteArrayView contenu, const QList<Cible>& cibles);

// The bytes of a GPX file with its link targets re-pointed into `dossier`, read once as the
// opening reads them. `repointe`, when given, tells whether a target now points elsewhere.
QByteArray Corriger_Liens_Fichier(QByteArrayView contenu, const QString& dossier,
                                  bool* repointe = nullptr);

} // namespace Fichiers
