#pragma once

// XML references in the values of a GPX file. Names are fully decoded when read and fully
// escaped when written; every other value is kept as read and only what would break the XML
// is escaped, so a value read from a well-formed file goes back out with the same bytes.

#include <QString>
#include <QStringView>

namespace Echappements_XML {

// Length of the reference (&amp; &lt; &gt; &quot; &apos;, &#N; or &#xH; naming a character
// allowed in XML) that starts at `debut`, or 0 when none starts there.
qsizetype Longueur_Reference(QStringView texte, qsizetype debut);

// Replaces every such reference by its character; anything else is kept.
QString Decoder_References(const QString& texte);

// A name: "&", "<", ">", the double quote, CR and LF become references (a line end written
// as it is would cut the name's line).
QString Echapper_Nom(const QString& texte);

// Any other value: "<", an "&" that begins no reference, the ">" of "]]>", and inside an
// attribute the double quote become references.
QString Echapper_Valeur(const QString& texte, bool dansAttribut);

} // namespace Echappements_XML
