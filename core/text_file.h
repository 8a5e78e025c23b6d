#pragma once
// Text files as the system keeps them: Windows-1252 or UTF-8, one entry a line. On reading,
// CR LF, CR alone or LF alone ends a line; a file is written back with the line ends it
// was read with when it had one kind, else (a new or a mixed file) with CR LF.
// A file is written whole, through a temporary file that replaces the old one only when
// the write succeeded.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace textfile {

QString DecodeCp1252(const QByteArray& bytes);
// Characters the code page lacks become "?".
QByteArray EncodeCp1252(QStringView text);
// Every character has its own code in Windows-1252.
bool FitsCp1252(QStringView text);

// The encoding a file was read in, to write it back in.
enum class Encoding { Cp1252, Utf8, Utf8WithBom };
struct DecodedText {
    QString text;
    Encoding encoding = Encoding::Cp1252;
};
// UTF-8 when the bytes are valid UTF-8 and hold a byte of 0x80 or more (a leading byte
// order mark is dropped and remembered); Windows-1252 otherwise, as older files are.
DecodedText Decode(const QByteArray& bytes);
// The text in that encoding; Windows-1252 text that does not fit becomes UTF-8 without
// a byte order mark, so that no letter is lost.
QByteArray Encode(QStringView text, Encoding encoding);

// The line ends a file was read with, to write it back with.
enum class LineEnd { CrLf, Lf, Cr };
const char* LineEndText(LineEnd lineEnd);

// Splits at CR LF, CR or LF; a final line end does not start another line. lineEnd, when
// given, receives the one kind of line end the text holds; CR LF when it holds none or
// more than one kind.
QStringList SplitLines(QStringView text, LineEnd* lineEnd = nullptr);

// The lines of the file; std::nullopt when it cannot be opened. encoding and lineEnd,
// when given, receive what the file was read with.
std::optional<QStringList> ReadLines(const QString& path, Encoding* encoding = nullptr, LineEnd* lineEnd = nullptr);
// The whole file decoded; std::nullopt when it cannot be opened.
std::optional<QString> ReadText(const QString& path, Encoding* encoding = nullptr);

// Writes the bytes as the whole file. False (the old file untouched) on any failure.
bool WriteWhole(const QString& path, const QByteArray& bytes);
// Each line followed by lineEnd, in encoding (see Encode).
QByteArray LinesBytes(const QStringList& lines, Encoding encoding = Encoding::Cp1252, LineEnd lineEnd = LineEnd::CrLf);
bool WriteLines(const QString& path, const QStringList& lines, Encoding encoding = Encoding::Cp1252,
                LineEnd lineEnd = LineEnd::CrLf);
// The text as it stands, encoded.
bool WriteText(const QString& path, QStringView text, Encoding encoding = Encoding::Cp1252);

} // namespace textfile
