#include "cell_format.h"

#include "core/conversions.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace cellformat {
namespace {
bool IsDigitPlaceholder(QChar c) { return c == u'0' || c == u'#'; }

// One section of a number mask applied to a number (its sign already taken care of).
QString FormatNumberSection(double v, const QString& section)
{
    const qsizetype first = [&] {
        for (qsizetype i = 0; i < section.size(); ++i)
            if (IsDigitPlaceholder(section[i]) || section[i] == u'.')
                return i;
        return section.size();
    }();
    qsizetype last = -1;
    for (qsizetype i = section.size() - 1; i >= 0; --i)
        if (IsDigitPlaceholder(section[i]) || section[i] == u'.' || section[i] == u',') {
            last = i;
            break;
        }
    if (last < first)
        return section; // no digits at all: the section is literal
    const QString prefix = section.left(first);
    const QString suffix = section.mid(last + 1);
    const QString body = section.mid(first, last - first + 1);
    if (section.contains(u'%'))
        v *= 100;
    const qsizetype point = body.indexOf(u'.');
    const QString intPart = point < 0 ? body : body.left(point);
    const QString fracPart = point < 0 ? QString() : body.mid(point + 1);
    const int minInt = static_cast<int>(intPart.count(u'0'));
    const bool grouping = intPart.contains(u',');
    const int maxDec = static_cast<int>(fracPart.count(u'0') + fracPart.count(u'#'));
    const int minDec = static_cast<int>(fracPart.count(u'0'));
    const double rounded = RoundAway(std::fabs(v), maxDec);
    QString digits = QString::number(rounded, 'f', maxDec);
    QString whole = digits, frac;
    if (const qsizetype p = digits.indexOf(u'.'); p >= 0) {
        whole = digits.left(p);
        frac = digits.mid(p + 1);
    }
    while (frac.size() > minDec && frac.endsWith(u'0'))
        frac.chop(1);
    if (whole == QLatin1String("0") && minInt == 0)
        whole.clear();
    while (whole.size() < minInt)
        whole.prepend(u'0');
    if (grouping)
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3)
            whole.insert(i, u',');
    QString out = prefix + whole;
    if (!frac.isEmpty() || (point >= 0 && minDec > 0))
        out += u'.' + frac;
    else if (point >= 0 && body.endsWith(u'.'))
        out += u'.';
    return out + suffix;
}

QString FormatNumber(double v, const QString& mask)
{
    const QStringList sections = mask.split(u';');
    if (v < 0 && sections.size() > 1 && !sections[1].isEmpty())
        return FormatNumberSection(-v, sections[1]);
    if (v == 0 && sections.size() > 2 && !sections[2].isEmpty())
        return FormatNumberSection(0, sections[2]);
    const QString s = FormatNumberSection(v, sections[0]);
    // A negative number that rounds to nothing shows no sign.
    const bool showsDigit = std::any_of(s.begin(), s.end(), [](QChar c) { return c.isDigit() && c != u'0'; });
    return v < 0 && showsDigit ? u'-' + s : s;
}

bool HasDateTokens(const QString& mask)
{
    const QString m = mask.toLower();
    for (QChar c : m)
        if (c == u'd' || c == u'm' || c == u'y' || c == u'h' || c == u'n' || c == u's' || c == u'w' || c == u'q')
            return true;
    return false;
}

QString FormatDate(const QDateTime& when, const QString& mask)
{
    const QLocale loc;
    const QDate d = when.date();
    const QTime t = when.time();
    QString out;
    const QString m = mask;
    QChar lastToken; // 'm' after 'h' is minutes
    for (qsizetype i = 0; i < m.size();) {
        const QChar c = m[i].toLower();
        qsizetype n = 1;
        while (i + n < m.size() && m[i + n].toLower() == c)
            ++n;
        if (m.mid(i, 5).compare(QLatin1String("AM/PM"), Qt::CaseInsensitive) == 0) {
            out += t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
            i += 5;
            continue;
        }
        switch (c.unicode()) {
        case u'd':
            out += n == 1   ? QString::number(d.day())
                   : n == 2 ? QStringLiteral("%1").arg(d.day(), 2, 10, QChar(u'0'))
                   : n == 3 ? loc.dayName(d.dayOfWeek(), QLocale::ShortFormat)
                            : loc.dayName(d.dayOfWeek(), QLocale::LongFormat);
            break;
        case u'm':
            if (lastToken == u'h' && n <= 2) {
                out += QStringLiteral("%1").arg(t.minute(), n, 10, QChar(u'0'));
            } else {
                out += n == 1   ? QString::number(d.month())
                       : n == 2 ? QStringLiteral("%1").arg(d.month(), 2, 10, QChar(u'0'))
                       : n == 3 ? loc.monthName(d.month(), QLocale::ShortFormat)
                                : loc.monthName(d.month(), QLocale::LongFormat);
            }
            break;
        case u'y':
            out += n <= 2 ? QStringLiteral("%1").arg(d.year() % 100, 2, 10, QChar(u'0')) : QString::number(d.year());
            break;
        case u'h':
            out += QStringLiteral("%1").arg(mask.contains(QLatin1String("AM/PM"), Qt::CaseInsensitive)
                                                ? (t.hour() % 12 == 0 ? 12 : t.hour() % 12)
                                                : t.hour(),
                                            static_cast<int>(std::min<qsizetype>(n, 2)), 10, QChar(u'0'));
            break;
        case u'n':
            out += QStringLiteral("%1").arg(t.minute(), static_cast<int>(std::min<qsizetype>(n, 2)), 10, QChar(u'0'));
            break;
        case u's':
            out += QStringLiteral("%1").arg(t.second(), static_cast<int>(std::min<qsizetype>(n, 2)), 10, QChar(u'0'));
            break;
        case u'w':
            out += n == 1 ? QString::number(d.dayOfWeek() % 7 + 1)
                          : QString::number((d.dayOfYear() + QDate(d.year(), 1, 1).dayOfWeek() % 7 - 1) / 7 + 1);
            break;
        case u'q':
            out += QString::number((d.month() - 1) / 3 + 1);
            break;
        default:
            out += m.mid(i, n);
            break;
        }
        if (QStringLiteral("dmyhnswq").contains(c))
            lastToken = c;
        i += n;
    }
    return out;
}

QString FormatText(const QString& text, const QString& mask)
{
    QString t = text;
    if (mask.contains(u'<'))
        t = t.toLower();
    else if (mask.contains(u'>'))
        t = t.toUpper();
    const qsizetype places = mask.count(u'@') + mask.count(u'&');
    if (places == 0)
        return t;
    // Placeholders fill from the right; '@' shows a blank where the text runs out.
    QString out;
    qsizetype ti = t.size() - 1;
    for (qsizetype i = mask.size() - 1; i >= 0; --i) {
        const QChar c = mask[i];
        if (c == u'@' || c == u'&') {
            if (ti >= 0)
                out.prepend(t[ti--]);
            else if (c == u'@')
                out.prepend(u' ');
        } else if (c != u'<' && c != u'>' && c != u'!') {
            out.prepend(c);
        }
    }
    if (ti >= 0)
        out.prepend(t.left(ti + 1));
    return out;
}

std::optional<QString> NamedFormat(const QString& text, const QString& name)
{
    const QString n = name.trimmed().toLower();
    const bool numeric = conv::IsNumeric(text) && !conv::Trim(text).isEmpty();
    const double v = numeric ? conv::ToDouble(text) : 0;
    if (n == QLatin1String("general number"))
        return numeric ? conv::NumberText(v) : text;
    if (n == QLatin1String("fixed"))
        return numeric ? FormatNumber(v, QStringLiteral("0.00")) : text;
    if (n == QLatin1String("standard"))
        return numeric ? FormatNumber(v, QStringLiteral("#,##0.00")) : text;
    if (n == QLatin1String("percent"))
        return numeric ? FormatNumber(v, QStringLiteral("0.00%")) : text;
    if (n == QLatin1String("currency"))
        return numeric ? QLocale().toCurrencyString(v) : text;
    if (n == QLatin1String("scientific"))
        return numeric ? QString::number(v, 'E', 2) : text;
    if (n == QLatin1String("yes/no") || n == QLatin1String("true/false") || n == QLatin1String("on/off")) {
        if (!numeric)
            return text;
        const QStringList words = name.trimmed().split(u'/');
        return v != 0 ? words[0] : words[1];
    }
    const auto when = ReadDateTime(text);
    const QLocale loc;
    if (n == QLatin1String("short date"))
        return when ? ShortDateText(QDateTime(when->date(), QTime(0, 0))) : text;
    if (n == QLatin1String("long date"))
        return when ? loc.toString(when->date(), QLocale::LongFormat) : text;
    if (n == QLatin1String("medium date"))
        return when ? FormatDate(*when, QStringLiteral("dd-mmm-yy")) : text;
    if (n == QLatin1String("general date"))
        return when ? ShortDateText(*when) : text;
    if (n == QLatin1String("long time"))
        return when ? FormatDate(*when, QStringLiteral("hh:nn:ss")) : text;
    if (n == QLatin1String("medium time"))
        return when ? FormatDate(*when, QStringLiteral("hh:nn AM/PM")) : text;
    if (n == QLatin1String("short time"))
        return when ? FormatDate(*when, QStringLiteral("hh:nn")) : text;
    return std::nullopt;
}
} // namespace

double RoundAway(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    // Through text first, so 2.675 rounds as written and not as stored.
    const double scaled = QString::number(v * scale, 'g', 15).toDouble();
    return std::round(scaled) / scale;
}

std::optional<QDateTime> ReadDateTime(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const QLocale loc;
    for (QLocale::FormatType f : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDateTime dt = loc.toDateTime(t, f);
        if (dt.isValid())
            return dt;
        const QDate d = loc.toDate(t, f);
        if (d.isValid())
            return QDateTime(d, QTime(0, 0));
    }
    // The locale's pattern with four-digit years and single-digit days and months.
    QString pattern = loc.dateFormat(QLocale::ShortFormat);
    pattern.replace(QLatin1String("yyyy"), QLatin1String("y")).replace(QLatin1String("yy"), QLatin1String("y"));
    pattern.replace(QLatin1String("y"), QLatin1String("yyyy"));
    pattern.replace(QLatin1String("dd"), QLatin1String("d")).replace(QLatin1String("MM"), QLatin1String("M"));
    for (const QString& p : {pattern, pattern + QStringLiteral(" H:mm"), pattern + QStringLiteral(" H:mm:ss")}) {
        const QDateTime dt = loc.toDateTime(t, p);
        if (dt.isValid())
            return dt;
    }
    const QDateTime iso = QDateTime::fromString(t, Qt::ISODate);
    if (iso.isValid())
        return iso;
    if (const auto d = conv::DateFromText(t))
        return QDateTime(*d, QTime(0, 0));
    return std::nullopt;
}

QString ShortDateText(const QDateTime& when)
{
    // The locale's short form, but with the year in four digits: a two-digit year reads
    // back in another century ("1/1/25" is 1925).
    const QLocale loc;
    QString pattern = loc.dateFormat(QLocale::ShortFormat);
    if (!pattern.contains(QLatin1String("yyyy")))
        pattern.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    QString out = loc.toString(when.date(), pattern);
    if (when.time() != QTime(0, 0))
        out += u' ' + when.time().toString(QStringLiteral("HH:mm:ss"));
    return out;
}

QString FormatWithMask(const QString& text, const QString& mask)
{
    if (mask.trimmed().isEmpty())
        return text;
    if (const auto named = NamedFormat(text, mask))
        return *named;
    const bool numberMask = std::any_of(mask.begin(), mask.end(), IsDigitPlaceholder);
    if (numberMask) {
        if (!conv::Trim(text).isEmpty() && conv::IsNumeric(text))
            return FormatNumber(conv::ToDouble(text), mask);
        return text;
    }
    if (mask.contains(u'@') || mask.contains(u'&') || mask.contains(u'<') || mask.contains(u'>'))
        return FormatText(text, mask);
    if (HasDateTokens(mask)) {
        if (const auto when = ReadDateTime(text))
            return FormatDate(*when, mask);
        return text;
    }
    return text;
}

} // namespace cellformat
