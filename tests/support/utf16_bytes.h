#pragma once
// The text as a UTF-16 file of that byte order, behind its mark, each code unit as it
// stands (a lone surrogate too, which the program's own writer would not write).
#include <QByteArray>
#include <QString>

namespace testsupport {

inline QByteArray Utf16(const QString& text, bool bigEndian)
{
    QByteArray b = bigEndian ? QByteArray("\xfe\xff", 2) : QByteArray("\xff\xfe", 2);
    for (const QChar c : text) {
        const char hi = static_cast<char>(c.unicode() >> 8), lo = static_cast<char>(c.unicode() & 0xff);
        b += bigEndian ? hi : lo;
        b += bigEndian ? lo : hi;
    }
    return b;
}

} // namespace testsupport
