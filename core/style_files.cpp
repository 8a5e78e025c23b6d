#include "style_files.h"

#include <QFileInfo>

namespace mduLib {

bool IsStyleFileName(const QString& path) { return path.endsWith(QLatin1String(".ini"), Qt::CaseInsensitive); }

QString StyleNameOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.indexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

bool LoadStyleFile(const QString& path, PropertyTable& table)
{
    PropertyTable style;
    if (!LoadIniFile(path, style))
        return false;
    const int n = style.UBound();
    for (int i = 1; i <= n; ++i) {
        const PropertyItem& line = style[i];
        if (line.Key.trimmed().isEmpty())
            continue;
        int found = 0;
        const int u = table.UBound();
        for (int j = 1; j <= u && !found; ++j)
            if (EntryMatches(table[j], line.Key, line.Section))
                found = j;
        if (found) {
            table[found].Value = line.Value;
        } else {
            table.GrowTo(u + 1);
            table[u + 1] = line;
        }
    }
    return true;
}

std::optional<QString> StyleSavePath(const QString& chosen)
{
    const qsizetype cut = chosen.lastIndexOf(u'/');
    // The dialog answers a full path; only the name the user typed is checked.
    const QString folder = cut >= 0 ? chosen.left(cut + 1) : QString();
    const QString name = cut >= 0 ? chosen.mid(cut + 1) : chosen;
    if (name.isEmpty() || name.contains(u'*') || name.contains(u'?') || name.contains(u'\\'))
        return std::nullopt;
    if (name.compare(QLatin1String(".ini"), Qt::CaseInsensitive) == 0)
        return folder + QStringLiteral("unknown.ini");
    if (!name.contains(u'.'))
        return folder + name + QStringLiteral(".ini");
    return chosen;
}

} // namespace mduLib
