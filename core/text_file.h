#pragma once
// Text files as the system keeps them: Windows-1252, one entry a line. On reading,
// CR LF or CR alone ends a line (LF alone does not); on writing every line ends in CR LF.
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

// Splits at CR LF or CR; a final line end does not start another line.
QStringList SplitLines(QStringView text);

// The lines of the file; std::nullopt when it cannot be opened.
std::optional<QStringList> ReadLines(const QString& path);
// The whole file decoded; std::nullopt when it cannot be opened.
std::optional<QString> ReadText(const QString& path);

// Writes the bytes as the whole file. False (the old file untouched) on any failure.
bool WriteWhole(const QString& path, const QByteArray& bytes);
// Each line followed by CR LF.
bool WriteLines(const QString& path, const QStringList& lines);
// The text as it stands, encoded.
bool WriteText(const QString& path, QStringView text);

} // namespace textfile
