#include "text_file.h"

#include "system/whole_file_write.h"

#include <QFile>
#include <QStringDecoder>

namespace textfile {
namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unassigned codes (kept as C1 controls).
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code of the character in Windows-1252; the five unassigned codes stand for themselves.
std::optional<char> Cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (int k = 0; k < 32; ++k)
        if ((kHigh[k] != 0 && kHigh[k] == c) || (kHigh[k] == 0 && c == 0x80 + k))
            return static_cast<char>(0x80 + k);
    return std::nullopt;
}
} // namespace

QString DecodeCp1252(const QByteArray& bytes)
{
    QString out;
    out.resize(bytes.size());
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b >= 0x80 && b <= 0x9F && kHigh[b - 0x80] != 0)
            d[i] = QChar(kHigh[b - 0x80]);
        else
            d[i] = QChar(static_cast<char16_t>(b));
    }
    return out;
}

QByteArray EncodeCp1252(QStringView text)
{
    QByteArray out;
    out.resize(text.size());
    char* d = out.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        d[i] = Cp1252Byte(text[i].unicode()).value_or('?');
    return out;
}

bool FitsCp1252(QStringView text)
{
    for (const QChar c : text)
        if (!Cp1252Byte(c.unicode()))
            return false;
    return true;
}

namespace {
// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF); high is
// set when a byte of 0x80 or more was seen.
bool IsUtf8(const QByteArray& bytes, bool* high)
{
    *high = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        *high = true;
        int len;
        unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
        if (b >= 0xC2 && b <= 0xDF)
            len = 2;
        else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0)
                lo = 0xA0;
            else if (b == 0xED)
                hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0)
                lo = 0x90;
            else if (b == 0xF4)
                hi = 0x8F;
        } else
            return false;
        if (i + len > n || p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (int k = 2; k < len; ++k)
            if (p[i + k] < 0x80 || p[i + k] > 0xBF)
                return false;
        i += len;
    }
    return true;
}
} // namespace

DecodedText Decode(const QByteArray& bytes)
{
    bool high = false;
    if (!IsUtf8(bytes, &high) || !high)
        return {DecodeCp1252(bytes), Encoding::Cp1252};
    // Only the first mark is the file's; a second one is a character of the text.
    const bool mark = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(mark ? bytes.mid(3) : bytes);
    return {std::move(text), mark ? Encoding::Utf8WithBom : Encoding::Utf8};
}

QByteArray Encode(QStringView text, Encoding encoding)
{
    if (encoding == Encoding::Cp1252 && FitsCp1252(text)) {
        // Bytes that would read back as UTF-8 (such as "Ã©") are written as UTF-8, so that
        // the text reads back as it was.
        QByteArray bytes = EncodeCp1252(text);
        bool high = false;
        if (!IsUtf8(bytes, &high) || !high)
            return bytes;
    }
    const QByteArray utf8 = text.toUtf8();
    // Text that starts with the mark's own character keeps it only behind a mark.
    const bool mark = encoding == Encoding::Utf8WithBom || text.startsWith(QChar(0xFEFF));
    return mark ? "\xEF\xBB\xBF" + utf8 : utf8;
}

const char* LineEndText(LineEnd lineEnd)
{
    switch (lineEnd) {
    case LineEnd::Lf:
        return "\n";
    case LineEnd::Cr:
        return "\r";
    default:
        return "\r\n";
    }
}

QStringList SplitLines(QStringView text, LineEnd* lineEnd)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    bool seen[3] = {false, false, false}; // CR LF, LF, CR
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (c == u'\n')
            seen[1] = true;
        else if (i + 1 < n && text[i + 1] == u'\n') {
            seen[0] = true;
            ++i;
        } else
            seen[2] = true;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start).toString());
    if (lineEnd) {
        const int kinds = int(seen[0]) + int(seen[1]) + int(seen[2]);
        *lineEnd = kinds != 1 || seen[0] ? LineEnd::CrLf : seen[1] ? LineEnd::Lf : LineEnd::Cr;
    }
    return lines;
}

std::optional<QString> ReadText(const QString& path, Encoding* encoding)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    DecodedText decoded = Decode(bytes);
    if (encoding)
        *encoding = decoded.encoding;
    return std::move(decoded.text);
}

std::optional<QStringList> ReadLines(const QString& path, Encoding* encoding, LineEnd* lineEnd)
{
    auto text = ReadText(path, encoding);
    if (!text)
        return std::nullopt;
    return SplitLines(*text, lineEnd);
}

bool WriteWhole(const QString& path, const QByteArray& bytes) { return platform::WriteFileWhole(path, bytes); }

QByteArray LinesBytes(const QStringList& lines, Encoding encoding, LineEnd lineEnd)
{
    const QLatin1String end(LineEndText(lineEnd));
    QString text;
    for (const QString& l : lines) {
        text += l;
        text += end;
    }
    return Encode(text, encoding);
}

bool WriteLines(const QString& path, const QStringList& lines, Encoding encoding, LineEnd lineEnd)
{
    return WriteWhole(path, LinesBytes(lines, encoding, lineEnd));
}

bool WriteText(const QString& path, QStringView text, Encoding encoding)
{
    return WriteWhole(path, Encode(text, encoding));
}

} // namespace textfile
