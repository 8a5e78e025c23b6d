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

QString DecodeCp1252(QByteArrayView bytes)
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
// Well-formed UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF), checked
// piece by piece; high is set when a byte of 0x80 or more was seen.
struct Utf8Check {
    bool bad = false;
    bool high = false;
    int need = 0;                       // continuation bytes still due
    unsigned char lo = 0x80, hi = 0xBF; // range of the next continuation byte

    void Feed(QByteArrayView piece)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
        const qsizetype n = piece.size();
        for (qsizetype i = 0; i < n && !bad; ++i) {
            const unsigned char b = p[i];
            if (need > 0) {
                if (b < lo || b > hi)
                    bad = true;
                lo = 0x80, hi = 0xBF;
                --need;
                continue;
            }
            if (b < 0x80)
                continue;
            high = true;
            if (b >= 0xC2 && b <= 0xDF)
                need = 1;
            else if (b >= 0xE0 && b <= 0xEF) {
                need = 2;
                if (b == 0xE0)
                    lo = 0xA0;
                else if (b == 0xED)
                    hi = 0x9F;
            } else if (b >= 0xF0 && b <= 0xF4) {
                need = 3;
                if (b == 0xF0)
                    lo = 0x90;
                else if (b == 0xF4)
                    hi = 0x8F;
            } else
                bad = true;
        }
    }
    // Valid when everything fed so far ends a character.
    bool Valid() const { return !bad && need == 0; }
};

bool IsUtf8(QByteArrayView bytes, bool* high)
{
    Utf8Check check;
    check.Feed(bytes);
    *high = check.high;
    return check.Valid();
}

// The UTF-16 byte order a file's mark names.
std::optional<Encoding> Utf16Mark(QByteArrayView head)
{
    if (head.startsWith("\xFF\xFE"))
        return Encoding::Utf16Le;
    if (head.startsWith("\xFE\xFF"))
        return Encoding::Utf16Be;
    return std::nullopt;
}

// UTF-16 in one byte order, decoded piece by piece. Bad once the bytes are no UTF-16 text:
// a lone surrogate, a NUL (which UTF-32 behind the same mark has), an odd last byte.
struct Utf16Decoder {
    explicit Utf16Decoder(Encoding e) : big(e == Encoding::Utf16Be) {}
    bool big;
    bool bad = false;
    int pending = -1;  // a first byte whose partner comes with the next piece
    char16_t high = 0; // a high surrogate waiting for its low one
    QString out;

    void Feed(QByteArrayView piece)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
        const qsizetype n = piece.size();
        qsizetype i = 0;
        if (pending >= 0 && n > 0) {
            Pair(static_cast<unsigned char>(pending), p[0]);
            pending = -1;
            i = 1;
        }
        for (; i + 1 < n && !bad; i += 2)
            Pair(p[i], p[i + 1]);
        if (i < n && !bad)
            pending = p[i];
    }
    bool Finish() const { return !bad && pending < 0 && high == 0; }

private:
    void Pair(unsigned char a, unsigned char b)
    {
        const auto u = static_cast<char16_t>(big ? (a << 8 | b) : (b << 8 | a));
        if (high != 0) {
            if (!QChar::isLowSurrogate(u)) {
                bad = true;
                return;
            }
            out.append(QChar(high));
            out.append(QChar(u));
            high = 0;
        } else if (QChar::isHighSurrogate(u)) {
            high = u;
        } else if (QChar::isLowSurrogate(u) || u == 0) {
            bad = true;
        } else {
            out.append(QChar(u));
        }
    }
};

// The text as UTF-16 code units in that byte order; a lone surrogate becomes U+FFFD, so
// that what is written reads back.
void AppendUtf16(QByteArray& out, QStringView text, Encoding e)
{
    const bool big = e == Encoding::Utf16Be;
    const qsizetype old = out.size();
    out.resize(old + 2 * text.size());
    char* d = out.data() + old;
    const auto put = [&](char16_t u) {
        const auto hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        *d++ = big ? hi : lo;
        *d++ = big ? lo : hi;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            put(u);
            put(text[++i].unicode());
        } else if (QChar::isSurrogate(u)) {
            put(0xFFFD);
        } else {
            put(u);
        }
    }
}

bool IsUtf16(Encoding e) { return e == Encoding::Utf16Le || e == Encoding::Utf16Be; }
// Text whose code page bytes would start with a UTF-16 mark ("ÿþ" or "þÿ") and
// so read back as UTF-16.
bool StartsLikeUtf16Mark(QStringView text)
{
    return text.size() >= 2 &&
           ((text[0] == QChar(0xFF) && text[1] == QChar(0xFE)) || (text[0] == QChar(0xFE) && text[1] == QChar(0xFF)));
}
const char* Utf16MarkBytes(Encoding e) { return e == Encoding::Utf16Be ? "\xFE\xFF" : "\xFF\xFE"; }
} // namespace

DecodedText Decode(const QByteArray& bytes)
{
    if (const auto utf16 = Utf16Mark(bytes)) {
        Utf16Decoder decoder(*utf16);
        decoder.out.reserve(bytes.size() / 2);
        decoder.Feed(QByteArrayView(bytes).sliced(2));
        if (decoder.Finish())
            return {std::move(decoder.out), *utf16};
        return {DecodeCp1252(bytes), Encoding::Cp1252, false};
    }
    bool high = false;
    if (!IsUtf8(bytes, &high) || !high)
        return {DecodeCp1252(bytes), Encoding::Cp1252};
    // Only the first mark is the file's; a second one is a character of the text.
    const bool mark = bytes.startsWith("\xEF\xBB\xBF");
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(mark ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes));
    return {std::move(text), mark ? Encoding::Utf8WithBom : Encoding::Utf8};
}

QByteArray Encode(QStringView text, Encoding encoding)
{
    if (IsUtf16(encoding)) {
        QByteArray bytes(Utf16MarkBytes(encoding), 2);
        AppendUtf16(bytes, text, encoding);
        return bytes;
    }
    if (encoding == Encoding::Cp1252 && FitsCp1252(text) && !StartsLikeUtf16Mark(text)) {
        // Bytes that would read back as UTF-8 (such as "Ã©") or as UTF-16 are written as
        // UTF-8, so that the text reads back as it was.
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

void VisitLines(QStringView text, const std::function<void(QStringView)>& visit, LineEnd* lineEnd)
{
    qsizetype start = 0;
    const qsizetype n = text.size();
    bool seen[3] = {false, false, false}; // CR LF, LF, CR
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        visit(text.sliced(start, i - start));
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
        visit(text.sliced(start));
    if (lineEnd) {
        const int kinds = int(seen[0]) + int(seen[1]) + int(seen[2]);
        *lineEnd = kinds != 1 || seen[0] ? LineEnd::CrLf : seen[1] ? LineEnd::Lf : LineEnd::Cr;
    }
}

QStringList SplitLines(QStringView text, LineEnd* lineEnd)
{
    QStringList lines;
    VisitLines(
        text, [&](QStringView line) { lines.append(line.toString()); }, lineEnd);
    return lines;
}

std::optional<QString> ReadText(const QString& path, Encoding* encoding)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    DecodedText decoded = Decode(bytes);
    bytes = QByteArray(); // not held beside the text any longer than needed
    if (!decoded.isText)
        return std::nullopt;
    if (encoding)
        *encoding = decoded.encoding;
    return std::move(decoded.text);
}

namespace {
constexpr qint64 kPiece = 1 << 20; // bytes read or written at a time

// Hands the file's bytes to take piece by piece, from the start; false on a read error.
bool ReadPieces(QFile& f, const std::function<void(QByteArrayView)>& take)
{
    if (!f.seek(0))
        return false;
    // A small file needs no piece of the full size.
    QByteArray piece(std::min(kPiece, std::max<qint64>(f.size(), 0) + 1), Qt::Uninitialized);
    const qint64 room = piece.size();
    for (;;) {
        const qint64 n = f.read(piece.data(), room);
        if (n < 0)
            return false;
        if (n == 0)
            return f.error() == QFileDevice::NoError;
        take(QByteArrayView(piece.constData(), n));
    }
}
} // namespace

bool VisitFileLines(const QString& path, const std::function<bool(QStringView)>& visit, Encoding* encoding,
                    LineEnd* lineEnd, bool* notText)
{
    if (notText)
        *notText = false;
    if (path.isEmpty())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    // First pass: the same choice of encoding as Decode makes for the whole file.
    Utf8Check check;
    QByteArray head; // the first three bytes, for the mark
    if (!ReadPieces(f, [&](QByteArrayView piece) {
            if (head.size() < 3)
                head += piece.first(std::min<qsizetype>(piece.size(), 3 - head.size()));
            if (!check.bad)
                check.Feed(piece);
        }))
        return false;
    if (const auto utf16 = Utf16Mark(head)) {
        // Its line ends are two bytes each: the whole text is decoded first, and a file that
        // is no UTF-16 hands over no line at all.
        Utf16Decoder decoder(*utf16);
        decoder.out.reserve(std::max<qint64>(f.size(), 0) / 2);
        qsizetype skip = 2;
        if (!ReadPieces(f, [&](QByteArrayView piece) {
                const qsizetype cut = std::min(skip, piece.size());
                skip -= cut;
                if (!decoder.bad)
                    decoder.Feed(piece.sliced(cut));
            }))
            return false;
        if (!decoder.Finish()) {
            if (notText)
                *notText = true;
            return false;
        }
        if (encoding)
            *encoding = *utf16;
        bool wanted = true;
        VisitLines(
            decoder.out,
            [&](QStringView line) {
                if (wanted)
                    wanted = visit(line);
            },
            lineEnd);
        return true;
    }
    const bool utf8 = check.Valid() && check.high;
    const bool mark = utf8 && head == "\xEF\xBB\xBF";
    if (encoding)
        *encoding = !utf8 ? Encoding::Cp1252 : mark ? Encoding::Utf8WithBom : Encoding::Utf8;

    // Second pass: the lines. CR and LF are single bytes in both encodings and never part
    // of a UTF-8 sequence, so each line decodes alone to what the whole text holds.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString line;
    bool wanted = true; // once visit has had enough, only the line ends are still looked at
    const auto hand = [&](QByteArrayView bytes) {
        if (!wanted)
            return;
        line = utf8 ? decoder.decode(bytes) : DecodeCp1252(bytes);
        wanted = visit(line);
    };
    QByteArray pending;  // the start of a line that goes on in the next piece
    bool any = false;    // something after the last line end
    bool crLast = false; // the last piece ended in CR: an LF next belongs to it
    qsizetype skip = mark ? 3 : 0;
    bool seen[3] = {false, false, false}; // CR LF, LF, CR
    const bool read = ReadPieces(f, [&](QByteArrayView piece) {
        const qsizetype cut = std::min(skip, piece.size());
        piece = piece.sliced(cut);
        skip -= cut;
        const qsizetype n = piece.size();
        qsizetype i = 0;
        if (crLast && n > 0) {
            crLast = false;
            if (piece[0] == '\n') {
                seen[0] = true;
                i = 1;
            } else
                seen[2] = true;
        }
        qsizetype start = i;
        for (; i < n; ++i) {
            const char c = piece[i];
            if (c != '\r' && c != '\n')
                continue;
            if (pending.isEmpty())
                hand(piece.sliced(start, i - start));
            else {
                if (wanted)
                    pending += piece.sliced(start, i - start);
                hand(pending);
                pending.clear();
            }
            any = false;
            if (c == '\n')
                seen[1] = true;
            else if (i + 1 == n)
                crLast = true;
            else if (piece[i + 1] == '\n') {
                seen[0] = true;
                ++i;
            } else
                seen[2] = true;
            start = i + 1;
        }
        if (start < n) {
            any = true;
            if (wanted)
                pending += piece.sliced(start);
        }
    });
    if (!read)
        return false;
    if (crLast)
        seen[2] = true;
    if (any)
        hand(pending);
    if (lineEnd) {
        const int kinds = int(seen[0]) + int(seen[1]) + int(seen[2]);
        *lineEnd = kinds != 1 || seen[0] ? LineEnd::CrLf : seen[1] ? LineEnd::Lf : LineEnd::Cr;
    }
    return true;
}

std::optional<QStringList> ReadLines(const QString& path, Encoding* encoding, LineEnd* lineEnd)
{
    auto text = ReadText(path, encoding);
    if (!text)
        return std::nullopt;
    return SplitLines(*text, lineEnd);
}

bool WriteWhole(const QString& path, const QByteArray& bytes) { return platform::WriteFileWhole(path, bytes); }

namespace {
// Each line followed by lineEnd, in encoding (see Encode), handed to sink in pieces of
// about kPiece bytes; false when the sink was.
bool EncodeLines(const LineSource& lines, Encoding encoding, LineEnd lineEnd, const platform::ByteSink& sink)
{
    const QLatin1StringView end(LineEndText(lineEnd));
    // First pass: whether the text fits the code page, and whether its bytes there would
    // read back as UTF-8 (such as "Ã©") or UTF-16 (a first line starting "ÿþ"): then it
    // is written as UTF-8, so that it reads back as it was. A UTF-8 sequence never spans a line end, so each line is
    // checked alone.
    const bool utf16 = IsUtf16(encoding);
    bool fits = encoding == Encoding::Cp1252;
    bool first = true, startsWithMark = false, startsLikeUtf16 = false;
    Utf8Check asUtf8;
    lines([&](QStringView line) {
        if (first) {
            startsWithMark = line.startsWith(QChar(0xFEFF));
            startsLikeUtf16 = StartsLikeUtf16Mark(line);
        }
        first = false;
        for (qsizetype i = 0; fits && i < line.size(); ++i) {
            const char16_t u = line[i].unicode();
            if (u < 0x80) {
                if (asUtf8.need > 0)
                    asUtf8.bad = true;
                continue;
            }
            const auto b = Cp1252Byte(u);
            if (!b)
                fits = false;
            else if (!asUtf8.bad)
                asUtf8.Feed(QByteArrayView(&*b, 1));
        }
        if (fits && !asUtf8.bad && asUtf8.need > 0)
            asUtf8.bad = true; // a sequence cut by the line end
    });
    const bool codePage = fits && !(asUtf8.Valid() && asUtf8.high) && !startsLikeUtf16;
    QByteArray buffer;

    bool ok = true;
    const auto flush = [&](bool always) {
        if (ok && (always || buffer.size() >= kPiece)) {
            if (!buffer.isEmpty())
                ok = sink(buffer);
            buffer.resize(0);
        }
    };
    // Text that starts with the mark's own character keeps it only behind a mark.
    if (utf16)
        buffer.append(Utf16MarkBytes(encoding), 2);
    else if (!codePage && (encoding == Encoding::Utf8WithBom || startsWithMark))
        buffer.append("\xEF\xBB\xBF");
    QByteArray endBytes(end.data(), end.size());
    if (utf16) {
        endBytes.clear();
        AppendUtf16(endBytes, QString(end), encoding);
    }
    lines([&](QStringView line) {
        for (qsizetype at = 0; ok && at < line.size();) {
            // A long line goes in pieces; a surrogate pair stays whole.
            qsizetype len = std::min<qsizetype>(line.size() - at, kPiece);
            if (at + len < line.size() && line[at + len - 1].isHighSurrogate())
                --len;
            const QStringView part = line.sliced(at, len);
            const qsizetype old = buffer.size();
            if (codePage) {
                buffer.resize(old + part.size());
                char* d = buffer.data() + old;
                for (const QChar c : part) {
                    const char16_t u = c.unicode();
                    *d++ = u < 0x80 ? static_cast<char>(u) : *Cp1252Byte(u);
                }
            } else if (utf16)
                AppendUtf16(buffer, part, encoding);
            else
                buffer.append(part.toUtf8()); // as the whole text's toUtf8 gives it
            at += len;
            flush(false);
        }
        buffer.append(endBytes);
        flush(false);
    });
    flush(true);
    return ok;
}
} // namespace

QByteArray LinesBytes(const LineSource& lines, Encoding encoding, LineEnd lineEnd)
{
    QByteArray bytes;
    EncodeLines(lines, encoding, lineEnd, [&](QByteArrayView piece) {
        bytes.append(piece);
        return true;
    });
    return bytes;
}

bool WriteLineSource(const QString& path, const LineSource& lines, Encoding encoding, LineEnd lineEnd)
{
    return platform::WriteFileWhole(
        path, [&](const platform::ByteSink& sink) { return EncodeLines(lines, encoding, lineEnd, sink); });
}

QByteArray LinesBytes(const QStringList& lines, Encoding encoding, LineEnd lineEnd)
{
    return LinesBytes(
        [&](const std::function<void(QStringView)>& put) {
            for (const QString& l : lines)
                put(l);
        },
        encoding, lineEnd);
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
