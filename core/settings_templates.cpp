#include "settings_templates.h"

#include "app_identity.h"
#include "conversions.h"
#include "settings_store.h"
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

void KeyCollection::AddEntry(const QString& sectionLine, const QString& line)
{
    entries_.emplace(MergeKey(sectionLine, ParseEntryLine(line).keyPart), line);
}

const QString* KeyCollection::FindEntry(const QString& sectionLine, const QString& keyPart) const
{
    const auto it = entries_.find(MergeKey(sectionLine, keyPart));
    return it == entries_.end() ? nullptr : &it->second;
}

bool IsSectionLine(const QString& line)
{
    const QString t = conv::Trim(line);
    return t.startsWith(u'[') && t.endsWith(u']') && !t.contains(u'=');
}

QString MergeKey(const QString& sectionLine, const QString& keyPart)
{
    // A line without "=" is all key part; its ":" still splits it, so that a bare line
    // of the user's meets the template's entry under that key.
    QString key = conv::Trim(sectionLine).toCaseFolded() + u'\n';
    if (const auto split = SplitSection(keyPart))
        key += conv::Trim(split->first).toCaseFolded() + u':' + conv::Trim(split->second).toCaseFolded();
    else
        key += conv::Trim(keyPart).toCaseFolded();
    return key;
}

namespace {
// The text between the first and the second "="; a line without "=" has an empty one.
QString ValuePart(const EntryLine& e) { return e.value.section(u'=', 0, 0); }

QString AfterFirstComma(const QString& s) { return s.mid(s.indexOf(u',') + 1); }

// Font formats ("Format" and "PFormat" entries of the date files) are comma lists of
// fields, not a choice followed by options.
bool IsFontFormat(const EntryLine& e)
{
    if (!e.hasSection)
        return false;
    const QString s = conv::Trim(e.section);
    return s.compare(QLatin1String("Format"), Qt::CaseInsensitive) == 0 ||
           s.compare(QLatin1String("PFormat"), Qt::CaseInsensitive) == 0;
}

// The template's entry t with the user's line u for the same setting. The user's line
// stands as it is unless the template forces its value or offers other choices; with
// movedKey (the template put the key behind a prefix) it is written under t's key.
QString WithUsersValue(const EntryLine& t, const QString& u, bool optionLists, bool movedKey)
{
    const EntryLine ue = ParseEntryLine(u);
    const QString uval = ValuePart(ue);
    const QString tval = ValuePart(t);
    const QString tvalTrimmed = conv::Trim(tval);
    const QString key = conv::Trim(t.keyPart);
    // A forced value replaces the user's; a line still holding the template's own
    // forced value (as a copy of the template does) stays as it is.
    if (tvalTrimmed.startsWith(u'^'))
        return !movedKey && conv::Trim(uval) == tvalTrimmed ? u : key + "=" + tvalTrimmed.mid(1);
    // The user's current choice with the template's offered choices.
    if (optionLists && !IsFontFormat(t) && uval.contains(u',') && tvalTrimmed.contains(u',') &&
        AfterFirstComma(uval) != AfterFirstComma(tval))
        return key + "=" + uval.left(uval.indexOf(u',') + 1) + AfterFirstComma(tval);
    if (movedKey)
        return key + "=" + uval;
    // A bare line of the user's for a key the template gives a value: as "key=" it stays
    // an entry under its section and key.
    if (t.hasEquals && !ue.hasEquals)
        return u + u'=';
    return u;
}

QString MergedLine(const QString& line, const QString& section, const KeyCollection& user, bool optionLists)
{
    const EntryLine t = ParseEntryLine(line);
    const QString& tkey = t.keyPart;
    if (const QString* u = user.FindEntry(section, tkey))
        return WithUsersValue(t, *u, optionLists, false);
    const qsizetype colon = tkey.indexOf(u':');
    if (colon < 0)
        return line;
    // A key the template moved behind a "Name:" prefix keeps the user's value.
    if (const QString* u = user.FindEntry(section, tkey.mid(colon + 1))) {
        if (tkey.contains(":" + ParseEntryLine(*u).keyPart))
            return WithUsersValue(t, *u, optionLists, true);
        const QString tvalTrimmed = conv::Trim(ValuePart(t));
        if (tvalTrimmed.startsWith(u'^'))
            return conv::Trim(tkey) + "=" + tvalTrimmed.mid(1);
    }
    return line;
}

void CollectLines(const QStringList& lines, bool sections, KeyCollection& collection)
{
    QString section;
    for (const QString& line : lines) {
        if (conv::Trim(line).isEmpty())
            continue; // as the template's blank lines, they are no entry
        const bool sectionLine = sections && IsSectionLine(line);
        if (sectionLine)
            section = line;
        // A repeated key keeps its first line; the rest of the file is still read.
        collection.Add(section + ParseEntryLine(line).keyPart, line);
        // A section line is no entry: a key of the same text under it is one.
        if (!sectionLine)
            collection.AddEntry(section, line);
    }
}
} // namespace

bool LoadKeyCollection(const QString& path, KeyCollection& collection)
{
    const auto lines = textfile::ReadLines(path);
    if (!lines)
        return false;
    CollectLines(*lines, true, collection);
    return true;
}

bool CollectionHasKey(const KeyCollection& collection, const QString& key) { return collection.Find(key) != nullptr; }

QStringList MergeLines(const QStringList& userLines, const QStringList& templ, MergeStyle style)
{
    const bool sections = style == MergeStyle::Settings;
    KeyCollection user;
    CollectLines(userLines, sections, user);
    QStringList out;
    out.reserve(templ.size());
    // A key the template repeats is written as its first line was, as a second merge
    // would find it.
    std::map<QString, QString> done;
    QString section;
    for (const QString& line : templ) {
        if (sections && IsSectionLine(line)) {
            section = line;
            out.append(line);
        } else if (conv::Trim(line).isEmpty()) {
            out.append(line);
        } else {
            const auto [it, first] = done.emplace(MergeKey(section, ParseEntryLine(line).keyPart), QString());
            if (first)
                it->second = MergedLine(line, section, user, sections);
            out.append(it->second);
        }
    }
    return out;
}

std::optional<QStringList> MergedIniLines(const QString& userFile, const QString& templateFile,
                                          textfile::Encoding* encoding, textfile::LineEnd* lineEnd)
{
    textfile::Encoding userEncoding = textfile::Encoding::Cp1252, templEncoding = userEncoding;
    textfile::LineEnd userLineEnd = textfile::LineEnd::CrLf;
    // A missing user file merges nothing; one that is there but cannot be read must not
    // be replaced by the bare template.
    const auto user = textfile::ReadLines(userFile, &userEncoding, &userLineEnd);
    if (!user && QFileInfo::exists(userFile))
        return std::nullopt;
    const auto lines = textfile::ReadLines(templateFile, &templEncoding);
    if (!lines)
        return std::nullopt;
    if (encoding)
        *encoding = user ? userEncoding : templEncoding;
    // A new file has CR LF; the user's own keeps its line ends.
    if (lineEnd)
        *lineEnd = user ? userLineEnd : textfile::LineEnd::CrLf;
    return MergeLines(user ? *user : QStringList(), *lines);
}

bool MergeIniFile(const QString& userFile, const QString& templateFile, const QString& outFile)
{
    textfile::Encoding encoding = textfile::Encoding::Cp1252;
    textfile::LineEnd lineEnd = textfile::LineEnd::CrLf;
    const auto lines = MergedIniLines(userFile, templateFile, &encoding, &lineEnd);
    return lines && textfile::WriteLines(outFile, *lines, encoding, lineEnd);
}

} // namespace mduLib
