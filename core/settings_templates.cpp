#include "settings_templates.h"

#include "app_identity.h"
#include "conversions.h"
#include "text_file.h"

#include <QFileInfo>

namespace mduLib {

QString WithIniExtension(const QString& name)
{
    if (name.toLower().contains(QLatin1String(".ini")))
        return name;
    return name + QStringLiteral(".ini");
}

QString DefaultIniPath() { return appinfo::ProgramFolder() + "/" + WithIniExtension(appinfo::ExeName()); }

bool KeyCollection::Add(const QString& key, const QString& line)
{
    return items_.emplace(key.toCaseFolded(), line).second;
}

const QString* KeyCollection::Find(const QString& key) const
{
    const auto it = items_.find(key.toCaseFolded());
    return it == items_.end() ? nullptr : &it->second;
}

bool IsSectionLine(const QString& line) { return line.contains(u'[') && line.contains(u']'); }

namespace {
// The text before the first "="; the whole line when it has none.
QString KeyPart(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? line : line.left(eq);
}

// The text between the first and the second "="; a line without "=" has an empty one.
QString ValuePart(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return {};
    const qsizetype next = line.indexOf(u'=', eq + 1);
    return next < 0 ? line.mid(eq + 1) : line.mid(eq + 1, next - eq - 1);
}

QString AfterFirstComma(const QString& s) { return s.mid(s.indexOf(u',') + 1); }

QString MergedLine(const QString& line, const QString& section, const KeyCollection& user)
{
    const QString tkey = KeyPart(line);
    const QString tval = ValuePart(line);
    if (const QString* u = user.Find(section + tkey)) {
        const QString uval = ValuePart(*u);
        const QString tvalTrimmed = conv::Trim(tval);
        if (tvalTrimmed.startsWith(u'^'))
            return conv::Trim(tkey) + "=" + tvalTrimmed.mid(1);
        // The user's current choice with the template's offered choices.
        if (uval.contains(u',') && tvalTrimmed.contains(u',') && AfterFirstComma(uval) != AfterFirstComma(tval))
            return conv::Trim(tkey) + "=" + uval.left(uval.indexOf(u',') + 1) + AfterFirstComma(tval);
        return *u;
    }
    const qsizetype colon = tkey.indexOf(u':');
    if (colon < 0)
        return line;
    // A key the template moved behind a "Name:" prefix keeps the user's value.
    if (const QString* u = user.Find(section + tkey.mid(colon + 1))) {
        if (tkey.contains(":" + KeyPart(*u)))
            return conv::Trim(tkey) + "=" + ValuePart(*u);
        if (tval.startsWith(u'^'))
            return conv::Trim(tkey) + "=" + tval.mid(1);
    }
    return line;
}
} // namespace

bool LoadKeyCollection(const QString& path, KeyCollection& collection)
{
    const auto lines = textfile::ReadLines(path);
    if (!lines)
        return false;
    QString section;
    for (const QString& line : *lines) {
        if (line.isEmpty())
            continue;
        if (IsSectionLine(line))
            section = line;
        // A repeated key keeps its first line; the rest of the file is still read.
        collection.Add(section + KeyPart(line), line);
    }
    return true;
}

bool CollectionHasKey(const KeyCollection& collection, const QString& key) { return collection.Find(key) != nullptr; }

std::optional<QStringList> MergedIniLines(const QString& userFile, const QString& templateFile)
{
    KeyCollection user;
    // A missing user file merges nothing; one that is there but cannot be read must not
    // be replaced by the bare template.
    if (!LoadKeyCollection(userFile, user) && QFileInfo::exists(userFile))
        return std::nullopt;
    const auto lines = textfile::ReadLines(templateFile);
    if (!lines)
        return std::nullopt;
    QStringList out;
    out.reserve(lines->size());
    QString section;
    for (const QString& line : *lines) {
        if (IsSectionLine(line)) {
            section = line;
            out.append(line);
        } else if (conv::Trim(line).isEmpty()) {
            out.append(line);
        } else {
            out.append(MergedLine(line, section, user));
        }
    }
    return out;
}

bool MergeIniFile(const QString& userFile, const QString& templateFile, const QString& outFile)
{
    const auto lines = MergedIniLines(userFile, templateFile);
    return lines && textfile::WriteLines(outFile, *lines);
}

} // namespace mduLib
