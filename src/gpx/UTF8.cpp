#include "UTF8.h"

#include <QStringDecoder>
#include <cstring>

namespace UTF8 {

namespace {
// Windows-1252 at 0x80..0x9F; the other bytes are Latin-1.
constexpr char16_t Plage_80_9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

QString Windows1252_Vers_Texte(QByteArrayView octets) {
    QString texte(octets.size(), Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (const char o : octets) {
        const auto b = static_cast<unsigned char>(o);
        *sortie++ = (b >= 0x80 && b <= 0x9F) ? QChar(Plage_80_9F[b - 0x80]) : QChar(b);
    }
    return texte;
}

bool Est_UTF8(QByteArrayView octets) {
    const auto* o = reinterpret_cast<const unsigned char*>(octets.data());
    const qsizetype n = octets.size();
    for (qsizetype i = 0; i < n;) {
        // Plain ASCII, most of any file, eight bytes at a time.
        if (i + 8 <= n) {
            quint64 bloc;
            std::memcpy(&bloc, o + i, 8);
            if (!(bloc & 0x8080808080808080ULL)) {
                i += 8;
                continue;
            }
        }
        const unsigned char c = o[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int suite;
        char32_t code;
        if (c >= 0xC2 && c <= 0xDF)
            suite = 1, code = c & 0x1F;
        else if (c >= 0xE0 && c <= 0xEF)
            suite = 2, code = c & 0x0F;
        else if (c >= 0xF0 && c <= 0xF4)
            suite = 3, code = c & 0x07;
        else
            return false;
        if (i + suite >= n)
            return false;
        for (int k = 1; k <= suite; ++k) {
            if ((o[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (o[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond Unicode.
        if ((suite == 2 && code < 0x800) || (suite == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
            (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += suite + 1;
    }
    return true;
}

QString UTF8_Vers_Texte(QByteArrayView octets) {
    // Plain ASCII, the common case, needs no decoder.
    bool ascii = true;
    for (const char o : octets)
        if (static_cast<unsigned char>(o) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(octets.data(), octets.size());

    QStringDecoder decodeur(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                        QStringConverter::Flag::ConvertInitialBom);
    QString texte = decodeur.decode(octets);
    if (decodeur.hasError())
        return Windows1252_Vers_Texte(octets);
    return texte;
}

} // namespace UTF8
