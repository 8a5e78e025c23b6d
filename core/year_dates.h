#pragma once
// Year date files and date keys.
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>

namespace mduAlmanorvqueLib {

struct SharedYearTable;

// gUserRegionFolder & the trimmed year.
QString YearFilePath(const QString& year);
QString YearFilePath(int year);
// A year number that names a real calendar year (1 to 9999), as year files are named.
inline bool IsRealYear(double y) { return y >= 1 && y <= 9999 && y == static_cast<int>(y); }
// "dd/mm" of the date, whatever the locale.
QString DayMonthKey(const QDate& d);
// The same for a date kept as text; "" when the text is no date.
QString DayMonthKey(const QString& dateText);

// Makes the year's date file from the country's special-dates template on first use (or
// when it is empty), or merges a newer template into it, writing it once; a failing step
// is skipped and leaves the file as it was.
void PrepareYearDatesFile(const QString& year);
// Adds the Easter feasts (Good Friday, Easter Sunday, Easter Monday) whose names the file
// never mentions, after an empty line, and rewrites it; leaves it untouched when it adds
// none. Throws mduLib::FileError when the
// file cannot be read or written.
void AddEasterHolidays(const QString& yearFile, const QString& year);
// The lines a first use makes from the template's lines: the template and the Easter feasts.
QStringList NewYearLines(const QStringList& templ, const QString& year);
// The lines a newer template's merge makes of the year file's own: the template's keys
// with the file's values, an empty line, the feasts it lacks (a caption the file held
// stays as it was) and the file's other entries. Preparing the result again gives the same lines.
QStringList PreparedYearLines(const QStringList& own, const QStringList& templ, const QString& year);
// The run's table of the year's date file: the one the windows showing that year hold, or,
// when none does, loaded from the file, which is prepared first. fromFile asks for what
// the file holds now, with the held table's unsaved entries on top.
std::shared_ptr<SharedYearTable> SharedYearDates(int year, bool fromFile = false);
// Every line of the file followed by CR LF; "" when the file does not exist. Throws
// mduLib::FileError when it exists but cannot be read.
QString ReadWholeFile(const QString& path);

} // namespace mduAlmanorvqueLib
