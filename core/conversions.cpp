#include "conversions.h"

#include <cmath>
#include <limits>

namespace conv {

double RoundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    const double r = std::nearbyint(v); // default rounding mode: to nearest, ties to even
    return r;
}

qint16 ToInt16(double v)
{
    const double r = RoundHalfEven(v);
    if (!std::isfinite(r) || r < -32768.0 || r > 32767.0)
        throw OverflowError();
    return static_cast<qint16>(r);
}

qint32 ToInt32(double v)
{
    const double r = RoundHalfEven(v);
    if (!std::isfinite(r) || r < -2147483648.0 || r > 2147483647.0)
        throw OverflowError();
    return static_cast<qint32>(r);
}

qint16 ToInt16(const QString& text) { return ToInt16(ToDouble(text)); }
qint32 ToInt32(const QString& text) { return ToInt32(ToDouble(text)); }

namespace {
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Reads [sign] digits [. digits] [e [sign] digits] from position i; returns the end.
qsizetype ScanNumber(QStringView t, qsizetype i, bool allowExponent, bool* sawDigit)
{
    *sawDigit = false;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    while (i < t.size() && IsDigit(t[i])) {
        ++i;
        *sawDigit = true;
    }
    if (i < t.size() && t[i] == u'.') {
        ++i;
        while (i < t.size() && IsDigit(t[i])) {
            ++i;
            *sawDigit = true;
        }
    }
    if (allowExponent && *sawDigit && i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < t.size() && (t[j] == u'+' || t[j] == u'-'))
            ++j;
        if (j < t.size() && IsDigit(t[j])) {
            while (j < t.size() && IsDigit(t[j]))
                ++j;
            i = j;
        }
    }
    return i;
}
} // namespace

double LeadingNumber(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    bool digit = false;
    const qsizetype end = ScanNumber(text, i, false, &digit);
    if (!digit)
        return 0.0;
    bool ok = false;
    const double v = text.mid(i, end - i).toDouble(&ok);
    return ok ? v : 0.0;
}

bool IsNumeric(QStringView text)
{
    const QString t = Trim(text);
    if (t.isEmpty())
        return false;
    bool digit = false;
    const qsizetype end = ScanNumber(t, 0, true, &digit);
    return digit && end == t.size();
}

double ToDouble(QStringView text)
{
    if (!IsNumeric(text))
        throw TypeMismatch();
    bool ok = false;
    const double v = Trim(text).toDouble(&ok);
    if (!ok)
        throw TypeMismatch();
    return v;
}

QString Trim(QStringView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == u' ')
        ++b;
    while (e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b).toString();
}

QString TrimLeft(QStringView text)
{
    qsizetype b = 0;
    while (b < text.size() && text[b] == u' ')
        ++b;
    return text.mid(b).toString();
}

QString TrimRight(QStringView text)
{
    qsizetype e = text.size();
    while (e > 0 && text[e - 1] == u' ')
        --e;
    return text.left(e).toString();
}

bool EqualsTrimmedNoCase(QStringView stored, QStringView key)
{
    qsizetype b = 0, e = stored.size();
    while (b < e && stored[b] == u' ')
        ++b;
    while (e > b && stored[e - 1] == u' ')
        --e;
    if (e - b != key.size())
        return false;
    return stored.mid(b, e - b).compare(key, Qt::CaseInsensitive) == 0;
}

namespace {
QString Shortest(double v, int digits)
{
    if (v == 0.0)
        return QStringLiteral("0");
    QString s = QString::number(v, 'g', digits);
    // 'g' switches to exponent form early; plain digits read better in settings files.
    if (s.contains(u'e') && std::fabs(v) < 1e15 && std::fabs(v) >= 1e-5) {
        s = QString::number(v, 'f', digits);
        if (s.contains(u'.')) {
            while (s.endsWith(u'0'))
                s.chop(1);
            if (s.endsWith(u'.'))
                s.chop(1);
        }
    }
    return s;
}
} // namespace

QString NumberText(double v) { return Shortest(v, 15); }
QString NumberText(float v) { return Shortest(static_cast<double>(v), 7); }
QString NumberText(int v) { return QString::number(v); }
QString NumberText(qint64 v) { return QString::number(v); }

QString DateText(const QDate& d) { return d.isValid() ? d.toString(Qt::ISODate) : QString(); }

std::optional<QDate> DateFromText(QStringView text)
{
    const QString t = Trim(text);
    if (t.size() != 10)
        return std::nullopt;
    const QDate d = QDate::fromString(t, Qt::ISODate);
    if (!d.isValid())
        return std::nullopt;
    return d;
}

bool IsDateText(QStringView text) { return DateFromText(text).has_value(); }

} // namespace conv
