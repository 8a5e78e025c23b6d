// The calendar's settings keys, command names and values of meaning are spelled once, in
// calendar/settings_keys.h: a key typed again as a literal in a source of the calendar
// can drift from the one the menus, the dispatcher and the templates use.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

const QString kSourceDir = QStringLiteral(ALMANORVIQUE_SOURCE_DIR);

QString ReadSource(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QString::fromUtf8(f.readAll());
}

// The texts the header spells.
QSet<QString> SpelledInHeader()
{
    QSet<QString> out;
    static const QRegularExpression literal(QStringLiteral(R"re(QStringLiteral\("((?:[^"\\]|\\.)*)"\))re"));
    for (const auto& m : literal.globalMatch(ReadSource(kSourceDir + "/calendar/settings_keys.h")))
        out.insert(m.captured(1));
    return out;
}

struct Literal {
    QString text;
    int line;
};

// The string literals of C++ source text, comments and character literals left out.
std::vector<Literal> StringLiterals(const QString& source)
{
    std::vector<Literal> out;
    int line = 1;
    const qsizetype n = source.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = source[i];
        const QChar next = i + 1 < n ? source[i + 1] : QChar();
        if (c == u'\n') {
            ++line;
        } else if (c == u'/' && next == u'/') {
            while (i < n && source[i] != u'\n')
                ++i;
            --i;
        } else if (c == u'/' && next == u'*') {
            for (i += 2; i + 1 < n && !(source[i] == u'*' && source[i + 1] == u'/'); ++i)
                if (source[i] == u'\n')
                    ++line;
            ++i;
        } else if (c == u'"' || c == u'\'') {
            QString text;
            for (++i; i < n && source[i] != c && source[i] != u'\n'; ++i) {
                if (source[i] == u'\\' && i + 1 < n)
                    text += source[i++];
                text += source[i];
            }
            if (c == u'"')
                out.push_back({text, line});
        }
    }
    return out;
}

} // namespace

TEST(SettingsKeys, TheLiteralScannerSkipsCommentsAndCharacters)
{
    const QString source = QStringLiteral("f(\"Show Clock\"); // \"Clock Top\"\n"
                                          "/* \"Stay Time\"\n */ g('\"', \"a\\\"b\");\n");
    const std::vector<Literal> found = StringLiterals(source);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].text, "Show Clock");
    EXPECT_EQ(found[0].line, 1);
    EXPECT_EQ(found[1].text, "a\\\"b");
    EXPECT_EQ(found[1].line, 3);
}

TEST(SettingsKeys, EveryTemplateKeyHasItsConstant)
{
    const QSet<QString> spelled = SpelledInHeader();
    const QStringList lines = ReadSource(kSourceDir + "/data/calendar_template.ini.in").split(u'\n');
    int keys = 0;
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        ++keys;
        EXPECT_TRUE(spelled.contains(line.left(eq)))
            << line.left(eq).toStdString() << " has no constant in settings_keys.h";
    }
    EXPECT_GT(keys, 30);
}

TEST(SettingsKeys, TheCalendarSourcesSpellNoKeyAgain)
{
    const QSet<QString> spelled = SpelledInHeader();
    ASSERT_GT(spelled.size(), 50);
    const QDir dir(kSourceDir + "/calendar");
    const QStringList sources = dir.entryList({QStringLiteral("*.cpp")}, QDir::Files);
    ASSERT_FALSE(sources.isEmpty());
    for (const QString& name : sources)
        for (const Literal& l : StringLiterals(ReadSource(dir.filePath(name))))
            EXPECT_FALSE(spelled.contains(l.text))
                << "calendar/" << name.toStdString() << ":" << l.line << " spells \"" << l.text.toStdString()
                << "\": use its constant of calendar/settings_keys.h";
}
