#pragma once

// A GPX text as XML reads it, to check that the program writes back what it read: shared by
// the tests and the fuzz targets (Qt Core only).

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>

// Every element of a well-formed XML text, as "path: attributes = text": the path names each
// element and its rank among the siblings of its name ("gpx#1/wpt#3/link#2"), the attributes
// are sorted, the text is the element's own, trimmed. Comments and instructions, as
// "path/#: text" and "path/#target: data", where they stand. Empty when not well-formed.
inline QStringList Elements_XML(const QByteArray& octets) {
    QStringList elements;
    struct Ouvert {
        QString chemin, attributs, texte;
        QHash<QString, int> rangs;
    };
    QList<Ouvert> pile{Ouvert{}};
    QXmlStreamReader xml(octets);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            // GPX's own elements by their name, whatever their prefix.
            const QString nom =
                (xml.namespaceUri() == u"http://www.topografix.com/GPX/1/1" ? xml.name()
                                                                            : xml.qualifiedName())
                    .toString();
            QStringList attributs;
            for (const QXmlStreamAttribute& a : xml.attributes())
                attributs << a.qualifiedName().toString() + u'=' + a.value().toString();
            attributs.sort();
            const int rang = ++pile.last().rangs[nom];
            const QString parent = pile.last().chemin;
            pile.append({(parent.isEmpty() ? QString() : parent + u'/') + nom + u'#' +
                             QString::number(rang),
                         attributs.join(u' '),
                         {},
                         {}});
        } else if (xml.isComment() || xml.isProcessingInstruction()) {
            elements << pile.last().chemin + u"/#"_qs +
                            xml.processingInstructionTarget().toString() + u": "_qs +
                            xml.text().toString() + xml.processingInstructionData().toString();
        } else if (xml.isCharacters()) {
            pile.last().texte += xml.text();
        } else if (xml.isEndElement()) {
            const Ouvert o = pile.takeLast();
            elements << o.chemin + u": "_qs + o.attributs + u" = "_qs + o.texte.trimmed();
        }
    }
    return xml.hasError() ? QStringList() : elements;
}

// The writer's own lines in a waypoint that had none: OpenCPN's, an empty label.
inline bool Ajout_Du_Programme(const QString& element) {
    static const QRegularExpression ajout(
        u"^gpx#1/wpt#[0-9]+/(sym#1:  = anchorage|type#1:  = WPT|"
        u"((extensions#1/)?opencpn:viz(_name)?#1|extensions#1):  = 1?|link#[0-9]+/text#1:  = )$"_qs);
    return ajout.match(element).hasMatch();
}

// Every element, comment and instruction of a well-formed GPX text but the root's own
// attributes and the names of the POIs, which follow the reading's rules; a waypoint's
// coordinate missing or empty is the same, and text standing right in a waypoint or a link,
// where GPX has none, is not kept.
inline QStringList Contenu_XML(const QByteArray& octets) {
    QStringList elements = Elements_XML(octets);
    static const QRegularExpression vide(u"^(gpx#1/wpt#[0-9]+: (.* )?)(lat= |lon= )+"_qs);
    static const QRegularExpression texte(u"^(gpx#1/wpt#[0-9]+(/link#[0-9]+)?: .*) = .*$"_qs);
    for (QString& e : elements)
        e.replace(vide, u"\\1"_qs).replace(texte, u"\\1 = "_qs);
    elements.removeIf([](const QString& e) {
        static const QRegularExpression nom(u"^gpx#1/wpt#([0-9]+)/name#1:"_qs);
        const QRegularExpressionMatch m = nom.match(e);
        return e.startsWith(u"gpx#1:"_qs) || (m.hasMatch() && m.captured(1).toInt() <= 100);
    });
    return elements;
}

// What XML reads differently in `ecrit`, written from `lu`: every element, comment and
// instruction must be there in the same order, and only the writer's own lines added. The
// elements missing ("-") or added ("+"); none when both read the same.
inline QStringList Ecarts_XML(const QByteArray& lu, const QByteArray& ecrit) {
    const QStringList avant = Contenu_XML(lu);
    QStringList ecarts;
    qsizetype k = 0;
    for (const QString& e : Contenu_XML(ecrit))
        if (k < avant.size() && e == avant[k])
            ++k;
        else if (!Ajout_Du_Programme(e))
            ecarts << u"+ "_qs + e;
    for (; k < avant.size(); ++k)
        ecarts << u"- "_qs + avant[k];
    return ecarts;
}
