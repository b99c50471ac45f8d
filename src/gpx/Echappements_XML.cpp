#include "Echappements_XML.h"

#include <algorithm>

namespace Echappements_XML {

namespace {

struct Entite {
    QStringView nom;
    QChar caractere;
};
constexpr Entite Entites[] = {
    {u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}};

bool Caractere_Permis(char32_t code) {
    return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
           (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

struct Reference {
    qsizetype longueur = 0; // 0: no reference
    char32_t caractere = 0;
};

// The reference that starts at `debut` and the character it names.
Reference Lire_Reference(QStringView texte, qsizetype debut) {
    if (debut >= texte.size() || texte[debut] != u'&')
        return {};
    const qsizetype fin = texte.indexOf(u';', debut + 1);
    if (fin < 0 || fin - debut > 32) // leading zeros aside, the longest is &#1114111;
        return {};
    const qsizetype longueur = fin - debut + 1;
    const QStringView corps = texte.sliced(debut + 1, fin - debut - 1);
    if (corps.startsWith(u'#')) {
        const bool hexa = corps.size() > 1 && corps[1] == u'x';
        const QStringView chiffres = corps.sliced(hexa ? 2 : 1);
        if (chiffres.isEmpty())
            return {};
        for (const QChar ch : chiffres) {
            const char16_t u = ch.unicode();
            const bool chiffre = (u >= u'0' && u <= u'9') ||
                                 (hexa && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')));
            if (!chiffre)
                return {};
        }
        bool ok = false;
        const uint code = chiffres.toUInt(&ok, hexa ? 16 : 10);
        if (!ok || !Caractere_Permis(code))
            return {};
        return {longueur, char32_t(code)};
    }
    for (const Entite& e : Entites)
        if (corps == e.nom)
            return {longueur, e.caractere.unicode()};
    return {};
}

} // namespace

qsizetype Longueur_Reference(QStringView texte, qsizetype debut) {
    return Lire_Reference(texte, debut).longueur;
}

QString Decoder_References(const QString& texte) {
    if (!texte.contains(u'&'))
        return texte;
    QString resultat;
    resultat.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size();) {
        const Reference reference = Lire_Reference(texte, i);
        if (reference.longueur == 0) {
            resultat += texte[i++];
            continue;
        }
        resultat += QString::fromUcs4(&reference.caractere, 1);
        i += reference.longueur;
    }
    return resultat;
}

QString Echapper_Nom(const QString& texte) {
    // A line end written as it is would cut the name's line.
    static constexpr struct {
        char16_t caractere;
        QStringView reference;
    } References[] = {{u'&', u"&amp;"},  {u'<', u"&lt;"},   {u'>', u"&gt;"},
                      {u'"', u"&quot;"}, {u'\r', u"&#13;"}, {u'\n', u"&#10;"}};
    QString resultat;
    resultat.reserve(texte.size());
    for (const QChar ch : texte) {
        const auto r = std::find_if(std::begin(References), std::end(References),
                                    [ch](const auto& e) { return e.caractere == ch.unicode(); });
        if (r != std::end(References))
            resultat += r->reference;
        else
            resultat += ch;
    }
    return resultat;
}

QString Echapper_Valeur(const QString& texte, bool dansAttribut) {
    QString resultat;
    resultat.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar ch = texte[i];
        if (ch == u'<')
            resultat += u"&lt;";
        else if (ch == u'&' && Longueur_Reference(texte, i) == 0)
            resultat += u"&amp;";
        else if (ch == u'"' && dansAttribut)
            resultat += u"&quot;";
        else if (ch == u'>' && i >= 2 && texte[i - 1] == u']' && texte[i - 2] == u']')
            resultat += u"&gt;";
        else
            resultat += ch;
    }
    return resultat;
}

} // namespace Echappements_XML
