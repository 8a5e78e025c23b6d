#include "text_file.h"

#include "system/whole_file_write.h"

#include <QFile>

namespace textfile {
namespace {
// 0x80..0x9F of Windows-1252; 0 marks the five unassigned codes (kept as C1 controls).
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
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
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            d[i] = static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k) {
            if ((kHigh[k] != 0 && kHigh[k] == c) || (kHigh[k] == 0 && c == 0x80 + k)) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        }
        d[i] = mapped;
    }
    return out;
}

QStringList SplitLines(QStringView text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (text[i] != u'\r')
            continue;
        lines.append(text.mid(start, i - start).toString());
        if (i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start).toString());
    return lines;
}

std::optional<QString> ReadText(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return DecodeCp1252(bytes);
}

std::optional<QStringList> ReadLines(const QString& path)
{
    auto text = ReadText(path);
    if (!text)
        return std::nullopt;
    return SplitLines(*text);
}

bool WriteWhole(const QString& path, const QByteArray& bytes) { return platform::WriteFileWhole(path, bytes); }

bool WriteLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines) {
        bytes += EncodeCp1252(l);
        bytes += "\r\n";
    }
    return WriteWhole(path, bytes);
}

bool WriteText(const QString& path, QStringView text) { return WriteWhole(path, EncodeCp1252(text)); }

} // namespace textfile
