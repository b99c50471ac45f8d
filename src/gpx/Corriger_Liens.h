#pragma once

// Re-points the file links of an opened GPX file into the file's own folder, so that links
// made on another computer (or on Windows) reach the files kept beside the GPX file.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Fichiers {

// Every "file://" starts a target running to "<", to the quote that opened it when it stands
// in quotes (else to the next quote of either kind), or to the end of the line; each target
// becomes "file://" + `dossier` (UTF-8, XML-escaped, its quotes, line ends and non-separator
// backslashes as references) + its file name (after its last backslash, else after its last
// "/"). Every other byte is kept; every line, the last one included, ends with CR LF.
// `repointe`, when given, tells whether a target now points elsewhere (line ends aside).
QByteArray Corriger_Liens_Fichier(QByteArrayView contenu, const QString& dossier,
                                  bool* repointe = nullptr);

} // namespace Fichiers
