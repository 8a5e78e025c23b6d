// The calendar's settings templates are made at build time from one source
// (data/calendar_template.ini.in) and a table of what differs between them
// (data/calendar_templates.cmake). Users' files are merged against them: a key a template
// lacks drops the user's value for it at the next merge, and a first start copies a
// template byte for byte. So each made template must be the source with its own values,
// hold every key the window keeps, offer its current choices and name shipped pictures.
#include "calendar/settings_keys.h"
#include "core/settings_store.h"
#include "core/text_file.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

using namespace calendarkeys;

// What one template gives the source's placeholders.
struct Template {
    QString file;
    std::map<QString, QString> values; // placeholder name -> value
};

// The standalone window's two templates and the frame's twelve month windows, each month
// with its own picture.
std::vector<Template> Templates()
{
    const std::map<QString, QString> single = {{"width", "5400"},
                                               {"height", "7800"},
                                               {"states", "Normal,Normal,Minimized,Maximized"},
                                               {"orientation", "Portrait Top"},
                                               {"picture", "None"},
                                               {"background", "None"}};
    std::vector<Template> out = {{"Almanorvique.ini", single}, {"ini/Almanorvique.ini", single}};
    for (int m = 1; m <= 12; ++m)
        out.push_back({QStringLiteral("ini/%1.ini").arg(m),
                       {{"width", "-1"},
                        {"height", "-1"},
                        {"states", "Normal"},
                        {"orientation", "Landscape Left"},
                        {"picture", QLocale::c().monthName(m) + ".jpg"},
                        {"background", "Paper.jpg"}}});
    return out;
}

// The keys the window reads from its table; a template without one loses the user's value.
const QString kKeptKeys[] = {WindowWidth,
                             WindowHeight,
                             WindowTop,
                             WindowLeft,
                             WindowStates,
                             WindowStyles,
                             WindowBackgroundColours,
                             WindowBackgroundFiles,
                             WindowTitleBar,
                             WindowBorder,
                             Orientation,
                             CalendarImageFiles,
                             CalendarBackgroundFiles,
                             CalendarImageTop,
                             CalendarImageLeft,
                             CalendarImageWidth,
                             CalendarImageHeight,
                             CalendarBackgroundTop,
                             CalendarBackgroundLeft,
                             CalendarBackgroundWidth,
                             CalendarBackgroundHeight,
                             CalendarTop,
                             CalendarLeft,
                             CalendarWidth,
                             CalendarHeight,
                             CalendarFontSize,
                             WeekStartDay,
                             DefaultDateFormat,
                             HeadingColour,
                             MonthColour,
                             YearColour,
                             ClockColour,
                             ClockFormat,
                             ShowClock,
                             ClockLeft,
                             ClockTop,
                             ColumnColour,
                             DateCaption,
                             AutoShowBalloonTips,
                             StayTime};

QString ProgramPath(const QString& relative) { return QStringLiteral(ALMANORVIQUE_PROGRAM_DIR "/") + relative; }

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "cannot read " << path.toStdString();
        return {};
    }
    return f.readAll();
}

// The file's lines, each of which must end in CR LF as the files the program writes do;
// empty (and a failure) when one does not.
QStringList CrLfLines(const QByteArray& bytes, const QString& file)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const bool cr = bytes[i] == '\r', lf = bytes[i] == '\n';
        if ((cr && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) || (lf && (i == 0 || bytes[i - 1] != '\r'))) {
            ADD_FAILURE() << file.toStdString() << " line " << bytes.first(i).count('\n') + 1
                          << ": a line end other than CR LF";
            return {};
        }
    }
    if (!bytes.endsWith("\r\n")) {
        ADD_FAILURE() << file.toStdString() << ": the last line has no line end";
        return {};
    }
    return QString::fromLatin1(bytes.chopped(2)).split(QStringLiteral("\r\n"));
}

// The source's lines with one template's values put in.
QStringList SourceWith(const Template& t)
{
    QStringList lines =
        textfile::SplitLines(QString::fromUtf8(Bytes(ALMANORVIQUE_SOURCE_DIR "/data/calendar_template.ini.in")));
    static const QRegularExpression placeholder(QStringLiteral("@([A-Za-z_]+)@"));
    for (QString& line : lines) {
        QString filled;
        qsizetype from = 0;
        for (auto it = placeholder.globalMatch(line); it.hasNext();) {
            const auto m = it.next();
            const auto value = t.values.find(m.captured(1));
            if (value == t.values.end()) {
                ADD_FAILURE() << "the source's placeholder @" << m.captured(1).toStdString()
                              << "@ has no value in this test's table of templates: add what each template gives it";
            }
            filled += line.mid(from, m.capturedStart() - from) + (value == t.values.end() ? QString() : value->second);
            from = m.capturedEnd();
        }
        line = filled + line.mid(from);
    }
    return lines;
}

// The lines as the program reads them, whatever their line ends.
QStringList ProgramsLines(const QString& file)
{
    const auto lines = textfile::ReadLines(ProgramPath(file));
    if (!lines)
        ADD_FAILURE() << "cannot read " << file.toStdString();
    return lines.value_or(QStringList());
}

QString KeyOf(const QString& line) { return line.section(u'=', 0, 0); }

} // namespace

TEST(CalendarTemplates, EachTemplateIsTheSourceWithItsOwnValues)
{
    for (const Template& t : Templates()) {
        const QByteArray bytes = Bytes(ProgramPath(t.file));
        // Read as Windows-1252 and copied as they are: plain ASCII text, no byte order mark.
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const auto c = static_cast<unsigned char>(bytes[i]);
            if (c != '\r' && c != '\n' && (c < 0x20 || c > 0x7e)) {
                ADD_FAILURE() << t.file.toStdString() << ": byte " << i << " is " << int(c) << ", not plain ASCII text";
                break;
            }
        }
        const QStringList made = CrLfLines(bytes, t.file);
        if (made.isEmpty())
            continue; // its line ends were reported
        const QStringList wanted = SourceWith(t);
        for (qsizetype i = 0; i < std::max(made.size(), wanted.size()); ++i) {
            const QString m = i < made.size() ? made[i] : QStringLiteral("(no line)");
            const QString w = i < wanted.size() ? wanted[i] : QStringLiteral("(no line)");
            if (m != w) {
                ADD_FAILURE() << t.file.toStdString() << " line " << i + 1 << ": \"" << m.toStdString()
                              << "\", the source gives \"" << w.toStdString() << "\"";
                break;
            }
        }
    }
}

TEST(CalendarTemplates, TheWindowReadsEachTemplatesOwnValues)
{
    for (const Template& t : Templates()) {
        mduLib::PropertyTable table;
        ASSERT_TRUE(mduLib::LoadIniFile(ProgramPath(t.file), table)) << t.file.toStdString();
        const std::pair<QString, const char*> read[] = {
            {WindowWidth, "width"},       {WindowHeight, "height"},        {WindowStates, "states"},
            {Orientation, "orientation"}, {CalendarImageFiles, "picture"}, {CalendarBackgroundFiles, "background"}};
        for (const auto& [key, name] : read) {
            const QString value = t.values.at(QString::fromLatin1(name));
            EXPECT_EQ(mduLib::GetProp(key, table), value.section(u',', 0, 0))
                << t.file.toStdString() << ": " << key.toStdString();
        }
        if (t.values.at("states").contains(u',')) {
            EXPECT_EQ(mduLib::GetPropOptions(WindowStates, table), t.values.at("states").section(u',', 1))
                << t.file.toStdString();
        }
    }
}

TEST(CalendarTemplates, EveryTemplateHoldsEachKeptKeyOnce)
{
    for (const Template& t : Templates()) {
        std::set<QString> keys;
        for (const QString& line : ProgramsLines(t.file)) {
            // Each line an entry: a line in brackets would start a section for the merge.
            EXPECT_TRUE(line.contains(u'=') && !line.trimmed().startsWith(u'['))
                << t.file.toStdString() << ": \"" << line.toStdString() << "\" is no entry";
            EXPECT_TRUE(keys.insert(KeyOf(line).trimmed().toCaseFolded()).second)
                << t.file.toStdString() << ": " << KeyOf(line).toStdString()
                << " stands twice, and only its first line counts";
        }
        for (const QString& key : kKeptKeys)
            EXPECT_TRUE(keys.count(key.toCaseFolded())) << t.file.toStdString() << " lacks " << key.toStdString();
    }
}

TEST(CalendarTemplates, EachOptionValueOffersItsCurrentChoice)
{
    static const QStringList orientations = {"Portrait Top", "Portrait Bottom", "Landscape Left", "Landscape Right",
                                             "Center"};
    for (const Template& t : Templates()) {
        for (const QString& line : ProgramsLines(t.file)) {
            const QString value = line.section(u'=', 1);
            if (!value.contains(u','))
                continue;
            const QStringList offered = value.section(u',', 1).split(u',');
            EXPECT_TRUE(offered.contains(value.section(u',', 0, 0)))
                << t.file.toStdString() << ": " << KeyOf(line).toStdString() << "'s choice "
                << value.section(u',', 0, 0).toStdString() << " is not offered";
            if (KeyOf(line) == Orientation) {
                for (const QString& o : offered)
                    EXPECT_TRUE(orientations.contains(o))
                        << t.file.toStdString() << ": no arrangement is called " << o.toStdString();
            }
        }
    }
}

TEST(CalendarTemplates, EveryPictureATemplateNamesIsShipped)
{
    for (const Template& t : Templates()) {
        mduLib::PropertyTable table;
        ASSERT_TRUE(mduLib::LoadIniFile(ProgramPath(t.file), table)) << t.file.toStdString();
        for (const QString& key : {CalendarImageFiles, CalendarBackgroundFiles, WindowBackgroundFiles}) {
            const QString picture = mduLib::GetProp(key, table);
            if (picture != calendarcommands::None) {
                EXPECT_TRUE(QFileInfo::exists(ProgramPath("Images/" + picture)))
                    << t.file.toStdString() << ": " << key.toStdString() << "=" << picture.toStdString();
            }
        }
    }
}
