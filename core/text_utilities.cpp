#include "text_utilities.h"

#include "conversions.h"
#include "text_file.h"

namespace mduLib {

bool IsYes(const QString& text) { return conv::Trim(text).toLower() != QLatin1String("no"); }

QString YesNoText(bool flag) { return flag ? QStringLiteral("Yes") : QStringLiteral("No"); }

bool WriteTextFile(const QString& text, const QString& path)
{
    return textfile::WriteText(path, text + QStringLiteral("\r\n"));
}

bool IsImageFile(const QString& path)
{
    const QString ending = path.right(4).toUpper();
    return ending == QLatin1String(".JPG") || ending == QLatin1String(".GIF") || ending == QLatin1String(".BMP");
}

QString JoinLines(const QString& text)
{
    // A blank in place of CR LF never makes a new CR LF, so one pass does it.
    return QString(text).replace(QLatin1String("\r\n"), QLatin1String(" "));
}

QString WrapText(const QString& text, int width)
{
    if (width <= 0 || text.size() <= width)
        return text;
    QString out = text;
    // The window a break is looked for in: width characters from the start of the text,
    // then width characters from each line feed (its own included).
    qsizetype start = 0;
    for (;;) {
        const qsizetype feed = out.indexOf(u'\n', out[start] == u'\n' ? start + 1 : start);
        const qsizetype lineEnd = feed < 0 ? out.size() : feed;
        if (lineEnd - start <= width) {
            if (feed < 0)
                return out;
            start = feed; // a line break of the text itself
            continue;
        }
        const qsizetype blank = out.lastIndexOf(u' ', start + width - 1);
        if (blank < start)
            return out; // width characters without a blank: the rest stays as it is
        out.replace(blank, 1, QStringLiteral("\r\n"));
        start = blank + 1;
    }
}

QString TrimAtNul(const QString& buffer)
{
    const qsizetype nul = buffer.indexOf(QChar(u'\0'));
    return nul <= 0 ? QString() : buffer.left(nul);
}

QString AlignName(int alignment, bool visible)
{
    QString name;
    switch (alignment) {
    case 1:
        name = QStringLiteral("Top");
        break;
    case 2:
        name = QStringLiteral("Bottom");
        break;
    case 3:
        name = QStringLiteral("Left");
        break;
    case 4:
        name = QStringLiteral("Right");
        break;
    default:
        name = QStringLiteral("None");
    }
    return visible ? name : QStringLiteral("Hide:") + name;
}

QString ReplaceFirst(const QString& text, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return replacement + text;
    const qsizetype at = text.indexOf(find, 0, Qt::CaseSensitive);
    if (at < 0)
        return text;
    return QString(text).replace(at, find.size(), replacement);
}

int SizeMode(const QString& text) { return text.contains(QLatin1String("Large Size"), Qt::CaseSensitive) ? 2 : 1; }

} // namespace mduLib
