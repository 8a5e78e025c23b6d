#include "style_files.h"

#include <QFileInfo>
#include <unordered_map>

namespace mduLib {

bool IsStylePath(const QString& path) { return path.contains(QLatin1String(".ini")) && path.size() > 4; }

QString StyleNameOf(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.indexOf(u'.');
    return dot >= 0 ? name.left(dot) : name;
}

namespace {
// The stored text with its outer blanks cut, as the look-up compares it.
QString Folded(QStringView text, bool trim)
{
    qsizetype b = 0, e = text.size();
    while (trim && b < e && text[b] == u' ')
        ++b;
    while (trim && e > b && text[e - 1] == u' ')
        --e;
    return text.mid(b, e - b).toString().toCaseFolded();
}

// The first entry per key, and per key and section, for one pass over a whole table:
// the same answers as the look-up's scan from the top, in constant time.
class FirstMatches {
public:
    explicit FirstMatches(const PropertyTable& table)
    {
        for (int j = 1; j <= table.UBound(); ++j)
            Add(table[j], j);
    }
    void Add(const PropertyItem& e, int j)
    {
        Firsts& f = byKey_[Folded(e.Key, true)];
        if (!f.any)
            f.any = j;
        f.bySection.try_emplace(Folded(e.Section, true), j);
    }
    int Find(const QString& key, const QString& section) const
    {
        const auto k = byKey_.find(Folded(key, false));
        if (k == byKey_.end())
            return 0;
        if (section.isEmpty())
            return k->second.any;
        const auto s = k->second.bySection.find(Folded(section, false));
        return s == k->second.bySection.end() ? 0 : s->second;
    }

private:
    struct Firsts {
        int any = 0;
        std::unordered_map<QString, int> bySection;
    };
    std::unordered_map<QString, Firsts> byKey_;
};
} // namespace

bool LoadStyleFile(const QString& path, PropertyTable& table)
{
    PropertyTable style;
    if (!LoadIniFile(path, style))
        return false;
    // A style of thousands of keys would take a scan of the table per line.
    FirstMatches firsts(table);
    const int n = style.UBound();
    for (int i = 1; i <= n; ++i) {
        const PropertyItem& line = style[i];
        if (line.Key.trimmed().isEmpty())
            continue;
        if (const int found = firsts.Find(line.Key, line.Section)) {
            if (table[found].Value != line.Value) {
                table[found].Value = line.Value;
                table.MarkChanged(); // the window's file does not hold it yet
            }
        } else {
            const int u = table.UBound();
            table.GrowTo(u + 1);
            table[u + 1] = line;
            firsts.Add(line, u + 1);
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
