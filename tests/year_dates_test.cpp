#include "core/data_folders.h"
#include "core/settings_store.h"
#include "core/year_dates.h"
#include "support/test_folders.h"
#include "system/message_box.h"

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace mduAlmanorvqueLib;
using testsupport::ReadBytes;
using testsupport::SetFileAge;
using testsupport::WriteBytes;

namespace {
QByteArray Feast(const QByteArray& key, const QByteArray& name, const QByteArray& message = "")
{
    return "PCaption:" + key + "=" + name + "\r\nPMessage:" + key + "=" + message + "\r\nPFormat:" + key +
           "=,,True,True,65535,,\r\n";
}
QByteArray EasterLines(const QByteArray& friday, const QByteArray& sunday, const QByteArray& monday)
{
    return Feast(friday, "Good Friday") + Feast(sunday, "Easter Sunday") +
           Feast(monday, "Easter Monday", "Have a nice break");
}
const QByteArray kEaster2026 = EasterLines("03/04", "05/04", "06/04");
const QByteArray kEaster2024 = EasterLines("29/03", "31/03", "01/04");

const QByteArray kCountry = "PCaption:01/01=New Year's Day\r\nPMessage:01/01=\r\nPFormat:01/01=,,True,False,255,,\r\n"
                            "PCaption:25/12=Christmas Day\r\nPMessage:25/12=\r\nPFormat:25/12=,,True,False,255,,\r\n";

int LinesStartingWith(const QByteArray& file, const QByteArray& start)
{
    int n = 0;
    for (const QByteArray& l : file.split('\n'))
        n += l.startsWith(start) ? 1 : 0;
    return n;
}
} // namespace

class YearDates : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        UseCountry("Testland");
    }
    void UseCountry(const QString& country)
    {
        gDatesFolder = Path("Dates/");
        gRegion = country;
        gUserRegionFolder = Path("tester/" + country + "/");
        QDir().mkpath(gDatesFolder);
        QDir().mkpath(gUserRegionFolder);
    }
    QString YearFile(const QString& year) const { return gUserRegionFolder + year; }

    platform::ScriptedMessageBox boxes_;
};

TEST_F(YearDates, AFirstUseCopiesTheBestTemplateAndAddsEaster)
{
    const struct {
        const char* what;
        std::vector<std::pair<QString, QByteArray>> templates; // under Dates/
        const char* year;
        QByteArray file;
    } cases[] = {
        {"the country's template",
         {{"Testland", kCountry}, {"DefaultSpecialDates", "PCaption:02/02=Fallback\r\n"}},
         "2026",
         kCountry + "\r\n" + kEaster2026},
        {"the year's own template first",
         {{"Testland dates/2026", "PCaption:04/07=Only 2026\r\n"}, {"Testland", kCountry}},
         "2026",
         "PCaption:04/07=Only 2026\r\n\r\n" + kEaster2026},
        {"the fallback",
         {{"DefaultSpecialDates", "PCaption:02/02=Fallback\r\n"}},
         "2024",
         "PCaption:02/02=Fallback\r\n\r\n" + kEaster2024},
        {"no template at all", {}, "2024", "\r\n" + kEaster2024},
        {"the year given with blanks", {{"Testland", kCountry}}, " 2026 ", kCountry + "\r\n" + kEaster2026},
    };
    for (const auto& c : cases) {
        QDir(gDatesFolder).removeRecursively();
        QDir(gUserRegionFolder).removeRecursively();
        UseCountry("Testland");
        for (const auto& [name, bytes] : c.templates)
            WriteBytes(gDatesFolder + name, bytes);
        PrepareYearDatesFile(c.year);
        EXPECT_EQ(ReadBytes(YearFile(QString(c.year).trimmed())), c.file) << c.what;
    }
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(YearDates, AnUpToDateYearFileIsLeftAlone)
{
    const struct {
        const char* what;
        bool withTemplate;
    } cases[] = {{"an older template", true}, {"no template at all", false}};
    for (const auto& c : cases) {
        QDir(gDatesFolder).removeRecursively();
        UseCountry("Testland");
        const QByteArray own = "Caption:10/01=Mine\r\nPCaption:25/12=Changed\r\n";
        WriteBytes(YearFile("2026"), own);
        if (c.withTemplate) {
            WriteBytes(gDatesFolder + "Testland", kCountry);
            SetFileAge(gDatesFolder + "Testland", -3600);
        }
        PrepareYearDatesFile("2026");
        EXPECT_EQ(ReadBytes(YearFile("2026")), own) << c.what;
    }

    // Made from the template once, the next preparation changes nothing.
    WriteBytes(gDatesFolder + "Testland", kCountry);
    PrepareYearDatesFile("2027");
    const QByteArray first = ReadBytes(YearFile("2027"));
    PrepareYearDatesFile("2027");
    EXPECT_EQ(ReadBytes(YearFile("2027")), first);
}

TEST_F(YearDates, ANewerTemplateKeepsTheYearFilesOwnEntries)
{
    WriteBytes(gDatesFolder + "Testland", kCountry);
    PrepareYearDatesFile("2026");
    // What the calendar and the date manager save after the user's changes.
    const QByteArray own = "Caption:10/01=Mine\r\nMessage:10/01=Party\r\nFormat:10/01=Arial,12,True,,255,,\r\n"
                           "Image:10/01=/pictures/cake.jpg\r\nActivity:10/01=Buy candles\r\n"
                           "PCaption:15/08=Added in the date manager\r\n";
    QByteArray saved = ReadBytes(YearFile("2026"));
    saved.replace("Christmas Day", "Christmas at home").replace("\r\n\r\n", "\r\n");
    WriteBytes(YearFile("2026"), saved + own);
    SetFileAge(YearFile("2026"), -3600);

    const QByteArray newer = "PCaption:01/01=New Year's Day\r\nPMessage:01/01=\r\nPFormat:01/01=,,True,False,255,,\r\n"
                             "PCaption:01/05=May Day\r\nPMessage:01/05=\r\nPFormat:01/05=,,True,False,255,,\r\n"
                             "PCaption:25/12=Christmas Day\r\nPMessage:25/12=\r\nPFormat:25/12=,,True,False,255,,\r\n";
    WriteBytes(gDatesFolder + "Testland", newer);
    PrepareYearDatesFile("2026");
    QByteArray expected = newer;
    expected.replace("Christmas Day", "Christmas at home");
    expected += "\r\n" + kEaster2026 + own; // an empty line before the year's own, as in a new file
    EXPECT_EQ(ReadBytes(YearFile("2026")), expected);

    // Merging again keeps the file as it is: no lines or blank lines pile up.
    SetFileAge(YearFile("2026"), -3600);
    PrepareYearDatesFile("2026");
    EXPECT_EQ(ReadBytes(YearFile("2026")), expected);

    mduLib::PropertyTable t(1);
    ASSERT_TRUE(mduLib::LoadIniFile(YearFile("2026"), t));
    EXPECT_EQ(mduLib::GetValue("10/01", t, "Image"), "/pictures/cake.jpg");
    EXPECT_EQ(mduLib::GetValue("01/05", t, "PCaption"), "May Day");
    EXPECT_EQ(mduLib::GetValue("06/04", t, "PMessage"), "Have a nice break");
}

TEST_F(YearDates, EasterFeastsAreAddedWhenTheFileNeverMentionsThem)
{
    const QByteArray friday = Feast("03/04", "Good Friday");
    const QByteArray sunday = Feast("05/04", "Easter Sunday");
    const QByteArray spring = "PCaption:06/04=Spring Day\r\nPMessage:06/04=\r\nPFormat:06/04=,,True,False,255,,\r\n";
    const struct {
        const char* what;
        QByteArray file, result;
    } cases[] = {
        {"an empty file", "", "\r\n" + kEaster2026},
        {"a message naming the feast", "Message:03/04=Good Friday party\r\n",
         "Message:03/04=Good Friday party\r\n\r\n" + sunday + Feast("06/04", "Easter Monday", "Have a nice break")},
        {"the caption on another day", "PCaption:10/04=Good Friday\r\n",
         "PCaption:10/04=Good Friday\r\n\r\n" + sunday + Feast("06/04", "Easter Monday", "Have a nice break")},
        {"a message naming Easter Monday", "Message:24/12=See you on Easter Monday\r\n",
         "Message:24/12=See you on Easter Monday\r\n\r\n" + friday + sunday},
        {"a mention in lower case only", "Message:10/04=good friday party\r\n",
         "Message:10/04=good friday party\r\n\r\n" + kEaster2026},
        {"one feast there", friday, friday + "\r\n" + sunday + Feast("06/04", "Easter Monday", "Have a nice break")},
        // The day's caption already names it: it stays, and the feast's other lines come.
        {"a caption in other case", "pcaption:03/04 =good friday\r\n",
         "pcaption:03/04 =good friday\r\n\r\nPMessage:03/04=\r\nPFormat:03/04=,,True,True,65535,,\r\n" + sunday +
             Feast("06/04", "Easter Monday", "Have a nice break")},
        {"all there", kEaster2026, kEaster2026},
        {"another holiday that day", spring,
         "PCaption:06/04=Spring Day / Easter Monday\r\nPMessage:06/04=\r\nPFormat:06/04=,,True,False,255,,\r\n\r\n" +
             friday + sunday},
        {"the feast's caption with a greeting", "PCaption:03/04=Good Friday~Happy Easter\r\n",
         "PCaption:03/04=Good Friday~Happy Easter\r\n\r\n" + sunday +
             Feast("06/04", "Easter Monday", "Have a nice break")},
        {"another holiday with a greeting", "PCaption:06/04=Spring Day~Enjoy\r\n",
         "PCaption:06/04=Spring Day / Easter Monday~Enjoy\r\n\r\n" + friday + sunday +
             "PMessage:06/04=Have a nice break\r\nPFormat:06/04=,,True,True,65535,,\r\n"},
        {"an empty caption that day", "PCaption:06/04=\r\n",
         "PCaption:06/04=Easter Monday\r\n\r\n" + friday + sunday +
             "PMessage:06/04=Have a nice break\r\nPFormat:06/04=,,True,True,65535,,\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(YearFile("2026"), c.file);
        AddEasterHolidays(YearFile("2026"), "2026");
        EXPECT_EQ(ReadBytes(YearFile("2026")), c.result) << c.what;
        AddEasterHolidays(YearFile("2026"), "2026");
        EXPECT_EQ(ReadBytes(YearFile("2026")), c.result) << c.what << ", again";
    }
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(YearDates, AYearWithoutEasterDateWarnsAndGetsNoFeasts)
{
    WriteBytes(YearFile("1500"), "Caption:01/01=Mine\r\n");
    AddEasterHolidays(YearFile("1500"), "1500");
    EXPECT_EQ(ReadBytes(YearFile("1500")), "Caption:01/01=Mine\r\n");
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_EQ(boxes_.Shown()[0].prompt, "Gregorian calendar Easters apply for years 1583 to 4099 only");

    boxes_.Clear();
    PrepareYearDatesFile("1400");
    EXPECT_TRUE(QFileInfo::exists(YearFile("1400")));
    EXPECT_EQ(ReadBytes(YearFile("1400")), "");
    EXPECT_EQ(boxes_.Shown().size(), 1u);
}

// The shipped templates put another holiday on an Easter day in some years.
TEST_F(YearDates, AnEasterFeastSharesTheDayWithAShippedHoliday)
{
    CopyShippedData({"Dates"});
    const struct {
        const char* country;
        const char* year;
        const char* caption;
    } cases[] = {
        {"Australia", "2011", "Anzac Day / Easter Monday"},
        {"Australia", "2038", "Anzac Day / Easter Sunday"},
        {"Italy", "2011", "Liberation Day / Easter Monday"},
        {"Italy", "2095", "Liberation Day / Easter Monday"},
    };
    for (const auto& c : cases) {
        UseCountry(c.country);
        PrepareYearDatesFile(c.year);
        const QByteArray made = ReadBytes(YearFile(c.year));
        mduLib::PropertyTable t(1);
        ASSERT_TRUE(mduLib::LoadIniFile(YearFile(c.year), t)) << c.country << c.year;
        EXPECT_EQ(mduLib::GetValue("25/04", t, "PCaption"), c.caption) << c.country << c.year;
        EXPECT_EQ(mduLib::GetValue("25/04", t, "PMessage"), "") << c.country << c.year;
        for (const char* start : {"PCaption:25/04", "PMessage:25/04", "PFormat:25/04"})
            EXPECT_EQ(LinesStartingWith(made, start), 1) << c.country << c.year << start;

        // A newer template merged in later recognises the joined caption.
        SetFileAge(YearFile(c.year), -3600);
        PrepareYearDatesFile(c.year);
        const QByteArray merged = ReadBytes(YearFile(c.year));
        EXPECT_EQ(LinesStartingWith(merged, "PCaption:25/04"), 1) << c.country << c.year;
        EXPECT_TRUE(merged.contains(QByteArray("PCaption:25/04=") + c.caption + "\r\n")) << c.country << c.year;
        SetFileAge(YearFile(c.year), -3600);
        PrepareYearDatesFile(c.year);
        EXPECT_EQ(ReadBytes(YearFile(c.year)), merged) << c.country << c.year;
    }
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(YearDates, AHandEditedKeyWithBlanksKeepsTheUsersValueOnAMerge)
{
    WriteBytes(Path("Dates/Testland"), kCountry);
    SetFileAge(Path("Dates/Testland"), -7200);
    PrepareYearDatesFile("2026");
    QByteArray file = ReadBytes(YearFile("2026"));
    file.replace("PCaption:25/12=Christmas Day", "PCaption: 25/12=Christmas at home");
    WriteBytes(YearFile("2026"), file);
    SetFileAge(YearFile("2026"), -3600);
    SetFileAge(Path("Dates/Testland"), -60); // a newer template arrives
    PrepareYearDatesFile("2026");
    const QByteArray merged = ReadBytes(YearFile("2026"));
    EXPECT_TRUE(merged.contains("PCaption: 25/12=Christmas at home\r\n")) << merged.toStdString();
    EXPECT_FALSE(merged.contains("Christmas Day")) << merged.toStdString();
}

TEST_F(YearDates, ReadWholeFileEndsEveryLineWithCrLf)
{
    const struct {
        QByteArray file;
        QString text;
    } cases[] = {
        {"", ""},
        {"a\r\nb", "a\r\nb\r\n"},
        {"a\rb\r\n", "a\r\nb\r\n"},
        {"a\nb", "a\r\nb\r\n"},
        {"\x80\r\n", "\u20ac\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("f"), c.file);
        EXPECT_EQ(ReadWholeFile(Path("f")), c.text) << c.file.toStdString();
    }
    EXPECT_EQ(ReadWholeFile(Path("missing")), "");
}

TEST_F(YearDates, AnEmptyYearFileIsMadeAgainFromTheTemplate)
{
    WriteBytes(gDatesFolder + "Testland", kCountry);
    SetFileAge(gDatesFolder + "Testland", -7200);
    WriteBytes(YearFile("2026"), ""); // what a first start on a full disk left
    PrepareYearDatesFile("2026");
    EXPECT_EQ(ReadBytes(YearFile("2026")), kCountry + "\r\n" + kEaster2026);
}

TEST_F(YearDates, AYearFileIsWrittenOnceWithItsFeasts)
{
    WriteBytes(gDatesFolder + "Testland", kCountry);
    // On a disk that holds the template's bytes but not the feasts' as well, nothing is
    // made, so that the next start makes the whole file.
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t limit = static_cast<rlim_t>(kCountry.size()) + 40;
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
        PrepareYearDatesFile("2026");
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_FALSE(QFileInfo::exists(YearFile("2026")));
    PrepareYearDatesFile("2026");
    EXPECT_EQ(ReadBytes(YearFile("2026")), kCountry + "\r\n" + kEaster2026);
}

TEST_F(YearDates, LeftoversOfAKilledWriteAreRemoved)
{
    WriteBytes(gDatesFolder + "Testland", kCountry);
    WriteBytes(YearFile(".2026.almanorvique-save-QwErTy"), "PCaption:01/01=half");
    WriteBytes(YearFile("2026.backup"), "mine");
    WriteBytes(YearFile("2026.OldOne"), "mine too");
    PrepareYearDatesFile("2026");
    EXPECT_FALSE(QFileInfo::exists(YearFile(".2026.almanorvique-save-QwErTy")));
    EXPECT_TRUE(QFileInfo::exists(YearFile("2026.backup")));
    EXPECT_TRUE(QFileInfo::exists(YearFile("2026.OldOne")));
    EXPECT_EQ(ReadBytes(YearFile("2026")), kCountry + "\r\n" + kEaster2026);
}

// A newer template merged into a year file the user has worked on: what the user's file
// held stays, and merging again changes nothing.
TEST_F(YearDates, AMergeKeepsWhatTheYearFileHeld)
{
    const struct {
        const char* what;
        QByteArray own, templ, merged;
    } cases[] = {
        {"a caption of the user's on a feast day", "PCaption:03/04=Karfreitag\r\n" + kCountry, kCountry,
         kCountry + "\r\n" + Feast("05/04", "Easter Sunday") + Feast("06/04", "Easter Monday", "Have a nice break") +
             "PCaption:03/04=Karfreitag\r\n"},
        {"a template holiday on a feast day is joined", kEaster2026, "PCaption:06/04=Spring Day\r\nPMessage:06/04=\r\n",
         "PCaption:06/04=Easter Monday\r\nPMessage:06/04=Have a nice break\r\n\r\n" + Feast("03/04", "Good Friday") +
             Feast("05/04", "Easter Sunday") + "PFormat:06/04=,,True,True,65535,,\r\n"},
        {"only the first caption of a day counts",
         "PCaption:05/04=Mine\r\nPCaption:05/04=Easter Sunday\r\n" + Feast("03/04", "Good Friday") +
             Feast("06/04", "Easter Monday", "Have a nice break"),
         "PCaption:05/04=x\r\n",
         "PCaption:05/04=Mine\r\n\r\n" + Feast("03/04", "Good Friday") +
             Feast("06/04", "Easter Monday", "Have a nice break")},
        {"the first of the user's duplicates stays", "PMessage:25/12=Mine\r\n PMessage:25/12=old\r\n" + kEaster2026,
         "PMessage:25/12=\r\n", "PMessage:25/12=Mine\r\n\r\n" + kEaster2026},
        {"a message with brackets", "PMessage:25/12=[2024] at home\r\nPMessage:26/12=[x]\r\n" + kEaster2026,
         "PMessage:25/12=\r\n[Holidays]\r\nPMessage:26/12=\r\n",
         "PMessage:25/12=[2024] at home\r\n[Holidays]\r\nPMessage:26/12=[x]\r\n\r\n" + kEaster2026},
        {"a hand-edited font format", "PFormat:25/12=Georgia,14,True,True,16711680,True,\r\n" + kEaster2026,
         "PFormat:25/12=,,True,False,255,,\r\n",
         "PFormat:25/12=Georgia,14,True,True,16711680,True,\r\n\r\n" + kEaster2026},
        {"a sectionless key with a colon", ":PCaption:25/12=odd\r\n" + kEaster2026, "PCaption:25/12=Christmas\r\n",
         "PCaption:25/12=Christmas\r\n\r\n:PCaption:25/12=odd\r\n" + kEaster2026},
        // Feasts the year file lacks come right after the empty line, before its own entries.
        {"a year file without its feasts", "Caption:10/01=Mine\r\n" + kCountry, kCountry,
         kCountry + "\r\n" + kEaster2026 + "Caption:10/01=Mine\r\n"},
        {"a year file of only the template's keys", kCountry, kCountry, kCountry + "\r\n" + kEaster2026},
        // A bare line (no "=") is that key's line for the merge, so the feasts count it too.
        {"a bare template line under a feast's format key", kCountry, kCountry + "PFormat:05/04\r\n",
         kCountry + "PFormat:05/04\r\n\r\n" + Feast("03/04", "Good Friday") +
             "PCaption:05/04=Easter Sunday\r\nPMessage:05/04=\r\n" +
             Feast("06/04", "Easter Monday", "Have a nice break")},
        {"a bare caption of the file before its own on a feast day",
         "PCaption:03/04\r\nPCaption:03/04=Party\r\n" + kCountry, kCountry,
         kCountry + "\r\nPMessage:03/04=\r\nPFormat:03/04=,,True,True,65535,,\r\n" + Feast("05/04", "Easter Sunday") +
             Feast("06/04", "Easter Monday", "Have a nice break") +
             "PCaption:03/04=Good Friday\r\nPCaption:03/04=Party\r\n"},
        {"a bare template caption on a feast day", kCountry, kCountry + "PCaption:03/04\r\n",
         kCountry + "PCaption:03/04=Good Friday\r\n\r\nPMessage:03/04=\r\nPFormat:03/04=,,True,True,65535,,\r\n" +
             Feast("05/04", "Easter Sunday") + Feast("06/04", "Easter Monday", "Have a nice break")},
        {"a message of the user's naming a feast", "Message:10/01=Easter Sunday brunch\r\n" + kCountry, kCountry,
         kCountry + "\r\n" + Feast("03/04", "Good Friday") + Feast("06/04", "Easter Monday", "Have a nice break") +
             "Message:10/01=Easter Sunday brunch\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(YearFile("2026"), c.own);
        SetFileAge(YearFile("2026"), -7200);
        WriteBytes(gDatesFolder + "Testland", c.templ);
        SetFileAge(gDatesFolder + "Testland", -3600);
        PrepareYearDatesFile("2026");
        EXPECT_EQ(ReadBytes(YearFile("2026")).toStdString(), c.merged.toStdString()) << c.what;
        SetFileAge(YearFile("2026"), -7200);
        PrepareYearDatesFile("2026");
        EXPECT_EQ(ReadBytes(YearFile("2026")).toStdString(), c.merged.toStdString()) << c.what << ", again";
    }
}

TEST_F(YearDates, TheWindowsOfARunShareOneTablePerYearFile)
{
    testsupport::WriteBytes(YearFile("2026"), "Caption:01/02=Mine\r\n");
    auto a = SharedYearDates(2026);
    auto b = SharedYearDates(2026);
    EXPECT_EQ(a, b);
    EXPECT_TRUE(a->Safe);
    EXPECT_EQ(mduLib::GetValue("01/02", a->Table, "Caption"), "Mine");
    EXPECT_NE(SharedYearDates(2027), a);

    // What one holder wrote the other sees; the file is read again only on request, and
    // then what the run has not written yet stays on top of it.
    mduLib::SetProp("01/02", "Ours", a->Table, "Caption");
    testsupport::WriteBytes(YearFile("2026"), "Caption:01/02=Outside\r\nCaption:02/02=Also outside\r\n");
    EXPECT_EQ(mduLib::GetValue("01/02", SharedYearDates(2026)->Table, "Caption"), "Ours");
    EXPECT_EQ(mduLib::GetValue("02/02", SharedYearDates(2026, true)->Table, "Caption"), "Also outside");
    EXPECT_EQ(mduLib::GetValue("01/02", b->Table, "Caption"), "Ours");

    // Once no window holds it, the next one loads the file.
    a.reset();
    b.reset();
    testsupport::WriteBytes(YearFile("2026"), "Caption:01/02=Later\r\n");
    EXPECT_EQ(mduLib::GetValue("01/02", SharedYearDates(2026)->Table, "Caption"), "Later");
}
