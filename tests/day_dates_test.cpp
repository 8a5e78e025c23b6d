#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "editors/dialogs/date_setup_dialog.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "tests/support/test_calendar.h"
#include "ui/common_dialog.h"

#include <QLocale>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::WriteBytes;

using testsupport::CellOf;

namespace {
// The entries of one section of a table, as "key=value" in table order.
QStringList EntriesOf(const mduLib::PropertyTable& t, const QString& section)
{
    QStringList out;
    if (!t.IsCreated())
        return out;
    for (int i = 1; i <= t.UBound(); ++i)
        if (!t[i].Key.isEmpty() && t[i].Section == section)
            out << t[i].Key + "=" + t[i].Value;
    return out;
}

// Answers the date caption dialog, once it shows, with these texts and button.
void AnswerDialog(const QString& caption, const QString& message, int button)
{
    QTimer::singleShot(0, [=] {
        frmDateSetup& d = frmDateSetup::Default();
        d.txtCaption.SetText(caption);
        d.txtMsg.SetText(message);
        QTest::mouseClick(d.cmdButton(button).Widget(), Qt::LeftButton);
    });
}
} // namespace

class DayDates : public testsupport::CalendarFolderTest {
protected:
    void SetUp() override
    {
        CalendarFolderTest::SetUp();
        // December 2026: its grid runs into January 2027.
        w_ = std::make_unique<testsupport::TestCalendar>();
        w_->ShowMe(0, QDate(2026, 12, 15));
        w_->Timer1.Fire();
    }
    void TearDown() override
    {
        platform::CommonDialog::SetRunner(nullptr);
        w_.reset();
        CalendarFolderTest::TearDown();
    }
    mduLib::PropertyTable& Personal() { return gPersonalDates; }

    platform::FixedClock clock_{QDateTime(QDate(2026, 12, 24), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
    std::unique_ptr<testsupport::TestCalendar> w_;
};

TEST_F(DayDates, DateCommandsWriteToThePersonalOrTheYearTables)
{
    const struct {
        const char* what;
        QString dates;
        bool framed;
        QStringList personal, prev, year, next;
    } cases[] = {
        {"a right-clicked day recurs", conv::DateText(QDate(2026, 12, 24)), false, {"24/12=X"}, {}, {}, {}},
        {"a right-clicked day of next year", conv::DateText(QDate(2027, 1, 2)), false, {"02/01=X"}, {}, {}, {}},
        {"one framed date", conv::DateText(QDate(2026, 12, 24)), true, {}, {}, {"24/12=X"}, {}},
        {"a selection over the year end",
         "30/12,31/12,01/01,02/01",
         true,
         {},
         {},
         {"30/12=X", "31/12=X"},
         {"01/01=X", "02/01=X"}},
        {"a one-day selection of next year", "02/01", true, {}, {}, {}, {"02/01=X"}},
        {"a one-day selection of this year", " 15/12", true, {}, {}, {"15/12=X"}, {}},
        {"a day outside the three years", conv::DateText(QDate(2030, 12, 24)), true, {}, {}, {}, {}},
        {"keys no cell holds", "15/06,16/06", true, {}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        gPersonalDates.Create(1);
        w_->PrevYearDates().Create(1);
        w_->YearDates().Create(1);
        w_->NextYearDates().Create(1);
        w_->shpHighlight.SetVisible(c.framed);
        w_->SetDateItem(c.dates, "X", "Caption");
        EXPECT_EQ(EntriesOf(Personal(), "Caption"), c.personal);
        EXPECT_EQ(EntriesOf(w_->PrevYearDates(), "Caption"), c.prev);
        EXPECT_EQ(EntriesOf(w_->YearDates(), "Caption"), c.year);
        EXPECT_EQ(EntriesOf(w_->NextYearDates(), "Caption"), c.next);
    }
}

TEST_F(DayDates, StoredValuesReplaceAreRemovedAndStayOneLine)
{
    const QString day = conv::DateText(QDate(2026, 12, 24));
    w_->SetDateItem(day, "Eve, with commas", "Caption");
    w_->SetDateItem(day, "Christmas Eve, again", "Caption");
    EXPECT_EQ(EntriesOf(Personal(), "Caption"), QStringList{"24/12=Christmas Eve, again"});
    w_->SetDateItem(day, "", "Caption"); // empty: kept
    w_->SetDateItem("", "Y", "Caption");
    EXPECT_EQ(EntriesOf(Personal(), "Caption"), QStringList{"24/12=Christmas Eve, again"});
    w_->SetDateItem(day, "/pics/tree.jpg", "Image");
    w_->SetDateItem(day, "None", "Image");
    EXPECT_EQ(EntriesOf(Personal(), "Image"), QStringList{});
    EXPECT_EQ(EntriesOf(Personal(), "Caption"), QStringList{"24/12=Christmas Eve, again"});

    // A message typed over several lines survives the file as one entry, its breaks kept.
    w_->SetDateItem(day, "First line\r\nsecond line\rthird\nfourth", "Message");
    const QString kept = QString::fromUtf16(u"First line\u2028second line\u2028third\u2028fourth");
    EXPECT_EQ(mduLib::GetValue("24/12", Personal(), "Message"), kept);
    ASSERT_TRUE(mduLib::SaveIniFile(Personal(), gPersonalDatesFile));
    mduLib::PropertyTable reread(1);
    ASSERT_TRUE(mduLib::LoadIniFile(gPersonalDatesFile, reread));
    EXPECT_EQ(EntriesOf(reread, "Message"), QStringList{"24/12=" + kept});
    EXPECT_EQ(EntriesOf(reread, "Caption"), QStringList{"24/12=Christmas Eve, again"});
    EXPECT_EQ(reread.UBound(), 2);
}

TEST_F(DayDates, TheCaptionDialogPresetsFromThePersonalTableAndKeepsEmptiedTexts)
{
    mduLib::SetValue("24/12", "Eve", Personal(), "Caption");
    mduLib::SetValue("24/12", "Wrap presents", Personal(), "Message");
    const QString day = conv::DateText(QDate(2026, 12, 24));
    frmDateSetup& dialog = frmDateSetup::Default();

    // Emptied boxes and "Set": the old texts stay.
    QString seenCaption, seenMsg;
    QTimer::singleShot(0, [&] {
        seenCaption = dialog.txtCaption.Text();
        seenMsg = dialog.txtMsg.Text();
    });
    AnswerDialog("", "", 0);
    w_->EditDateCaptionMessage(day, "ignored", "ignored", 0);
    EXPECT_EQ(dialog.Caption(), "Set 24/12/2026"); // the user's short date form, not the stored one
    EXPECT_EQ(seenCaption, "Eve");
    EXPECT_EQ(seenMsg, "Wrap presents");
    EXPECT_EQ(mduLib::GetValue("24/12", Personal(), "Caption"), "Eve");
    EXPECT_EQ(mduLib::GetValue("24/12", Personal(), "Message"), "Wrap presents");

    // A message kept with a line break shows the break again in its box.
    mduLib::SetValue("24/12", QString::fromUtf16(u"Wrap\u2028presents"), Personal(), "Message");
    QTimer::singleShot(0, [&] { seenMsg = dialog.txtMsg.Text(); });
    AnswerDialog("", "", 0);
    w_->EditDateCaptionMessage(day, "", "", 1);
    EXPECT_EQ(seenMsg, "Wrap\r\npresents");
    EXPECT_EQ(mduLib::GetValue("24/12", Personal(), "Message"), u"Wrap\u2028presents");
    mduLib::SetValue("24/12", "Wrap presents", Personal(), "Message");

    // "Cancel" stores nothing.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    AnswerDialog("Other", "Other", 1);
    w_->EditDateCaptionMessage(day, "", "", 1);
    EXPECT_EQ(dialog.Caption(), "Set 12/24/26");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    EXPECT_EQ(mduLib::GetValue("24/12", Personal(), "Caption"), "Eve");

    // Under a selection frame the texts go to the year tables, preset still personal.
    w_->shpHighlight.SetVisible(true);
    QTimer::singleShot(0, [&] { seenCaption = dialog.txtCaption.Text(); });
    AnswerDialog("Holidays", "none", 0);
    w_->EditDateCaptionMessage("24/12", "", "", 0);
    EXPECT_EQ(seenCaption, "Eve");
    EXPECT_EQ(mduLib::GetValue("24/12", w_->YearDates(), "Caption"), "Holidays");
    EXPECT_EQ(mduLib::GetValue("24/12", Personal(), "Caption"), "Eve");

    // A range starts empty and reaches both years.
    QTimer::singleShot(0, [&] { seenCaption = dialog.txtCaption.Text(); });
    AnswerDialog("Break", "Line one\r\nline two", 0);
    w_->EditDateCaptionMessage("31/12,01/01", "", "", 0);
    EXPECT_EQ(dialog.Caption(), "Set Selected Range");
    EXPECT_EQ(seenCaption, "");
    EXPECT_EQ(mduLib::GetValue("31/12", w_->YearDates(), "Caption"), "Break");
    EXPECT_EQ(mduLib::GetValue("01/01", w_->NextYearDates(), "Message"), u"Line one\u2028line two");

    // "none" removes.
    w_->shpHighlight.SetVisible(false);
    AnswerDialog("none", "NONE", 0);
    w_->EditDateCaptionMessage(day, "", "", 0);
    EXPECT_EQ(EntriesOf(Personal(), "Caption"), QStringList{});
    EXPECT_EQ(EntriesOf(Personal(), "Message"), QStringList{});
}

TEST_F(DayDates, TheDefaultDateFormatTakesTheYearCaptionsSize)
{
    const struct {
        const char* stored;
        double yearSize;
        const char* expected;
    } cases[] = {
        {"", 12, "Arial,10,false,False,0,False,False"},
        {"Times New Roman,20,True,False,255,False,True", 13.5, "Times New Roman,11.25,True,False,255,False,True"},
        {"Verdana,12", 12, "Verdana,10,,,,,"},
        {"Verdana", 12, "Verdana,10,,,,,"},
        {"Tahoma,9,True,True,0,False,False,extra,more", 12, "Tahoma,10,True,True,0,False,False"},
    };
    for (const auto& c : cases) {
        mduLib::SetValue("Default Date Format", c.stored, w_->Properties());
        w_->lblYear.SetFontSize(c.yearSize);
        EXPECT_EQ(w_->DefaultDateFormat(), c.expected) << c.stored;
    }
    // A short stored format never breaks a cell.
    mduLib::SetValue("Default Date Format", "Verdana", w_->Properties());
    platform::Label& cell = w_->lblDate(CellOf(*w_, QDate(2026, 12, 24)));
    w_->FormatDateCell(cell);
    EXPECT_EQ(cell.Font().Name, "Verdana");
    EXPECT_FLOAT_EQ(cell.Font().Size, 10);
}

TEST_F(DayDates, FontSpecsAndTheFontDialogPreset)
{
    platform::Label& cell = w_->lblDate(CellOf(*w_, QDate(2026, 12, 24)));
    platform::FontModel f;
    f.Name = "Georgia";
    f.Size = 10.5f;
    f.Bold = true;
    f.Strikethrough = true;
    cell.SetFont(f);
    cell.SetForeColor(255);
    EXPECT_EQ(w_->GetFontSpec(cell), "Georgia,10.5,True,False,255,False,True");

    QString format = "Courier New,14,True,1,65280,0,False";
    w_->SetDialogFont(format);
    EXPECT_EQ(w_->objDialog.FontName, "Courier New");
    EXPECT_FLOAT_EQ(w_->objDialog.FontSize, 14);
    EXPECT_TRUE(w_->objDialog.FontBold);
    EXPECT_TRUE(w_->objDialog.FontItalic);
    EXPECT_EQ(w_->objDialog.Color, 65280);
    EXPECT_FALSE(w_->objDialog.FontUnderline);
    QString empty;
    w_->SetDialogFont(empty); // an empty format is the default one, also for the caller
    EXPECT_EQ(empty, w_->DefaultDateFormat());
    for (const char* bad : {"Arial,10,yes", "Arial,ten"}) {
        QString s = bad;
        EXPECT_ANY_THROW(w_->SetDialogFont(s)) << bad;
    }
    // Empty fields (a short default format, the empty fields of a stored one) leave the
    // dialog's values.
    const float size = w_->objDialog.FontSize;
    QString sparse = "Verdana,,True";
    w_->SetDialogFont(sparse);
    EXPECT_EQ(w_->objDialog.FontName, "Verdana");
    EXPECT_FLOAT_EQ(w_->objDialog.FontSize, size);
    EXPECT_TRUE(w_->objDialog.FontBold);
}

TEST_F(DayDates, SetDateFontStoresTheChosenFontInTheWriteTarget)
{
    int shown = 0;
    platform::CommonDialog::SetRunner([&](platform::CommonDialog::Kind kind, platform::CommonDialog& d) {
        EXPECT_EQ(kind, platform::CommonDialog::Kind::Font);
        EXPECT_EQ(d.Flags, 259);
        ++shown;
        if (shown == 1) { // preset from the day's own format
            EXPECT_EQ(d.FontName, "Courier New");
            EXPECT_FLOAT_EQ(d.FontSize, 9);
            EXPECT_TRUE(d.FontItalic);
        }
        if (shown == 2)
            return false; // the user cancels
        d.FontName = "Georgia";
        d.FontSize = 14;
        d.FontBold = true;
        d.FontItalic = false;
        d.Color = 255;
        return true;
    });
    // A right-clicked day: the personal table; the caller's text becomes the day's key.
    mduLib::SetValue("24/12", "Courier New,9,False,True,0,False,False", Personal(), "Format");
    QString day = conv::DateText(QDate(2026, 12, 24));
    w_->SetDateFont("Custom", day);
    EXPECT_EQ(day, "24/12");
    EXPECT_EQ(w_->objDialog.FontName, "Georgia");
    EXPECT_EQ(mduLib::GetValue("24/12", Personal(), "Format"), "Georgia,14,True,False,255,False,False");
    const platform::Label& cell = w_->lblDate(CellOf(*w_, QDate(2026, 12, 24)));
    EXPECT_EQ(cell.Font().Name, "Georgia");

    // Cancelling changes nothing.
    QString again = conv::DateText(QDate(2026, 12, 24));
    w_->SetDateFont("Custom", again);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(mduLib::GetValue("24/12", Personal(), "Format"), "Georgia,14,True,False,255,False,False");

    // A stored format the dialog cannot take ends the command before the dialog shows.
    mduLib::SetValue("25/12", "Arial,big,True,,,,", Personal(), "Format");
    QString broken = conv::DateText(QDate(2026, 12, 25));
    w_->SetDateFont("Custom", broken);
    EXPECT_EQ(shown, 2);

    // Under a selection frame each day's year table takes it.
    w_->shpHighlight.SetVisible(true);
    QString range = "31/12,01/01";
    w_->SetDateFont("Custom", range);
    EXPECT_EQ(shown, 3);
    EXPECT_EQ(mduLib::GetValue("31/12", w_->YearDates(), "Format"), "Georgia,14,True,False,255,False,False");
    EXPECT_EQ(mduLib::GetValue("01/01", w_->NextYearDates(), "Format"), "Georgia,14,True,False,255,False,False");
}

TEST_F(DayDates, AShortDefaultDateFormatStillOpensTheFontDialog)
{
    int shown = 0;
    platform::CommonDialog::SetRunner([&](platform::CommonDialog::Kind, platform::CommonDialog& d) {
        ++shown;
        EXPECT_EQ(d.FontName, "Times New Roman");
        return false;
    });
    mduLib::SetValue("Default Date Format", "Times New Roman,20", w_->Properties());
    QString day = conv::DateText(QDate(2026, 12, 2));
    w_->SetDateFont("Custom", day);
    EXPECT_EQ(shown, 1);
    platform::CommonDialog::SetRunner(nullptr);
}

// A date table that holds all the entries a file can takes no new caption, format, colour
// or picture: each is said, naming the file, and the month keeps the colour it has.
TEST_F(DayDates, ATableThatIsFullTakesNoNewEntryAndSaysSo)
{
    const QString day = conv::DateText(QDate(2026, 12, 24));
    const struct {
        const char* what;
        std::function<void()> write;
    } cases[] = {
        {"a caption", [&] { w_->SetDateItem(day, "Eve", "Caption"); }},
        {"a default format",
         [&] {
             QString d = conv::DateText(QDate(2026, 12, 23));
             w_->SetDateFont("Default", d);
         }},
        {"a month's colour", [&] { w_->ApplySetting(w_->GetMonthColourKey(), "Red", ""); }},
        {"a month's picture", [&] { w_->ApplySetting(w_->GetMonthImageKey(), "None", ""); }},
    };
    constexpr int kFull = mduLib::PropertyTable::kMaxUBound;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes_.Clear();
        gPersonalDates.Create(kFull);
        for (int n = 1; n <= kFull; ++n)
            gPersonalDates[n] = {"Filler", QString::number(n), "x"};
        const qint32 month = w_->lblMonth.ForeColor();
        EXPECT_NO_THROW(c.write());
        ASSERT_EQ(boxes_.Shown().size(), 1u);
        EXPECT_EQ(boxes_.Shown()[0].title, "Date File Full");
        EXPECT_TRUE(boxes_.Shown()[0].prompt.contains(gPersonalDatesFile));
        EXPECT_EQ(gPersonalDates.UBound(), kFull);
        EXPECT_EQ(gPersonalDates[kFull].Key, QString::number(kFull));
        EXPECT_EQ(w_->lblMonth.ForeColor(), month);
    }
}

TEST_F(DayDates, DefaultFontsAndTheirReset)
{
    mduLib::SetValue("25/12", ",,True,False,255,,", w_->YearDates(), "PFormat");
    mduLib::SetValue("24/12", "Georgia,14,True,True,65280,False,False", Personal(), "Format");
    mduLib::SetValue("24/12", "Georgia,14,True,True,65280,False,False", w_->YearDates(), "Format");
    w_->shpHighlight.SetVisible(true);
    QString range = "24/12,25/12";
    w_->SetDateFont("Default", range);
    const QString def = w_->DefaultDateFormat();
    EXPECT_EQ(mduLib::GetValue("24/12", w_->YearDates(), "Format"), def);
    EXPECT_EQ(mduLib::GetValue("25/12", w_->YearDates(), "Format"), def);
    const platform::Label& eve = w_->lblDate(CellOf(*w_, QDate(2026, 12, 24)));
    const platform::Label& christmas = w_->lblDate(CellOf(*w_, QDate(2026, 12, 25)));
    EXPECT_EQ(eve.Font().Name, "Arial");
    EXPECT_FALSE(eve.Font().Italic);
    EXPECT_EQ(christmas.ForeColor(), 255); // the holiday keeps its own fields
    EXPECT_TRUE(christmas.Font().Bold);

    mduLib::SetValue("01/01", "Georgia,14,True,True,65280,False,False", w_->NextYearDates(), "Format");
    mduLib::SetValue("01/06", "Georgia,14,True,True,65280,False,False", w_->PrevYearDates(), "Format");
    w_->ResetAllDateFonts();
    for (mduLib::PropertyTable* t : {&Personal(), &w_->PrevYearDates(), &w_->YearDates(), &w_->NextYearDates()})
        EXPECT_EQ(EntriesOf(*t, "Format"), QStringList{});
    EXPECT_EQ(mduLib::GetValue("25/12", w_->YearDates(), "PFormat"), ",,True,False,255,,");
}

TEST_F(DayDates, TodaysMessageLineTexts)
{
    const struct {
        QStringList year, personal;
        const char* expected;
    } cases[] = {
        {{"Caption:24/12=Eve~Merry Christmas"}, {}, "Merry Christmas  "},
        {{"Caption:24/12=Eve"}, {"Caption:24/12=Mine~Hello"}, "  Hello  "},
        {{"Caption:24/12=Eve~A"}, {"Caption:24/12=Mine~B"}, "A    B  "},
        {{"Caption:20/12-02/01=Winter~Cold days"}, {}, "Cold days  "},
        {{"Caption:23/12=Other~No"}, {"Caption:25/12=Other~No"}, ""},
    };
    for (const auto& c : cases) {
        w_->YearDates() = testsupport::TableOf(c.year);
        gPersonalDates = testsupport::TableOf(c.personal.isEmpty() ? QStringList{""} : c.personal);
        QString year = "2026";
        EXPECT_EQ(w_->GetSpecialDateMsg(year), c.expected) << c.expected;
    }
}
