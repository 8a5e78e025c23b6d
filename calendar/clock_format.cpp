#include "clock_format.h"

#include <QLocale>
#include <algorithm>
#include <cmath>
#include <optional>

namespace clockformat {

namespace {

enum class Tok { Literal, Hour, Minute, MonthOrMinute, Second, Day, Year, Weekday, Quarter, AmPm, AmPmLetter, QtText };

struct Token {
    Tok type;
    int count = 1;
    QString text{}; // literal text, Qt format, or the AM/PM case
};

// A locale format without its time zone ("HH:mm:ss t" -> "HH:mm:ss").
QString WithoutZone(const QString& f)
{
    QString out;
    bool quoted = false;
    for (QChar c : f) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out.trimmed();
}

QString LongTime() { return WithoutZone(QLocale().timeFormat(QLocale::LongFormat)); }
QString ShortDate() { return QLocale().dateFormat(QLocale::ShortFormat); }
QString LongDate() { return QLocale().dateFormat(QLocale::LongFormat); }

// The whole pattern is one of the named formats.
std::optional<QString> NamedFormat(const QString& pattern)
{
    const QString n = pattern.trimmed().toLower();
    if (n == QLatin1String("general date"))
        return ShortDate() + u' ' + LongTime();
    if (n == QLatin1String("long date"))
        return LongDate();
    if (n == QLatin1String("medium date"))
        return QStringLiteral("dd-MMM-yy");
    if (n == QLatin1String("short date"))
        return ShortDate();
    if (n == QLatin1String("long time"))
        return LongTime();
    if (n == QLatin1String("medium time"))
        return QStringLiteral("hh:mm AP");
    if (n == QLatin1String("short time"))
        return QStringLiteral("HH:mm");
    return std::nullopt;
}

int RunLength(const QString& p, qsizetype i)
{
    const QChar c = p[i].toLower();
    qsizetype j = i;
    while (j < p.size() && p[j].toLower() == c)
        ++j;
    return static_cast<int>(j - i);
}

bool StartsWithNoCase(const QString& p, qsizetype i, QLatin1String word)
{
    return p.mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

std::vector<Token> Tokenise(const QString& p)
{
    std::vector<Token> out;
    auto literal = [&](const QString& s) {
        if (!out.empty() && out.back().type == Tok::Literal)
            out.back().text += s;
        else
            out.push_back({Tok::Literal, 1, s});
    };
    qsizetype i = 0;
    while (i < p.size()) {
        const QChar c = p[i];
        const QChar lc = c.toLower();
        if (c == u'"') {
            const qsizetype end = p.indexOf(u'"', i + 1);
            literal(p.mid(i + 1, (end < 0 ? p.size() : end) - i - 1));
            i = end < 0 ? p.size() : end + 1;
            continue;
        }
        if (c == u'\\') {
            if (i + 1 < p.size())
                literal(p.mid(i + 1, 1));
            i += 2;
            continue;
        }
        // The AM/PM markers, in capitals or small letters as the pattern writes them;
        // "AMPM" gives the locale's own words.
        const struct {
            QLatin1String word;
            Tok type;
            const char *capitals, *small;
        } markers[] = {{QLatin1String("am/pm"), Tok::AmPm, "AP", "ap"},
                       {QLatin1String("ampm"), Tok::AmPm, "AP", "AP"},
                       {QLatin1String("a/p"), Tok::AmPmLetter, "A", "a"}};
        const auto marker = std::find_if(std::begin(markers), std::end(markers),
                                         [&](const auto& m) { return StartsWithNoCase(p, i, m.word); });
        if (marker != std::end(markers)) {
            out.push_back({marker->type, 1, QString::fromLatin1(c.isUpper() ? marker->capitals : marker->small)});
            i += marker->word.size();
            continue;
        }
        const int n = RunLength(p, i);
        switch (lc.unicode()) {
        case 'h':
            out.push_back({Tok::Hour, std::min(n, 2)});
            break;
        case 'n':
            out.push_back({Tok::Minute, std::min(n, 2)});
            break;
        case 'm':
            out.push_back({Tok::MonthOrMinute, std::min(n, 4)});
            break;
        case 's':
            out.push_back({Tok::Second, std::min(n, 2)});
            break;
        case 'd':
            if (n >= 6)
                out.push_back({Tok::QtText, 1, LongDate()});
            else if (n == 5)
                out.push_back({Tok::QtText, 1, ShortDate()});
            else
                out.push_back({Tok::Day, n});
            break;
        case 'y':
            out.push_back({Tok::Year, n});
            break;
        case 'w':
            out.push_back({Tok::Weekday, std::min(n, 2)});
            break;
        case 'q':
            out.push_back({Tok::Quarter, 1});
            break;
        case 't':
            if (n >= 5) {
                out.push_back({Tok::QtText, 1, LongTime()});
                break;
            }
            literal(p.mid(i, n));
            break;
        case 'c':
            out.push_back({Tok::QtText, 1, ShortDate() + u' ' + LongTime()});
            break;
        default:
            literal(p.mid(i, n));
            break;
        }
        i += n;
    }
    return out;
}

// The neighbouring token that is no literal, or nullptr.
const Token* Neighbour(const std::vector<Token>& t, size_t i, int dir)
{
    for (qsizetype k = static_cast<qsizetype>(i) + dir; k >= 0 && k < static_cast<qsizetype>(t.size()); k += dir)
        if (t[k].type != Tok::Literal)
            return &t[k];
    return nullptr;
}

struct Builder {
    std::vector<ClockPiece> pieces;
    QString literal; // waits to be quoted as one run

    void Flush()
    {
        // Quoted runs, each quote of the text as two quotes between them.
        const QStringList runs = literal.split(u'\'');
        QString f;
        for (qsizetype k = 0; k < runs.size(); ++k) {
            if (k > 0)
                f += QLatin1String("''");
            if (!runs[k].isEmpty())
                f += u'\'' + runs[k] + u'\'';
        }
        literal.clear();
        if (!f.isEmpty())
            Qt(f);
    }
    void Qt(const QString& f)
    {
        if (!pieces.empty() && pieces.back().kind == ClockPiece::QtFormat)
            pieces.back().Text += f;
        else
            pieces.push_back({ClockPiece::QtFormat, f, 0});
    }
    void QtToken(const QString& f)
    {
        Flush();
        Qt(f);
    }
    void Special(ClockPiece::Kind k, int width, const QString& text = {})
    {
        Flush();
        pieces.push_back({k, text, width});
    }
};

QString PaddedNumber(qint64 v, int width) { return QStringLiteral("%1").arg(v, width, 10, QLatin1Char('0')); }

} // namespace

ClockPattern TranslateClockPattern(const QString& pattern)
{
    ClockPattern out;
    out.Source = pattern;
    if (const auto named = NamedFormat(pattern)) {
        out.Pieces.push_back({ClockPiece::QtFormat, *named, 0});
        return out;
    }
    // A pattern of digit placeholders only formats the day number, as for any number.
    const QString trimmed = pattern.trimmed();
    if (!trimmed.isEmpty() &&
        std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) { return c == u'0' || c == u'#'; })) {
        out.Pieces.push_back({ClockPiece::DayNumber, QString(), static_cast<int>(trimmed.count(u'0'))});
        return out;
    }
    const std::vector<Token> tokens = Tokenise(pattern);
    bool twelveHour = false;
    for (const Token& t : tokens)
        twelveHour = twelveHour || t.type == Tok::AmPm || t.type == Tok::AmPmLetter;
    Builder b;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        switch (t.type) {
        case Tok::Literal:
            b.literal += t.text;
            break;
        case Tok::QtText:
        case Tok::AmPm:
            b.QtToken(t.text);
            break;
        case Tok::AmPmLetter:
            b.Special(ClockPiece::Letter, 1, t.text);
            break;
        case Tok::Hour:
            if (twelveHour)
                b.Special(ClockPiece::Hour12, t.count);
            else
                b.QtToken(t.count == 1 ? QStringLiteral("H") : QStringLiteral("HH"));
            break;
        case Tok::Minute:
            b.QtToken(t.count == 1 ? QStringLiteral("m") : QStringLiteral("mm"));
            break;
        case Tok::MonthOrMinute: {
            // m and mm are minutes after an hour or before a second, months elsewhere.
            const Token* before = Neighbour(tokens, i, -1);
            const Token* after = Neighbour(tokens, i, 1);
            const bool minute =
                t.count <= 2 && ((before && before->type == Tok::Hour) || (after && after->type == Tok::Second));
            if (minute)
                b.QtToken(t.count == 1 ? QStringLiteral("m") : QStringLiteral("mm"));
            else
                b.QtToken(QString(t.count, u'M'));
            break;
        }
        case Tok::Second:
            b.QtToken(t.count == 1 ? QStringLiteral("s") : QStringLiteral("ss"));
            break;
        case Tok::Day:
            b.QtToken(QString(t.count, u'd'));
            break;
        case Tok::Year:
            if (t.count == 1)
                b.Special(ClockPiece::DayOfYear, 1);
            else
                b.QtToken(t.count >= 4 ? QStringLiteral("yyyy") : QStringLiteral("yy"));
            break;
        case Tok::Weekday:
            b.Special(t.count == 1 ? ClockPiece::Weekday : ClockPiece::Week, 1);
            break;
        case Tok::Quarter:
            b.Special(ClockPiece::Quarter, 1);
            break;
        }
    }
    b.Flush();
    out.Pieces = std::move(b.pieces);
    return out;
}

QString FormatClock(const ClockPattern& pattern, const QDateTime& t)
{
    const QDate d = t.date();
    QString out;
    for (const ClockPiece& p : pattern.Pieces) {
        switch (p.kind) {
        case ClockPiece::QtFormat:
            out += QLocale().toString(t, p.Text);
            break;
        case ClockPiece::Hour12: {
            const int h = t.time().hour() % 12;
            out += PaddedNumber(h == 0 ? 12 : h, p.Width);
            break;
        }
        case ClockPiece::Letter: {
            const bool pm = t.time().hour() >= 12;
            const QString letter = pm ? QStringLiteral("P") : QStringLiteral("A");
            out += p.Text == QLatin1String("a") ? letter.toLower() : letter;
            break;
        }
        case ClockPiece::Weekday:
            out += QString::number(d.dayOfWeek() % 7 + 1);
            break;
        case ClockPiece::Week: {
            const int offset = QDate(d.year(), 1, 1).dayOfWeek() % 7; // 0 when 1 January is a Sunday
            out += QString::number((d.dayOfYear() - 1 + offset) / 7 + 1);
            break;
        }
        case ClockPiece::Quarter:
            out += QString::number((d.month() - 1) / 3 + 1);
            break;
        case ClockPiece::DayOfYear:
            out += QString::number(d.dayOfYear());
            break;
        case ClockPiece::DayNumber: {
            const double day =
                static_cast<double>(QDate(1899, 12, 30).daysTo(d)) + t.time().msecsSinceStartOfDay() / 86400000.0;
            out += PaddedNumber(static_cast<qint64>(std::round(day)), p.Width);
            break;
        }
        }
    }
    return out;
}

} // namespace clockformat
