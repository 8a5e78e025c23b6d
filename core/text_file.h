#pragma once
// Text files as the system keeps them: Windows-1252, UTF-8 or (behind its byte order mark)
// UTF-16, one entry a line. On reading,
// CR LF, CR alone or LF alone ends a line; a file is written back with the line ends it
// was read with when it had one kind, else (a new or a mixed file) with CR LF.
// A file is written whole, through a temporary file that replaces the old one only when
// the write succeeded.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace textfile {

QString DecodeCp1252(QByteArrayView bytes);
// Characters the code page lacks become "?".
QByteArray EncodeCp1252(QStringView text);
// Every character has its own code in Windows-1252.
bool FitsCp1252(QStringView text);

// The encoding a file was read in, to write it back in.
enum class Encoding { Cp1252, Utf8, Utf8WithBom, Utf16Le, Utf16Be };
struct DecodedText {
    QString text;
    Encoding encoding = Encoding::Cp1252;
    // False when the bytes are not the text their byte order mark names (UTF-16 cut in a
    // character, a lone surrogate, a NUL as UTF-32 has): text then holds them read as
    // Windows-1252, and such a file is never to be written back.
    bool isText = true;
};
// UTF-16 in the byte order its mark (FF FE or FE FF) names, the mark dropped and
// remembered; UTF-8 when the bytes are valid UTF-8 and hold a byte of 0x80 or more (a
// leading byte order mark is dropped and remembered); Windows-1252 otherwise, as older
// files are.
DecodedText Decode(const QByteArray& bytes);
// The text in that encoding; Windows-1252 text that does not fit becomes UTF-8 without
// a byte order mark, so that no letter is lost. UTF-16 gets its mark; a lone surrogate
// becomes U+FFFD, so that the file reads back.
QByteArray Encode(QStringView text, Encoding encoding);

// The line ends a file was read with, to write it back with.
enum class LineEnd { CrLf, Lf, Cr };
const char* LineEndText(LineEnd lineEnd);

// Splits at CR LF, CR or LF; a final line end does not start another line. lineEnd, when
// given, receives the one kind of line end the text holds; CR LF when it holds none or
// more than one kind.
QStringList SplitLines(QStringView text, LineEnd* lineEnd = nullptr);
// The same lines handed to visit one by one, without a copy of each.
void VisitLines(QStringView text, const std::function<void(QStringView)>& visit, LineEnd* lineEnd = nullptr);

// The lines of the file; std::nullopt when it cannot be opened or is not the text its
// byte order mark names. encoding and lineEnd, when given, receive what the file was read
// with.
std::optional<QStringList> ReadLines(const QString& path, Encoding* encoding = nullptr, LineEnd* lineEnd = nullptr);
// The lines of the file as ReadLines gives them, each decoded from the file's bytes as they
// are read and handed to visit, so that neither the whole text nor all its bytes are ever
// held; once visit answers false no more lines are decoded (the line ends are still
// looked at for lineEnd). False when the file cannot be read, or (notText set, no line
// handed over) is not the text its byte order mark names.
bool VisitFileLines(const QString& path, const std::function<bool(QStringView)>& visit, Encoding* encoding = nullptr,
                    LineEnd* lineEnd = nullptr, bool* notText = nullptr);
// The whole file decoded; std::nullopt when it cannot be opened or is not text (see
// ReadLines).
std::optional<QString> ReadText(const QString& path, Encoding* encoding = nullptr);

// Writes the bytes as the whole file. False (the old file untouched) on any failure.
bool WriteWhole(const QString& path, const QByteArray& bytes);
// Calls put for each line of a file, in order; it may be called more than once.
using LineSource = std::function<void(const std::function<void(QStringView)>& put)>;
// Each line followed by lineEnd, in encoding (see Encode), encoded line by line into one
// buffer rather than through the whole text.
QByteArray LinesBytes(const LineSource& lines, Encoding encoding, LineEnd lineEnd);
// Writes those bytes as the whole file (see WriteWhole), encoded piece by piece as they are
// written, so that they are never held whole.
bool WriteLineSource(const QString& path, const LineSource& lines, Encoding encoding, LineEnd lineEnd);
// Each line followed by lineEnd, in encoding (see Encode).
QByteArray LinesBytes(const QStringList& lines, Encoding encoding = Encoding::Cp1252, LineEnd lineEnd = LineEnd::CrLf);
bool WriteLines(const QString& path, const QStringList& lines, Encoding encoding = Encoding::Cp1252,
                LineEnd lineEnd = LineEnd::CrLf);
// The text as it stands, encoded.
bool WriteText(const QString& path, QStringView text, Encoding encoding = Encoding::Cp1252);

} // namespace textfile
