#pragma once

// Text of the files: values are decoded from UTF-8, and bytes that are not valid UTF-8
// (files from older Windows programs) are read as Windows-1252. Files are written in UTF-8.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace UTF8 {

// The characters the bytes encode in UTF-8; bytes that are not valid UTF-8 give their
// Windows-1252 reading instead. Never adds a replacement character.
QString UTF8_Vers_Texte(QByteArrayView octets);

// Whether the bytes are valid UTF-8.
bool Est_UTF8(QByteArrayView octets);

// One character per byte, by the Windows-1252 code page (the five bytes it leaves undefined
// give the control characters of the same code).
QString Windows1252_Vers_Texte(QByteArrayView octets);

inline QByteArray Texte_Vers_UTF8(const QString& texte) {
    return texte.toUtf8();
}

} // namespace UTF8
