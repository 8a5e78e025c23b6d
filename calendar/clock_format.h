#pragma once
// The clock's text. "Clock Format" holds a time pattern in the notation users know from
// the system's formatting ("hh:mm:ss", "h:mm AM/PM", "Long Time", ...). It is translated
// once into Qt date-time format pieces; the few tokens Qt has no form for (a one-letter
// A/P, the weekday and week numbers counted from Sunday and 1 January, the quarter, the
// day of the year, the day number of a pattern of digit placeholders) are pieces of their
// own.
#include <QDateTime>
#include <QString>
#include <vector>

namespace clockformat {

struct ClockPiece {
    enum Kind {
        QtFormat,  // Text is a Qt date-time format
        Hour12,    // 1 to 12; Width 1 or 2 digits
        Letter,    // "A" or "P"; Text "A" for capitals, "a" for small letters
        Weekday,   // 1 = Sunday
        Week,      // the week of 1 January is 1, weeks begin on Sunday
        Quarter,   // 1 to 4
        DayOfYear, // 1 to 366
        DayNumber, // days since 30 December 1899 with the time as fraction, rounded; Width digits at least
    };
    Kind kind = QtFormat;
    QString Text;
    int Width = 0;
    bool operator==(const ClockPiece&) const = default;
};

struct ClockPattern {
    QString Source; // the pattern it was translated from
    std::vector<ClockPiece> Pieces;
};

ClockPattern TranslateClockPattern(const QString& pattern);
QString FormatClock(const ClockPattern& pattern, const QDateTime& t);

} // namespace clockformat
