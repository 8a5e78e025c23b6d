// The calendar's command dispatcher, its pictures and its style files, driven as the
// menus and the settings replay drive them.
#include "calendar/commands_state.h"
#include "core/app_identity.h"
#include "core/colour_names.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/desktop_settings.h"
#include "core/settings_store.h"
#include "support/scratch_program_folder.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "tests/support/test_calendar.h"
#include "ui/common_dialog.h"
#include "ui/menu_fillers.h"
#include "ui/twips.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace mduAlmanorvqueLib;
using platform::CommonDialog;
using testsupport::ReadBytes;
using testsupport::TestCalendar;
using testsupport::WriteBytes;

namespace {
QStringList Entries(const mduLib::PropertyTable& t)
{
    QStringList out;
    if (!t.IsCreated())
        return out;
    for (int i = 1; i <= t.UBound(); ++i)
        out << t[i].Section + ":" + t[i].Key + "=" + t[i].Value;
    return out;
}
} // namespace

struct CalendarCommands : public testsupport::CalendarFolderTest {
protected:
    void SetUp() override
    {
        CalendarFolderTest::SetUp();
        platform::ResetProgramEnded();
        platform::SetEndProgramHandler([] {});
        CommonDialog::SetRunner([this](CommonDialog::Kind kind, CommonDialog& d) {
            ++dialogs_;
            return answer_ ? answer_(kind, d) : false;
        });
    }
    void TearDown() override
    {
        CommonDialog::SetRunner(nullptr);
        platform::SetEndProgramHandler(nullptr);
        platform::ResetProgramEnded();
        CalendarFolderTest::TearDown();
    }
    // A window through its full load, running.
    std::unique_ptr<TestCalendar> Running(QDate start = QDate(2026, 3, 15))
    {
        auto w = std::make_unique<TestCalendar>();
        w->ShowMe(0, start);
        w->Timer1.Fire();
        EXPECT_EQ(w->FormState(), frmAlmanorvique::kRunning);
        return w;
    }
    // A small picture file in the images folder; "broken" ones only look like pictures.
    QString Picture(const QString& name, QColor colour = Qt::darkGreen)
    {
        const QString path = gImagesFolder + name;
        if (name.startsWith(QLatin1String("broken")))
            WriteBytes(path, "not a picture");
        else
            EXPECT_TRUE([&] {
                QImage img(40, 30, QImage::Format_RGB32);
                img.fill(colour);
                return img.save(path);
            }());
        return path;
    }
    QString Country(const QString& f = {}) const { return Path("tester/United Kingdom/" + f); }

    platform::FixedClock clock_{QDateTime(QDate(2026, 3, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
    int dialogs_ = 0;
    std::function<bool(CommonDialog::Kind, CommonDialog&)> answer_;
};

TEST_F(CalendarCommands, ShowCurrentPicturesTakesTheFirstDatePictureIntoItsOwnSlotOnly)
{
    const QString image = Picture("image.bmp"), page = Picture("page.bmp"), yearDay = Picture("yearday.bmp"),
                  personalDay = Picture("personalday.bmp"), month = Picture("month.jpg"), year = Picture("year.bmp"),
                  broken = Picture("broken.jpg"), missing = gImagesFolder + "missing.bmp";
    const struct Case {
        const char* what;
        QString yearToday, personalToday, month, year;
        const char* orientation;
        QString slot0, slot1;
    } cases[] = {
        {"settings only", "", "", "", "", "Portrait Top", image, page},
        {"today in the year table", yearDay, personalDay, month, year, "Portrait Top", yearDay, page},
        {"today in the personal dates", "", personalDay, month, year, "Portrait Top", personalDay, page},
        {"the month's picture keeps the page", "", "", month, year, "Portrait Top", month, page},
        {"the year's picture", "", "", "", year, "Landscape Left", year, page},
        {"a missing month picture is passed over", "", "", missing, year, "Portrait Top", year, page},
        {"an undecodable one too", "", "", broken, "", "Portrait Top", image, page},
        {"under Center the page slot takes it", "", "", month, "", "Center", image, month},
    };
    auto w = Running();
    for (const Case& c : cases) {
        for (int slot : {0, 1}) {
            w->imgCalendar(slot).SetPicture(platform::Picture());
            w->imgCalendar(slot).Tag.clear();
        }
        w->YearDates().Create(1);
        gPersonalDates.Create(1);
        auto put = [](const QString& key, const QString& v, mduLib::PropertyTable& t) {
            if (!v.isEmpty())
                mduLib::SetValue(key, v, t, "Image");
        };
        put("15/03", c.yearToday, w->YearDates());
        put("15/03", c.personalToday, gPersonalDates);
        put(w->GetMonthImageKey(), c.month, gPersonalDates);
        put(w->GetYearImageKey(), c.year, gPersonalDates);
        mduLib::SetProp("Orientation", c.orientation, w->Properties());
        mduLib::SetProp("Calendar Image Files", image, w->Properties());
        mduLib::SetProp("Calendar Background Files", page, w->Properties());
        w->ShowCurrentPictures();
        EXPECT_EQ(w->imgCalendar(0).Tag, c.slot0) << c.what;
        EXPECT_EQ(w->imgCalendar(1).Tag, c.slot1) << c.what;
        for (int slot : {0, 1})
            EXPECT_EQ(w->imgCalendar(slot).GetPicture().IsEmpty(), w->imgCalendar(slot).Tag.isEmpty()) << c.what;
    }
}

TEST_F(CalendarCommands, ASlotRecordsOnlyWhatItShows)
{
    auto w = Running();
    QString good = Picture("good.bmp"), broken = Picture("broken.gif"), none = "None", lower = "none";
    EXPECT_TRUE(w->LoadCalendarPicture(good, 0, true));
    const quint32 handle = w->imgCalendar(0).GetPicture().Handle();
    EXPECT_TRUE(w->LoadCalendarPicture(good, 0, true)); // the same file is not loaded again
    EXPECT_EQ(w->imgCalendar(0).GetPicture().Handle(), handle);

    EXPECT_FALSE(w->LoadCalendarPicture(broken, 0, false)); // undecodable: slot and Tag empty
    EXPECT_TRUE(w->imgCalendar(0).GetPicture().IsEmpty());
    EXPECT_EQ(w->imgCalendar(0).Tag, "");

    EXPECT_TRUE(w->LoadCalendarPicture(good, 0, true));
    EXPECT_FALSE(w->LoadCalendarPicture(none, 0, false)); // still shown, no longer recorded
    EXPECT_FALSE(w->imgCalendar(0).GetPicture().IsEmpty());
    EXPECT_FALSE(w->LoadCalendarPicture(lower, 0, false)); // a file name that does not exist
    EXPECT_TRUE(w->imgCalendar(0).GetPicture().IsEmpty());
}

namespace {
// A tiny GIF (one white pixel) and a BMP of a few bytes whose header claims 8000 x 8000
// pixels: more than the image reader decodes.
QByteArray OnePixelGif()
{
    static const unsigned char gif[] = {'G',  'I', 'F', '8', '9',  'a',  1, 0, 1, 0,    0x80, 0, 0,    0xff, 0xff,
                                        0xff, 0,   0,   0,   0x21, 0xf9, 4, 1, 0, 0,    0,    0, 0x2c, 0,    0,
                                        0,    0,   1,   0,   1,    0,    0, 2, 2, 0x44, 1,    0, 0x3b};
    return QByteArray(reinterpret_cast<const char*>(gif), sizeof gif);
}
QByteArray BmpClaiming8000By8000()
{
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    QImage(2, 2, QImage::Format_RGB888).save(&buffer, "BMP");
    const qint32 side = 8000;
    for (int offset : {18, 22}) // width and height in the info header
        std::memcpy(bmp.data() + offset, &side, sizeof side);
    return bmp;
}
} // namespace

TEST_F(CalendarCommands, APictureIsRecordedOnlyWhenItDecodesAndAFailureIsSaid)
{
    WriteBytes(gImagesFolder + "shown.gif", OnePixelGif());
    WriteBytes(gImagesFolder + "huge.bmp", BmpClaiming8000By8000());
    const struct {
        QString file;
        bool shown;
        const char* said; // in the message when it is not shown; nullptr: nothing said
    } cases[] = {
        {Picture("shown.bmp"), true, nullptr},
        {gImagesFolder + "shown.gif", true, nullptr},
        {Picture("shown.jpg"), true, nullptr},
        {Picture("shown.png"), false, nullptr}, // not a picture kind the calendar takes
        {gImagesFolder + "missing.jpg", false, nullptr},
        {Picture("broken.jpg"), false, "not a picture"},
        {gImagesFolder + "huge.bmp", false, "8000 x 8000 pixels"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        boxes_.Clear();
        auto w = Running();
        for (int slot : {0, 1, 2}) {
            QString file = c.file;
            boxes_.Clear();
            EXPECT_EQ(w->LoadCalendarPicture(file, slot, true), c.shown);
            EXPECT_EQ(w->imgCalendar(slot).Tag, c.shown ? c.file : QString());
            EXPECT_EQ(w->imgCalendar(slot).GetPicture().IsEmpty(), !c.shown);
            // Said once in a run, not at each load of the file.
            ASSERT_EQ(boxes_.Shown().size(), c.said && slot == 0 ? 1u : 0u);
            if (!boxes_.Shown().empty()) {
                EXPECT_TRUE(boxes_.Shown()[0].prompt.contains(c.file));
                EXPECT_TRUE(boxes_.Shown()[0].prompt.contains(c.said)) << boxes_.Shown()[0].prompt.toStdString();
            }
        }
        EXPECT_EQ(platform::Picture::FromFile(c.file).IsEmpty(), !c.shown && !c.file.endsWith(".png"));
    }
}

TEST_F(CalendarCommands, EachCommandStoresAndAppliesWhatItsRowSays)
{
    using W = TestCalendar;
    const QString pic = Picture("chosen.bmp");
    auto prop = [](W& w, const char* key) { return mduLib::GetValue(key, w.Properties()); };
    auto show = [](W& w, QDate d) {
        w.lblMonth.Tag = conv::DateText(d);
        w.MoveMonth(0);
    };
    const struct Case {
        const char* name;
        QString value, context;
        std::function<void(W&)> before, check;
    } cases[] = {
        {"Window States", "Maximized", "", nullptr,
         [&](W& w) {
             EXPECT_EQ(prop(w, "Window States"), "Maximized,Normal,Minimized,Maximized");
             EXPECT_EQ(w.WindowState(), platform::vbMaximized);
             EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
             w.ApplySetting("Window States", "Normal", "");
             EXPECT_EQ(w.WindowState(), platform::vbNormal);
         }},
        {"window states", "Maximized", "", nullptr,
         [&](W& w) {
             EXPECT_EQ(prop(w, "Window States"), "Normal,Normal,Minimized,Maximized");
             EXPECT_EQ(w.WindowState(), platform::vbNormal);
         }},
        {"Orientation", "Center", "", nullptr,
         [&](W& w) {
             EXPECT_EQ(prop(w, "Orientation"), "Center,Portrait Top,Portrait Bottom,Landscape Left,"
                                               "Landscape Right,Center");
         }},
        {"March Colour", "Default", "",
         [&](W& w) {
             mduLib::SetValue("March Colour", "Red", gPersonalDates);
             mduLib::SetProp("Month Colour", "Blue", w.Properties());
         },
         [&](W& w) {
             EXPECT_EQ(mduLib::GetValue("March Colour", gPersonalDates), "");
             EXPECT_EQ(w.lblMonth.ForeColor(), mduUILib::ColourFromName(QString("Blue")));
         }},
        {"Month", "3", "", [&](W& w) { show(w, QDate(2024, 12, 10)); },
         [&](W& w) { EXPECT_EQ(w.DisplayedDate(), QDate(2024, 3, 10)); }},
        {"Year", "Current Year", "", [&](W& w) { show(w, QDate(2031, 7, 1)); },
         [&](W& w) { EXPECT_EQ(w.DisplayedDate(), QDate(2026, 7, 1)); }},
        {"Go to Today", "", "", [&](W& w) { show(w, QDate(2024, 1, 1)); },
         [&](W& w) { EXPECT_EQ(w.DisplayedDate(), QDate(2026, 3, 15)); }},
        {"Clock Auto Position", "Yes", "", nullptr,
         [&](W& w) {
             EXPECT_EQ(mduLib::GetProp("Clock Left", w.Properties()), "-1");
             EXPECT_EQ(mduLib::GetProp("Clock Top", w.Properties()), "-1");
         }},
        {"Calendar Image Files", pic, "", nullptr,
         [&](W& w) {
             EXPECT_EQ(prop(w, "Calendar Image Files"), pic);
             EXPECT_EQ(w.imgCalendar(0).Tag, pic);
         }},
        {"Calendar Background Files", "None", "", nullptr,
         [&](W& w) {
             EXPECT_EQ(prop(w, "Calendar Background Files"), "None");
             EXPECT_TRUE(w.imgCalendar(1).GetPicture().IsEmpty());
         }},
        {"Window Background Files", pic, "", nullptr, [&](W& w) { EXPECT_EQ(w.imgCalendar(2).Tag, pic); }},
        {"Window Background Colours", "Blue", "", nullptr,
         [&](W& w) {
             EXPECT_EQ(w.BackColor(), mduUILib::ColourFromName(QString("Blue")));
             EXPECT_TRUE(prop(w, "Window Background Colours").startsWith("Blue,Black"));
             for (int i = 0; i <= 2; ++i)
                 EXPECT_TRUE(w.imgCalendar(i).Visible());
         }},
        {"Window Background Colours", "Transparent", "",
         [&](W& w) { mduLib::SetProp("Window Title Bar", "No", w.Properties()); },
         [&](W& w) {
             EXPECT_EQ(w.BackColor(), 0xFFFFFF);
             const platform::Image& handle = w.imgCalendar(2);
             EXPECT_TRUE(handle.Visible());
             EXPECT_FALSE(handle.GetPicture().IsEmpty());
             EXPECT_FLOAT_EQ(handle.Width(), std::min(w.Width() / 20, 300.0f));
             EXPECT_FLOAT_EQ(handle.Left(), w.Width() - 2 * handle.Width());
             EXPECT_FALSE(w.imgCalendar(0).Visible());
             EXPECT_FALSE(w.imgCalendar(1).Visible());
         }},
        {"Set Date Image", pic, conv::DateText(QDate(2026, 3, 15)), nullptr,
         [&](W& w) {
             EXPECT_EQ(mduLib::GetValue("15/03", gPersonalDates, "Image"), pic);
             EXPECT_EQ(w.imgCalendar(0).Tag, pic);
         }},
        {"Reset Calendar Position", "Auto Size", "",
         [&](W& w) {
             for (const char* k : {"Calendar Top", "Calendar Left", "Calendar Width", "Calendar Height"})
                 mduLib::SetValue(k, "500", w.Properties());
         },
         [&](W& w) {
             EXPECT_EQ(prop(w, "Calendar Top"), "500");
             EXPECT_EQ(prop(w, "Calendar Left"), "500");
             EXPECT_EQ(prop(w, "Calendar Width"), "-1");
             EXPECT_EQ(prop(w, "Calendar Height"), "-1");
         }},
        {"Auto Calendar Image Position", "Auto Position and Size", "",
         [&](W& w) { mduLib::SetValue("Calendar Image Width", "900", w.Properties()); },
         [&](W& w) { EXPECT_EQ(prop(w, "Calendar Image Width"), "-1"); }},
        {"Hide Clock", "", "", nullptr,
         [&](W& w) {
             EXPECT_EQ(prop(w, "Show Clock"), "No,Yes,No");
             EXPECT_FALSE(w.lblClock.Visible());
         }},
        {"Enable", "No", "", nullptr, [&](W& w) { EXPECT_FALSE(w.isEnabled()); }},
        {"Use This Font As Default", "Arial,12,True,False,255,False,False", "", nullptr,
         [&](W& w) { EXPECT_EQ(prop(w, "Default Date Format"), "Arial,12,True,False,255,False,False"); }},
        {"Sat Column Colour", "Red", "", nullptr,
         [&](W& w) {
             EXPECT_EQ(prop(w, "Sat Column Colour"), "Red");
             int saturdays = 0;
             for (int i = 8; i <= 49; ++i) {
                 const auto d = conv::DateFromText(w.lblDate(i).Tag);
                 if (d && d->dayOfWeek() == Qt::Saturday) {
                     ++saturdays;
                     EXPECT_EQ(w.lblDate(i).ForeColor(), 255) << w.lblDate(i).Tag.toStdString();
                 }
             }
             EXPECT_GE(saturdays, 5);
         }},
        {"Set Activity", "x", "", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " = " + c.value.toStdString());
        auto w = Running();
        if (c.before)
            c.before(*w);
        const QStringList before = Entries(w->Properties());
        w->ApplySetting(c.name, c.value, c.context);
        if (c.check)
            c.check(*w);
        else
            EXPECT_EQ(Entries(w->Properties()), before);
        EXPECT_EQ(dialogs_, 0);
        EXPECT_TRUE(boxes_.Shown().empty());
    }
}

TEST_F(CalendarCommands, MaximizedPutsTheWindowOnTopAndNoOtherStateTakesItAway)
{
    // "restore" is the desktop giving a minimised window back, not a menu choice.
    const struct Case {
        std::vector<const char*> steps;
        std::vector<bool> onTop; // after each step
    } cases[] = {
        {{"Maximized", "Normal"}, {true, true}},
        {{"Maximized", "Minimized", "restore"}, {true, true, true}},
        {{"Maximized", "Minimized", "Normal", "Maximized", "Normal"}, {true, true, true, true, true}},
        {{"Normal", "Minimized", "restore", "Normal"}, {false, false, false, false}},
        {{"Minimized", "Maximized", "Minimized", "Normal"}, {false, true, true, true}},
        {{"maximized", "Maximized "}, {false, false}}, // only the exact name
    };
    for (const Case& c : cases) {
        auto w = Running();
        std::string seen;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const QString step = QString::fromLatin1(c.steps[i]);
            if (step == "restore")
                w->showNormal();
            else
                w->ApplySetting("Window States", step, "");
            QCoreApplication::processEvents();
            seen += std::string(i ? " " : "") + c.steps[i];
            EXPECT_EQ(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.onTop[i]) << seen;
        }
    }
}

TEST_F(CalendarCommands, EveryBackgroundDrawsTodaysCellAsAFreshStartWithItDoes)
{
    // Today's cell as the user sees it: its pixels, and where the window is see-through.
    auto todaysCell = [](TestCalendar& w) {
        QCoreApplication::processEvents(); // the see-through mask follows the drawing
        const platform::Label* framed = nullptr;
        for (int i = 8; i <= w.lblDate.UBound(); ++i)
            if (w.lblDate.Exists(i) && w.lblDate(i).BorderStyle() == 1)
                framed = &w.lblDate(i);
        if (!framed)
            return QImage();
        const QRect r(platform::TwipsToPixelsX(framed->Left()), platform::TwipsToPixelsY(framed->Top()),
                      platform::TwipsToPixelsX(framed->Width()), platform::TwipsToPixelsY(framed->Height()));
        QImage seen = w.grab(r).toImage().convertToFormat(QImage::Format_ARGB32);
        const QRegion shown = w.mask().isEmpty() ? QRegion(w.rect()) : w.mask();
        for (int y = 0; y < seen.height(); ++y)
            for (int x = 0; x < seen.width(); ++x)
                if (!shown.contains(r.topLeft() + QPoint(x, y)))
                    seen.setPixel(x, y, 0); // the desktop shows through
        return seen;
    };
    const struct Case {
        std::vector<const char*> choices; // the last one is the fresh start's setting
        const char* titleBar;
    } cases[] = {
        {{"Transparent", "White"}, "Yes"}, {{"Transparent", "Blue"}, "Yes"},
        {{"White", "Transparent"}, "Yes"}, {{"Transparent", "White", "Transparent"}, "Yes"},
        {{"Transparent", "White"}, "No"},  {{"White", "Transparent"}, "No"},
    };
    for (const Case& c : cases) {
        std::string what = std::string("title bar ") + c.titleBar + ":";
        for (const char* choice : c.choices)
            what += std::string(" ") + choice;
        auto fresh = std::make_unique<TestCalendar>();
        fresh->ShowMe(0, QDate(2026, 3, 15));
        mduLib::SetProp("Window Title Bar", c.titleBar, fresh->Properties());
        mduLib::SetProp("Window Background Colours", c.choices.back(), fresh->Properties());
        fresh->Timer1.Fire();
        const QImage expected = todaysCell(*fresh);
        fresh.reset();

        auto w = Running();
        w->ApplySetting("Window Title Bar", c.titleBar, "");
        for (const char* choice : c.choices)
            w->ApplySetting("Window Background Colours", choice, "");
        const QImage seen = todaysCell(*w);
        ASSERT_FALSE(seen.isNull()) << what;
        EXPECT_EQ(seen, expected) << what;
    }
}

TEST_F(CalendarCommands, CancellingAChooserOrTheColourDialogChangesNothing)
{
    const QString image = Picture("image.bmp"), page = Picture("page.bmp"), backdrop = Picture("backdrop.bmp");
    const struct {
        const char* name;
        const char* value;
    } cases[] = {
        {"Calendar Image Files", "More _"},
        {"Calendar Background Files", "More _"},
        {"Window Background Files", "More _"},
        {"Set Date Image", "More _"},
        {"Window Styles", "More_"},
        {"Window Background Colours", "Custom"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs_ = 0;
        auto w = Running();
        mduLib::SetProp("Calendar Image Files", image, w->Properties());
        mduLib::SetProp("Calendar Background Files", page, w->Properties());
        w->ApplySetting("Window Background Files", backdrop, "");
        w->ShowCurrentPictures();
        const QStringList settings = Entries(w->Properties()), dates = Entries(gPersonalDates);
        const qint32 colour = w->BackColor();
        w->ApplySetting(c.name, c.value, conv::DateText(QDate(2026, 3, 15)));
        EXPECT_EQ(dialogs_, 1);
        EXPECT_EQ(Entries(w->Properties()), settings);
        EXPECT_EQ(Entries(gPersonalDates), dates);
        EXPECT_EQ(w->BackColor(), colour);
        EXPECT_EQ(w->imgCalendar(0).Tag, image);
        EXPECT_EQ(w->imgCalendar(1).Tag, page);
        EXPECT_EQ(w->imgCalendar(2).Tag, backdrop);
        EXPECT_EQ(w->FormState(), frmAlmanorvique::kRunning);
    }
}

TEST_F(CalendarCommands, AReplayOpensNoChooserAndNoDialog)
{
    auto w = Running();
    mduLib::SetProp("Window Background Colours", "Custom", w->Properties());
    mduLib::SetProp("Calendar Image Files", "More _", w->Properties());
    mduLib::SetValue("Window Styles", Path("Styles/Some.ini"), w->Properties());
    mduLib::SetValue("Set Date Caption", "Custom", w->Properties());
    mduLib::SetValue("Set Date Message", "x", w->Properties());
    mduLib::SetValue("Date Manager", "", w->Properties());
    w->SetBackColor(0x123456);
    w->ApplyAllSettings();
    EXPECT_EQ(dialogs_, 0);
    EXPECT_TRUE(boxes_.Shown().empty());
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kRunning); // no style reload
    // "Custom" keeps the colour the window has, as its number.
    EXPECT_EQ(mduLib::GetProp("Window Background Colours", w->Properties()), QString::number(0x123456));
    EXPECT_FALSE(w->CommandsArea().Replaying);
}

TEST_F(CalendarCommands, AChosenCustomColourIsStoredAsItsNumber)
{
    auto w = Running();
    answer_ = [](CommonDialog::Kind kind, CommonDialog& d) {
        EXPECT_EQ(kind, CommonDialog::Kind::Color);
        d.Color = 0x00AA00;
        return true;
    };
    w->ApplySetting("Window Background Colours", "Custom", "");
    EXPECT_EQ(w->BackColor(), 0x00AA00);
    EXPECT_TRUE(mduLib::GetValue("Window Background Colours", w->Properties()).startsWith("43520,Black"));
}

TEST_F(CalendarCommands, DateManagerWritesTheDateFilesButNotTheSettings)
{
    auto w = Running();
    const QByteArray settings = ReadBytes(Country("Almanorvique.ini"));
    mduLib::SetProp("Orientation", "Center", w->Properties());
    mduLib::SetValue("01/04", "Fool", gPersonalDates, "Caption");
    w->ApplySetting("Date Manager", "", "");
    EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")), settings);
    EXPECT_TRUE(ReadBytes(Path("tester/PersonalDates")).contains("Caption:01/04=Fool"));
    EXPECT_EQ(mduLib::GetProp("Orientation", w->Properties()), "Center");
}

TEST_F(CalendarCommands, AStyleSetsItsOwnKeysInAnyOrderAndKeepsTheRest)
{
    const QStringList styleKeys = {"Orientation",   "Calendar Image Files", "Window Width", "Month Colour",
                                   "Clock Format",  "Week Start Day",       "Show Clock",   "Heading Colour",
                                   "Window Styles", "Calendar Font Size"};
    for (const char* name : {"Desk.ini", "Loud.ini.old"}) {
        for (bool reversed : {false, true}) {
            SCOPED_TRACE(std::string(name) + (reversed ? " reversed" : ""));
            auto w = Running();
            ASSERT_GE(w->Properties().UBound(), 40);
            const QStringList before = Entries(w->Properties());
            QStringList keys = styleKeys;
            if (reversed)
                std::reverse(keys.begin(), keys.end());
            QByteArray style;
            for (const QString& k : keys)
                style += (k + "=" + (k == "Window Width" ? "7000" : "style " + k + ",a,b") + "\r\n").toLatin1();
            WriteBytes(Path(QString("Styles/") + name), style);

            w->ApplySetting("Window Styles", Path(QString("Styles/") + name), "");
            EXPECT_EQ(w->FormState(), frmAlmanorvique::kFullLoad);
            EXPECT_EQ(w->Timer1.Interval(), 1);
            const QStringList after = Entries(w->Properties());
            ASSERT_EQ(after.size(), before.size());
            int changed = 0;
            for (int i = 0; i < before.size(); ++i) {
                const QString key = before[i].section('=', 0, 0).mid(1);
                if (styleKeys.contains(key)) {
                    ++changed;
                    EXPECT_EQ(after[i], ":" + key + "=" + (key == "Window Width" ? "7000" : "style " + key + ",a,b"));
                } else {
                    EXPECT_EQ(after[i], before[i]);
                }
            }
            EXPECT_EQ(changed, 10);
            EXPECT_FLOAT_EQ(w->Width(), 7000);
            w->Timer1.Fire(); // the full reload
            EXPECT_EQ(w->FormState(), frmAlmanorvique::kRunning);
        }
    }
}

TEST_F(CalendarCommands, OnlyAPathHoldingALowerCaseIniLoadsAStyle)
{
    const struct {
        const char* file;
        bool loads;
    } cases[] = {
        {"Desk.ini", true}, {"Desk.INI", false}, {"Desk.Ini", false}, {"Desk.ini.bak", true}, {"Desk", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        auto w = Running();
        const QString path = Path(QString("Styles/") + c.file);
        WriteBytes(path, "Orientation=Center,Portrait Top,Center\r\nWindow Styles=Desk\r\n");
        w->ApplySetting("Window Styles", path, "");
        EXPECT_EQ(mduLib::GetProp("Orientation", w->Properties()) == "Center", c.loads);
        EXPECT_EQ(w->FormState(), c.loads ? frmAlmanorvique::kFullLoad : frmAlmanorvique::kRunning);
        QFile::remove(path);
    }
    // Four characters are too few for a style's path.
    auto w = Running();
    const QString before = QDir::currentPath();
    QDir::setCurrent(gStylesFolder);
    WriteBytes(gStylesFolder + ".ini", "Orientation=Center\r\n");
    w->ApplySetting("Window Styles", ".ini", "");
    EXPECT_NE(mduLib::GetProp("Orientation", w->Properties()), "Center");
    QDir::setCurrent(before);
}

TEST_F(CalendarCommands, SaveStyleAsNamesTheFileAndTheStyle)
{
    const struct {
        const char* typed;
        const char* written; // nullptr: refused
        const char* style;
    } cases[] = {
        {"My Look", "My Look.ini", "My Look"},
        {".ini", "unknown.ini", "unknown"},
        {"Desk.INI", "Desk.INI", "Desk"},
        {"*.ini", nullptr, nullptr},
        {"a?b", nullptr, nullptr},
        {"missing/x.ini", nullptr, nullptr}, // a folder that is not there: not written, said so
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        boxes_.Clear();
        auto w = Running();
        const QString typed = Path(QString("Styles/") + c.typed);
        answer_ = [&](CommonDialog::Kind kind, CommonDialog& d) {
            EXPECT_EQ(kind, CommonDialog::Kind::Save);
            EXPECT_EQ(d.InitDir, gStylesFolder);
            d.FileName = typed;
            return true;
        };
        w->SaveStyleAs_Click();
        if (c.written) {
            const QString file = Path(QString("Styles/") + c.written);
            ASSERT_TRUE(QFileInfo::exists(file));
            mduLib::PropertyTable saved(1);
            mduLib::LoadIniFile(file, saved);
            EXPECT_EQ(mduLib::GetValue("Window Styles", saved), c.style);
            EXPECT_EQ(mduLib::GetValue("Orientation", saved), mduLib::GetValue("Orientation", w->Properties()));
            EXPECT_TRUE(boxes_.Shown().empty());
            EXPECT_EQ(mduLib::GetProp("Window Styles", w->Properties()), c.style);
            QFile::remove(file);
        } else {
            EXPECT_EQ(boxes_.Shown().size(), 1u);
            EXPECT_EQ(mduLib::GetProp("Window Styles", w->Properties()), "Default");
        }
    }
    // Cancelled: nothing written, nothing said.
    boxes_.Clear();
    answer_ = nullptr;
    auto w = Running();
    w->SaveStyleAs_Click();
    EXPECT_TRUE(QDir(gStylesFolder).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(boxes_.Shown().empty());
}

// A style file the store cannot read whole (a style loaded from it holds only its first
// 32,767 lines) is not replaced by "Save Style As"; the user is told why, and another
// name still saves.
TEST_F(CalendarCommands, SaveStyleAsLeavesAStyleItCannotReadWhole)
{
    QByteArray big = "Window Styles=Big\r\n";
    for (int i = 0; i < mduLib::PropertyTable::kMaxUBound + 10; ++i)
        big += "My Key " + QByteArray::number(i) + "=v\r\n";
    WriteBytes(Path("Styles/Big.ini"), big);
    auto w = Running();
    QString typed = Path("Styles/Big.ini");
    answer_ = [&](CommonDialog::Kind, CommonDialog& d) {
        d.FileName = typed;
        return true;
    };
    w->SaveStyleAs_Click();
    EXPECT_EQ(ReadBytes(Path("Styles/Big.ini")), big);
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_EQ(boxes_.Shown()[0].title, "Save Style As");
    EXPECT_TRUE(boxes_.Shown()[0].prompt.contains("too long to read whole"));
    EXPECT_EQ(mduLib::GetProp("Window Styles", w->Properties()), "Default");
    typed = Path("Styles/Other.ini");
    w->SaveStyleAs_Click();
    EXPECT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_EQ(mduLib::GetProp("Window Styles", w->Properties()), "Other");
}

TEST_F(CalendarCommands, SaveCurrentPropertiesWritesTheTableWithItsOptions)
{
    auto w = Running();
    w->ApplySetting("Clock Colour", "Red", "");
    w->SavePropertiesMenu_Click();
    EXPECT_TRUE(ReadBytes(Country("Almanorvique.ini")).contains("\r\nClock Colour=Red,Black,Blue,"));
}

TEST_F(CalendarCommands, TheFirstStartNamesTheShippedPicturesAndAMergeKeepsTheUsers)
{
    const QString march = Picture("March.jpg"), paper = Picture("Paper.jpg"), backdrop = Picture("Backdrop.jpg");
    {
        auto w = Running();
        EXPECT_EQ(mduLib::GetProp("Calendar Image Files", w->Properties()), march);
        EXPECT_EQ(mduLib::GetProp("Calendar Background Files", w->Properties()), paper);
        EXPECT_EQ(mduLib::GetProp("Window Background Files", w->Properties()), backdrop);
        EXPECT_EQ(w->imgCalendar(0).Tag, march);
        EXPECT_EQ(w->imgCalendar(1).Tag, paper);
        EXPECT_EQ(w->imgCalendar(2).Tag, backdrop);
        EXPECT_EQ(mduLib::GetValue("March Image", gPersonalDates, "Image"), "");
        EXPECT_FALSE(ReadBytes(Path("ini/Almanorvique.ini")).contains("March.jpg")); // the template keeps "None"
        w->Unload();
    }
    // The user's own choice survives a newer template.
    const QString mine = Picture("mine.bmp");
    mduLib::PropertyTable user(1);
    mduLib::LoadIniFile(Country("Almanorvique.ini"), user);
    mduLib::SetProp("Calendar Image Files", mine, user);
    mduLib::SaveIniFile(user, Country("Almanorvique.ini"));
    WriteBytes(Path("ini/Almanorvique.ini"), ReadBytes(Path("ini/Almanorvique.ini")) + "New Key=1\r\n");
    testsupport::SetFileAge(Country("Almanorvique.ini"), -3600);
    testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -60);
    auto w = Running();
    EXPECT_EQ(mduLib::GetProp("Calendar Image Files", w->Properties()), mine);
    EXPECT_EQ(mduLib::GetProp("Calendar Background Files", w->Properties()), paper);
    EXPECT_EQ(mduLib::GetProp("New Key", w->Properties()), "1");
    EXPECT_EQ(w->imgCalendar(0).Tag, mine);
}

TEST_F(CalendarCommands, AddFileCopiesAPictureIntoTheImagesFolderOnce)
{
    auto w = Running();
    const QString source = Path("elsewhere");
    QDir().mkpath(source);
    QImage(8, 8, QImage::Format_RGB32).save(source + "/new.bmp");
    WriteBytes(source + "/notes.txt", "x");
    w->AddFile(source, "notes.txt");
    EXPECT_FALSE(QFileInfo::exists(gImagesFolder + "notes.txt"));
    w->AddFile(source, "new.bmp");
    ASSERT_TRUE(QFileInfo::exists(gImagesFolder + "new.bmp"));
    ASSERT_EQ(w->MainImage.Count(), 1);
    EXPECT_EQ(w->MainImage(1).Tag, gImagesFolder + "new.bmp");
    w->AddFile(source, "new.bmp"); // already there: said so, not listed again
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_EQ(boxes_.Shown()[0].title, "Add File");
    EXPECT_EQ(w->MainImage.Count(), 1);
}

TEST_F(CalendarCommands, TheFixedCommandsReachTheDesktopSettings)
{
    auto w = Running();
    EXPECT_EQ(w->GetScreenSaverCommand(), appinfo::ProgramFolder() + "/" + appinfo::ExeName() + " ");
    mduUILib::FillScreenSaverTimeMenu(w->ScreenSaverTime, w->GetScreenSaverCommand());
    w->ScreenSaverTime_Click(2); // "50"
    EXPECT_EQ(mduAPILib::GetScreenSaver(), w->GetScreenSaverCommand());
    mduUILib::FillScreenSaverTimeMenu(w->ScreenSaverTime, w->GetScreenSaverCommand());
    ASSERT_EQ(w->ScreenSaverTime(1).Caption(), "Disabled");
    w->ScreenSaverTime_Click(1);
    EXPECT_EQ(mduAPILib::GetScreenSaver(), "");

    w->CommandsArea().AutoStartTag = "0";
    w->AutoStart_Click();
    EXPECT_TRUE(mduAPILib::IsAutoStartSet());
    w->CommandsArea().AutoStartTag = "1";
    w->AutoStart_Click();
    EXPECT_FALSE(mduAPILib::IsAutoStartSet());

    mduLib::SetProp("Orientation", "Center", w->Properties());
    w->PropertiesMenu_Click();
    EXPECT_EQ(Entries(gPropertyTable), Entries(w->Properties()));
}

TEST(ShippedStyles, EachNamesItselfAndPicturesThatExist)
{
    const QDir styles(QStringLiteral(ALMANORVIQUE_PROGRAM_DIR "/Styles"));
    const QStringList files = styles.entryList({"*.ini"}, QDir::Files);
    EXPECT_GE(files.size(), 3);
    for (const QString& f : files) {
        SCOPED_TRACE(f.toStdString());
        mduLib::PropertyTable t(1);
        ASSERT_TRUE(mduLib::LoadIniFile(styles.filePath(f), t));
        EXPECT_EQ(mduLib::GetProp("Window Styles", t), QFileInfo(f).completeBaseName());
        for (const char* key : {"Calendar Image Files", "Calendar Background Files", "Window Background Files"}) {
            // Named relative to the program folder, where they exist.
            const QString v = mduLib::GetProp(key, t);
            if (v != "None") {
                EXPECT_FALSE(QDir::isAbsolutePath(v)) << key << " " << v.toStdString();
                EXPECT_TRUE(QFileInfo::exists(styles.filePath("../" + v))) << key << " " << v.toStdString();
            }
        }
        // Every option value keeps the choices its menu offers.
        for (const char* key : {"Window States", "Window Background Colours", "Orientation", "Window Border"})
            EXPECT_TRUE(mduLib::GetPropOptions(key, t).contains(',')) << key;
    }
}

// The shipped styles name their pictures in the program folder they lie in: in a copy of
// that folder, while the first one is still there, a style shows the copy's pictures, the
// picture menus check them, and "Save Style As" names them in the copy the same way.
TEST_F(CalendarCommands, AStyleInACopiedProgramFolderShowsAndChecksTheCopysPictures)
{
    CopyShippedData({"Images", "Styles"});
    const QString first = ProgramFolder();
    testsupport::UseScratchProgramFolder(dir_.path() + "/copy");
    const QString copy = appinfo::ProgramFolder();
    QDirIterator it(first, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        const QString target = copy + "/" + QDir(first).relativeFilePath(f);
        QDir().mkpath(QFileInfo(target).absolutePath());
        ASSERT_TRUE(QFile::copy(f, target));
    }
    SetupDataFolders();
    ASSERT_EQ(gImagesFolder, copy + "/Images/");

    // The picture items a menu checks, by Tag.
    auto checked = [](const platform::MenuItemArray& menu) {
        QStringList tags;
        for (int i = 1; i <= menu.Count(); ++i)
            if (menu(i).Visible() && menu(i).Checked())
                tags << menu(i).Tag;
        return tags;
    };
    const QStringList styles = QDir(copy + "/Styles").entryList({"*.ini"}, QDir::Files);
    ASSERT_GE(styles.size(), 3);
    int checks = 0;
    auto w = Running();
    for (const QString& f : styles) {
        SCOPED_TRACE(f.toStdString());
        w->ApplySetting("Window Styles", copy + "/Styles/" + f, "");
        w->Timer1.Fire();
        const struct {
            int surface, slot;
            const char* key; // the entry of the window menu too
        } pictures[] = {
            {0, 0, "Calendar Image Files"},
            {1, 1, "Calendar Background Files"},
            {0, 2, "Window Background Files"},
        };
        for (const auto& p : pictures) {
            SCOPED_TRACE(p.key);
            const QString v = mduLib::GetProp(p.key, w->Properties());
            ASSERT_FALSE(QDir::isAbsolutePath(v)) << v.toStdString(); // the style as shipped
            const QString shown = v == "None" ? QString() : copy + "/" + v;
            if (p.slot != 2 || !w->IsTransparentWindow()) {
                EXPECT_EQ(w->imgCalendar(p.slot).Tag, shown);
                EXPECT_EQ(w->imgCalendar(p.slot).GetPicture().IsEmpty(), shown.isEmpty());
            }
            platform::ScriptedMenus menus;
            w->imgCalendar_MouseUp(p.surface, 2, 0, 10, 10);
            ASSERT_EQ(menus.Offered().size(), 1u);
            const platform::MenuItemArray& menu = testsupport::SettingSubmenu(*w, p.key);
            bool offered = false;
            for (int i = 1; i <= menu.Count(); ++i)
                offered = offered || (menu(i).Visible() && menu(i).Tag == (v == "None" ? v : shown));
            EXPECT_EQ(checked(menu), offered ? QStringList{v == "None" ? v : shown} : QStringList());
            checks += offered && v != "None" ? 1 : 0;
        }
    }
    EXPECT_GE(checks, 3);

    // Saved as a style: a picture of the copy by its place in it, any other by full path.
    const QString outside = first + "/Images/Paper.jpg";
    w->ApplySetting("Calendar Image Files", gImagesFolder + "May.jpg", "");
    w->ApplySetting("Calendar Background Files", outside, "");
    answer_ = [&](CommonDialog::Kind, CommonDialog& d) {
        d.FileName = copy + "/Styles/Mine.ini";
        return true;
    };
    w->SaveStyleAs_Click();
    const QByteArray saved = ReadBytes(copy + "/Styles/Mine.ini");
    EXPECT_TRUE(saved.contains("\r\nCalendar Image Files=Images/May.jpg\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("\r\nCalendar Background Files=" + outside.toUtf8() + "\r\n"));
    EXPECT_EQ(w->imgCalendar(0).Tag, gImagesFolder + "May.jpg");
    EXPECT_EQ(w->imgCalendar(1).Tag, outside);
}

// A program folder copied elsewhere while the one its first start (and an older build's
// styles) named by full path is gone: each style and the first start's settings still
// show their pictures.
TEST_F(CalendarCommands, AMovedProgramFolderShowsTheShippedPicturesFromWhereItRuns)
{
    CopyShippedData({"Images"});
    const QString gone = dir_.path() + "/gone/Images/";
    const QDir shipped(QStringLiteral(ALMANORVIQUE_PROGRAM_DIR "/Styles"));
    const QStringList styles = shipped.entryList({"*.ini"}, QDir::Files);
    ASSERT_GE(styles.size(), 3);
    for (const QString& f : styles) {
        // The style as an older build wrote it, naming the removed folder's pictures.
        QByteArray bytes = ReadBytes(shipped.filePath(f));
        bytes.replace("=Images/", "=" + gone.toUtf8());
        ASSERT_TRUE(bytes.contains(gone.toUtf8()));
        WriteBytes(Path("Styles/" + f), bytes);
    }
    // The first start's settings file, written in the removed folder.
    {
        auto w = Running();
        w->Unload();
    }
    QByteArray settings = ReadBytes(Country("Almanorvique.ini"));
    ASSERT_TRUE(settings.contains(gImagesFolder.toUtf8() + "March.jpg"));
    settings.replace(gImagesFolder.toUtf8(), gone.toUtf8());
    WriteBytes(Country("Almanorvique.ini"), settings);

    auto w = Running();
    EXPECT_EQ(mduLib::GetProp("Calendar Image Files", w->Properties()), gone + "March.jpg"); // stored as it was
    EXPECT_EQ(w->imgCalendar(0).Tag, gImagesFolder + "March.jpg");
    EXPECT_EQ(w->imgCalendar(1).Tag, gImagesFolder + "Paper.jpg");
    EXPECT_EQ(w->imgCalendar(2).Tag, gImagesFolder + "Backdrop.jpg");
    EXPECT_FALSE(w->imgCalendar(0).GetPicture().IsEmpty());
    for (const QString& f : styles) {
        SCOPED_TRACE(f.toStdString());
        w->ApplySetting("Window Styles", Path("Styles/" + f), "");
        w->Timer1.Fire();
        for (int slot : {0, 1}) {
            const QString v =
                mduLib::GetProp(slot == 0 ? "Calendar Image Files" : "Calendar Background Files", w->Properties());
            if (v == "None")
                continue;
            EXPECT_EQ(w->imgCalendar(slot).Tag, gImagesFolder + QFileInfo(v).fileName()) << slot;
            EXPECT_FALSE(w->imgCalendar(slot).GetPicture().IsEmpty()) << slot;
        }
    }
    // A user's own picture that exists is shown from where it is, even when the images
    // folder holds one of its name.
    QDir().mkpath(Path("mine"));
    const QString own = Path("mine/Paper.jpg");
    QImage(8, 8, QImage::Format_RGB32).save(own);
    w->ApplySetting("Calendar Background Files", own, "");
    EXPECT_EQ(w->imgCalendar(1).Tag, own);
}
