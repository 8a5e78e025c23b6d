#include "property_bag.h"

#include "system/whole_file_write.h"

#include <QBuffer>
#include <QFile>
#include <QStringList>

namespace platform {
namespace {
const QChar kSep = u'=';

QString PictureText(const Picture& p)
{
    if (p.IsEmpty())
        return {};
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    p.Image().save(&buf, "PNG");
    return QString::fromLatin1(bytes.toBase64());
}

Picture PictureFromText(const QString& text)
{
    if (text.isEmpty())
        return {};
    QImage img;
    img.loadFromData(QByteArray::fromBase64(text.toLatin1()), "PNG");
    return img.isNull() ? Picture() : Picture::FromImage(img);
}

QString FontText(const FontModel& f)
{
    return QStringLiteral("%1,%2,%3,%4,%5,%6")
        .arg(f.Name)
        .arg(static_cast<double>(f.Size))
        .arg(f.Bold ? 700 : 400)
        .arg(int(f.Italic))
        .arg(int(f.Underline))
        .arg(int(f.Strikethrough));
}

FontModel FontFromText(const QString& text)
{
    // The face name may hold commas: the five numbers are the last fields.
    QStringList parts = text.split(u',');
    FontModel f;
    if (parts.size() < 6)
        return f;
    f.Strikethrough = parts.takeLast() == QLatin1String("1");
    f.Underline = parts.takeLast() == QLatin1String("1");
    f.Italic = parts.takeLast() == QLatin1String("1");
    f.Bold = parts.takeLast().toInt() >= 600;
    f.Size = parts.takeLast().toFloat();
    f.Name = parts.join(u',');
    return f;
}

QString Escape(QString s)
{
    s.replace(u'\\', QLatin1String("\\\\"));
    s.replace(u'\n', QLatin1String("\\n"));
    s.replace(u'\r', QLatin1String("\\r"));
    return s;
}

QString Unescape(const QString& s)
{
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'\\' && i + 1 < s.size()) {
            const QChar c = s[++i];
            out += c == u'n' ? QChar(u'\n') : c == u'r' ? QChar(u'\r') : c;
        } else {
            out += s[i];
        }
    }
    return out;
}

QString ValueText(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<FontModel>())
        return QStringLiteral("F:") + FontText(v.value<FontModel>());
    if (v.metaType() == QMetaType::fromType<Picture>())
        return QStringLiteral("P:") + PictureText(v.value<Picture>());
    switch (v.metaType().id()) {
    case QMetaType::Bool:
        return QStringLiteral("B:") + (v.toBool() ? u'1' : u'0');
    case QMetaType::Float:
    case QMetaType::Double:
        return QStringLiteral("D:") + QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QString:
        return QStringLiteral("S:") + Escape(v.toString());
    default:
        return QStringLiteral("L:") + QString::number(v.toLongLong());
    }
}

QVariant ValueFromText(const QString& raw)
{
    // Blanks around a value go, but for a text's own blanks after its type mark.
    qsizetype lead = 0;
    while (lead < raw.size() && raw[lead].isSpace())
        ++lead;
    const QString t = raw.mid(lead);
    const bool text = t.isEmpty() || t[0] == u'S';
    const QString body = text ? t.mid(2) : t.mid(2).trimmed();
    switch (t.isEmpty() ? u'S' : t[0].unicode()) {
    case u'F':
        return QVariant::fromValue(FontFromText(body));
    case u'P':
        return QVariant::fromValue(PictureFromText(body));
    case u'B':
        return body == QLatin1String("1");
    case u'D':
        return body.toDouble();
    case u'L':
        return body.toLongLong();
    default:
        return Unescape(body);
    }
}

bool IsNumber(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
        return true;
    default:
        return false;
    }
}
} // namespace

bool SameBagValue(const QVariant& a, const QVariant& b)
{
    const auto font = QMetaType::fromType<FontModel>();
    const auto pic = QMetaType::fromType<Picture>();
    if (a.metaType() == font || b.metaType() == font)
        return a.metaType() == b.metaType() && a.value<FontModel>() == b.value<FontModel>();
    if (a.metaType() == pic || b.metaType() == pic) {
        const Picture pa = a.metaType() == pic ? a.value<Picture>() : Picture();
        const Picture pb = b.metaType() == pic ? b.value<Picture>() : Picture();
        if (pa.IsEmpty() || pb.IsEmpty())
            return pa.IsEmpty() == pb.IsEmpty();
        return pa.Image() == pb.Image();
    }
    if (IsNumber(a) && IsNumber(b))
        return a.toDouble() == b.toDouble();
    if (!a.isValid() || !b.isValid())
        return a.toString().isEmpty() && b.toString().isEmpty();
    return a.toString() == b.toString();
}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const
{
    const auto it = values_.find(name.toLower());
    return it == values_.end() ? defaultValue : it->second;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue)
{
    const QString key = name.toLower();
    if (defaultValue.isValid() && SameBagValue(value, defaultValue))
        values_.erase(key);
    else
        values_[key] = value;
}

bool PropertyBag::Contains(const QString& name) const { return values_.count(name.toLower()) != 0; }

QStringList PropertyBag::Names() const
{
    QStringList names;
    for (const auto& [k, v] : values_)
        names << k;
    return names;
}

QString PropertyBag::ToText() const
{
    QString out;
    for (const auto& [k, v] : values_)
        out += k + kSep + ValueText(v) + u'\n';
    return out;
}

PropertyBag PropertyBag::FromText(const QString& text)
{
    PropertyBag bag;
    for (QString line : text.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        const qsizetype eq = line.indexOf(kSep);
        if (eq > 0)
            // A text value keeps its blanks at either end ("tip "); the others are trimmed.
            bag.values_[line.left(eq).trimmed().toLower()] = ValueFromText(line.mid(eq + 1));
    }
    return bag;
}

const PropertyBag* HostLayout::Find(const QString& control) const
{
    const auto it = bags_.find(control.toLower());
    return it == bags_.end() ? nullptr : &it->second;
}

QString HostLayout::ToText() const
{
    QString out;
    for (const auto& [name, bag] : bags_)
        out += u'[' + name + QLatin1String("]\n") + bag.ToText();
    return out;
}

HostLayout HostLayout::FromText(const QString& text)
{
    HostLayout layout;
    QString current, body;
    auto flush = [&] {
        if (!current.isEmpty())
            layout.bags_[current] = PropertyBag::FromText(body);
        body.clear();
    };
    for (const QString& line : text.split(u'\n')) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[') && t.endsWith(u']')) {
            flush();
            current = t.mid(1, t.size() - 2).toLower();
        } else {
            // The value lines are kept whole: a text value may end in blanks.
            body += (line.endsWith(u'\r') ? line.chopped(1) : line) + u'\n';
        }
    }
    flush();
    return layout;
}

bool HostLayout::Save(const QString& path) const { return platform::WriteFileWhole(path, ToText().toUtf8()); }

HostLayout HostLayout::Load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return FromText(QString::fromUtf8(f.readAll()));
}

namespace {
std::map<QString, HostLayout>& Layouts()
{
    static std::map<QString, HostLayout> layouts;
    return layouts;
}
} // namespace

HostLayout& StoredLayout(const QString& host) { return Layouts()[host.toLower()]; }

void ForgetStoredLayouts() { Layouts().clear(); }

FontModel AmbientFont()
{
    FontModel f;
    f.Name = QStringLiteral("MS Sans Serif");
    f.Size = 8.25f;
    return f;
}

} // namespace platform
