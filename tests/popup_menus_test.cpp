// The calendar's popup menus on a real window: what the window menu and the item menus
// offer and check, and that a choice reaches the dispatcher and the tables.
#include "core/app_identity.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/desktop_settings.h"
#include "core/settings_store.h"
#include "core/year_dates.h"
#include "editors/dialogs/date_setup_dialog.h"
#include "support/running_calendar.h"
#include "ui/common_dialog.h"
#include "ui/menu_items.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using mduAlmanorvqueLib::gImagesFolder;
using mduAlmanorvqueLib::gPersonalDates;
using mduAlmanorvqueLib::gPersonalDatesFile;
using platform::MenuItemArray;
using testsupport::TestCalendar;

using testsupport::CellOf;
using testsupport::SettingSubmenu;

namespace {
constexpr int kRight = 2;
constexpr int kPicture = 0, kPage = 1, kBackdrop = 2;

QPoint Pixels(QPointF twips) { return {platform::TwipsToPixelsX(twips.x()), platform::TwipsToPixelsY(twips.y())}; }

// A point where the control itself, not one above it, takes the mouse.
QPointF BarePointOf(TestCalendar& w, const platform::LightControl& c)
{
    const QRectF r = c.RectTwips();
    for (double y = r.top() + 30; y < r.bottom(); y += 45)
        for (double x = r.left() + 30; x < r.right(); x += 45)
            if (w.ControlAt(x, y) == &c)
                return {x, y};
    ADD_FAILURE() << "no bare point on " << c.Name().toStdString();
    return {};
}

// The entries of an offered menu, in order, once each.
QStringList EntriesOf(const QStringList& offered)
{
    QStringList out;
    for (const QString& path : offered) {
        const QString entry = path.section(u'/', 0, 0);
        if (!out.contains(entry))
            out << entry;
    }
    return out;
}

QStringList CheckedOf(const MenuItemArray& menu)
{
    QStringList out;
    for (int i = 1; i <= menu.Count(); ++i)
        if (menu(i).Visible() && menu(i).Checked())
            out << menu(i).Caption();
    return out;
}

// The window menu top to bottom as it opens on the picture, "-" a separator: a new entry
// of the menu is one row here. On the page the picture's pair (entries 6 and 7) is the
// page's, and a see-through window's backdrop leaves out the backdrop's pictures.
const QStringList kWindowMenu = {
    "Window Styles",
    "Window States",
    "Window Background Files",
    "Window Background Colours",
    "-",
    "Calendar Image Files",
    "Auto Calendar Image Position",
    "-",
    "Enable  Auto Start",
    "Set Screen Saver",
    "-",
    "Help",
    "About",
    "-",
    "Close",
    "-",
    "Save Current Properties",
    "Save Style As",
    "Properties",
};

QString Picture(const QString& name)
{
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(Qt::darkCyan);
    const QString path = gImagesFolder + name;
    EXPECT_TRUE(img.save(path));
    return path;
}
} // namespace

class PopupMenus : public testsupport::RunningCalendarTest {
protected:
    void SetUp() override
    {
        RunningCalendarTest::SetUp();
        platform::CommonDialog::SetRunner([this](platform::CommonDialog::Kind, platform::CommonDialog& d) {
            ++choosers_;
            d.FileName = chosen_;
            return !chosen_.isEmpty(); // nothing chosen: cancelled
        });
    }
    void TearDown() override
    {
        platform::CommonDialog::SetRunner(nullptr);
        RunningCalendarTest::TearDown();
    }
    // A right click on a control of the real window, through Qt's events.
    void RightClick(const platform::LightControl& c)
    {
        const QPoint at = Pixels(BarePointOf(*w_, c));
        QTest::mousePress(w_.get(), Qt::RightButton, {}, at);
        QTest::mouseRelease(w_.get(), Qt::RightButton, {}, at);
    }
    // Opens the menu of c, picks the caption path ("" cancels) and returns what it offered.
    QStringList Pick(const platform::LightControl& c, const QString& path = {})
    {
        platform::ScriptedMenus menus;
        menus.Pick(path);
        RightClick(c);
        EXPECT_EQ(menus.Offered().size(), 1u) << c.Name().toStdString();
        return menus.Offered().empty() ? QStringList() : menus.Offered().back();
    }
    QString Prop(const QString& key) { return mduLib::GetProp(key, w_->Properties()); }
    // The whole value: a font format is a comma list of its own.
    std::string Whole(const QString& key) { return mduLib::GetValue(key, w_->Properties()).toStdString(); }

    int choosers_ = 0;
    QString chosen_;
};

TEST_F(PopupMenus, TheWindowMenuOffersThePairOfItsSurface)
{
    TestCalendar& w = Open();
    const QString image = Picture("Harbour.jpg");
    struct Case {
        int surface;
        QString pagePicture, background;
        QString pictures, position; // the entries 6 and 7
        bool backdropFiles;
    };
    const QString imagePair[] = {"Calendar Image Files", "Auto Calendar Image Position"};
    const QString pagePair[] = {"Calendar Background Files", "Auto Calendar Background Position"};
    const Case cases[] = {
        {kPicture, "None", "White", imagePair[0], imagePair[1], true},
        {kPage, "None", "White", pagePair[0], pagePair[1], true},
        {kBackdrop, "None", "White", pagePair[0], pagePair[1], true},
        {kBackdrop, image, "White", imagePair[0], imagePair[1], true},
        {kBackdrop, "none", "White", imagePair[0], imagePair[1], true}, // only "None" means none
        {kBackdrop, "None", "Transparent", pagePair[0], pagePair[1], false},
        {kPicture, "None", "Transparent", imagePair[0], imagePair[1], true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.surface);
        mduLib::SetProp("Calendar Background Files", c.pagePicture, w.Properties());
        mduLib::SetProp("Window Background Colours", c.background, w.Properties());
        mduLib::SetProp("Window Title Bar", "No", w.Properties());
        platform::ScriptedMenus menus;
        w.imgCalendar_MouseUp(c.surface, kRight, 0, 10, 10);
        ASSERT_EQ(menus.Offered().size(), 1u);
        QStringList expected;
        for (const QString& entry : kWindowMenu) {
            if (entry == "-" || (entry == "Window Background Files" && !c.backdropFiles))
                continue;
            expected << (entry == imagePair[0] ? c.pictures : entry == imagePair[1] ? c.position : entry);
        }
        EXPECT_EQ(EntriesOf(menus.Offered()[0]), expected);
        EXPECT_TRUE(menus.Offered()[0].contains(c.pictures + "/Harbour"));
        EXPECT_TRUE(menus.Offered()[0].contains(c.pictures + "/More _"));
        EXPECT_TRUE(menus.Offered()[0].contains(c.position + "/Auto Position and Size"));
    }
}

TEST_F(PopupMenus, TheWindowMenuGroupsItsEntriesBetweenSeparators)
{
    TestCalendar& w = Open();
    platform::ScriptedMenus menus;
    w.imgCalendar_MouseUp(kPicture, kRight, 0, 10, 10);
    QStringList shown; // "-" for a separator
    for (const QAction* a : w.CalendarPopupMenu.Menu()->actions())
        if (a->isVisible())
            shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(shown, kWindowMenu);
}

TEST_F(PopupMenus, TheWindowMenuChecksTheCurrentValues)
{
    TestCalendar& w = Open();
    const QString image = Picture("Harbour.jpg");
    mduLib::SetProp("Window Background Files", image, w.Properties());
    mduLib::SetProp("Calendar Image Files", image, w.Properties());
    mduLib::SetProp("Window Background Colours", "Blue", w.Properties());
    const QStringList offered = Pick(w.imgCalendar(kPicture));
    EXPECT_TRUE(offered.contains("Window Styles/More_"));
    EXPECT_TRUE(offered.contains("Window States/Minimized"));
    EXPECT_EQ(offered.filter("Set Screen Saver/").size(), 12);
    EXPECT_TRUE(offered.contains("Set Screen Saver/40"));
    EXPECT_EQ(CheckedOf(SettingSubmenu(w, "Window States")), QStringList{"Normal"});
    EXPECT_EQ(CheckedOf(SettingSubmenu(w, "Window Background Files")), QStringList{"Harbour"});
    EXPECT_EQ(CheckedOf(SettingSubmenu(w, "Window Background Colours")), QStringList{"Blue"});
    EXPECT_EQ(CheckedOf(SettingSubmenu(w, "Calendar Image Files")), QStringList{"Harbour"});
    EXPECT_EQ(CheckedOf(SettingSubmenu(w, "Auto Calendar Image Position")), QStringList{});
    // The page's picture is "None": on the page that item is checked instead.
    Pick(w.imgCalendar(kPage));
    EXPECT_EQ(CheckedOf(SettingSubmenu(w, "Calendar Background Files")), QStringList{"None"});
}

TEST_F(PopupMenus, AWindowMenuChoiceReachesTheDispatcher)
{
    TestCalendar& w = Open();
    mduLib::SetProp("Calendar Image Top", "120", w.Properties());
    mduLib::SetProp("Calendar Image Width", "3000", w.Properties());
    Pick(w.imgCalendar(kPicture), "Auto Calendar Image Position/Auto Position");
    EXPECT_EQ(Prop("Calendar Image Top"), "-1");
    EXPECT_EQ(Prop("Calendar Image Width"), "3000");

    Pick(w.imgCalendar(kPage), "Calendar Background Files/None");
    EXPECT_EQ(Prop("Calendar Background Files"), "None");

    // "More_" asks for a style file; cancelled, nothing changes.
    const QString style = Prop("Window Styles");
    Pick(w.imgCalendar(kPicture), "Window Styles/More_");
    EXPECT_EQ(choosers_, 1);
    EXPECT_EQ(Prop("Window Styles"), style);
    EXPECT_EQ(w.FormState(), frmAlmanorvique::kRunning) << "no reload";
}

TEST_F(PopupMenus, TheAutoStartEntrySaysWhatAClickDoes)
{
    TestCalendar& w = Open();
    mduAPILib::ClearAutoStart();
    Pick(w.imgCalendar(kPicture), "Enable  Auto Start");
    EXPECT_TRUE(mduAPILib::IsAutoStartSet());
    EXPECT_EQ(w.AutoStart->Tag, "0") << "the entry as it was shown";

    const QStringList offered = Pick(w.imgCalendar(kPicture), "Disable  Auto Start");
    EXPECT_TRUE(offered.contains("Disable  Auto Start"));
    EXPECT_FALSE(mduAPILib::IsAutoStartSet());

    // A month window of the multi-calendar frame shows the same switch.
    QString none;
    mduAPILib::SetAutoStart(none);
    auto frame = std::make_unique<TestCalendar>();
    auto month = std::make_unique<TestCalendar>();
    month->ShowMeMDIChild(frame.get(), 0, QDate(2026, 3, 1));
    month->Timer1.Fire();
    platform::ScriptedMenus menus;
    menus.Pick("Disable  Auto Start");
    month->imgCalendar_MouseUp(kPicture, kRight, 0, 10, 10);
    ASSERT_EQ(menus.Offered().size(), 1u);
    EXPECT_EQ(month->AutoStart->Tag, "1");
    EXPECT_FALSE(mduAPILib::IsAutoStartSet());
}

TEST_F(PopupMenus, EachItemMenuShowsItsOwnEntriesOnly)
{
    TestCalendar& w = Open();
    const int day = CellOf(w, QDate(2026, 12, 10));
    // Opened one after the other, so that nothing of one menu may show in the next.
    const std::pair<const platform::LightControl*, QStringList> cases[] = {
        {&w.lblDate(2), {"Mon Column Colour", "Week Start Day"}},
        {&w.lblClock, {"Clock Colour", "Clock Format", "Clock Auto Position", "Hide Clock"}},
        {&w.lblMonth, {"December Image", "December Colour", "Month", "Go to Today"}},
        {&w.lblDate(day),
         {"Set Date Image", "Set Date Caption", "Set Date Font", "Use This Font As Default", "Reset All Date Fonts"}},
        {&w.lblYear, {"2026 Image", "2026 Colour", "Year", "Go to Today"}},
        {&w.lblDate(1), {"Sun Column Colour", "Week Start Day"}},
    };
    for (const auto& [control, entries] : cases) {
        const QStringList offered = Pick(*control);
        EXPECT_EQ(EntriesOf(offered), entries) << control->Name().toStdString();
    }
    // The month menu checked December; the date menu's font items stay unchecked.
    Pick(w.lblMonth);
    EXPECT_EQ(CheckedOf(w.ItemMenuItem3), QStringList{"December"});
    const QStringList offered = Pick(w.lblDate(day));
    EXPECT_EQ(CheckedOf(w.ItemMenuItem3), QStringList{});
    EXPECT_TRUE(offered.contains("Set Date Font/Custom"));
    EXPECT_TRUE(offered.contains("Set Date Caption/Birthday"));
}

TEST_F(PopupMenus, TheFrameAndTheSelectionOpenTheirMenus)
{
    TestCalendar& w = Open();
    w.shpHighlight.Move(100, 100, 2000, 2000);
    w.shpHighlight.SetVisible(true);
    w.shpHighlight.Tag = "R";
    platform::ScriptedMenus menus;
    w.imgCalendar_MouseUp(kBackdrop, kRight, 0, 500, 500);
    w.shpHighlight.Tag = "09/12,10/12";
    w.imgCalendar_MouseUp(kBackdrop, kRight, 0, 500, 500);
    w.shpHighlight.Tag = "10/12";
    w.imgCalendar_MouseUp(kBackdrop, kRight, 0, 500, 500);
    ASSERT_EQ(menus.Offered().size(), 3u);
    EXPECT_EQ(EntriesOf(menus.Offered()[0]), (QStringList{"Reset Calendar Position", "Date Manager"}));
    EXPECT_EQ(EntriesOf(menus.Offered()[1]), (QStringList{"Set Date Image", "Set Date Caption", "Set Date Font"}));
    EXPECT_EQ(EntriesOf(menus.Offered()[2]).size(), 5);
    EXPECT_TRUE(w.shpHighlight.Visible()) << "the date commands write to the year tables";
}

TEST_F(PopupMenus, ClockAutoPositionIsCheckedOnlyForMinusOne)
{
    TestCalendar& w = Open();
    const std::pair<QString, QString> cases[] = {{"-1", "Yes"},   {"0", "No"},    {"250", "No"},
                                                 {"-1.0", "Yes"}, {"-0.6", "No"}, {"auto", "No"}};
    for (const auto& [top, checked] : cases) {
        mduLib::SetProp("Clock Top", top, w.Properties());
        Pick(w.lblClock);
        EXPECT_EQ(CheckedOf(w.ItemMenuItem3), QStringList{checked}) << top.toStdString();
    }
    mduLib::SetProp("Clock Format", "hh:mm", w.Properties());
    Pick(w.lblClock);
    EXPECT_EQ(CheckedOf(w.ItemMenuItem2), QStringList{"hh:mm"});
    EXPECT_EQ(CheckedOf(w.ItemMenuItem1), QStringList{"Black"});
}

TEST_F(PopupMenus, TheYearMenuListsTheYearsAroundTheShownOne)
{
    TestCalendar& w = Open();
    QStringList offered = Pick(w.lblYear);
    EXPECT_EQ(offered.filter("Year/").first(), "Year/2021");
    EXPECT_EQ(offered.filter("Year/").last(), "Year/2032");
    EXPECT_EQ(CheckedOf(w.ItemMenuItem3), QStringList{"2026"});
    // December's check in the month menu leaves no empty box on its item here.
    Pick(w.lblMonth);
    Pick(w.lblYear);
    EXPECT_FALSE(w.ItemMenuItem3(12).Action()->isCheckable());
    EXPECT_TRUE(w.ItemMenuItem3(6).Action()->isCheckable());

    Pick(w.lblYear, "Year/2024");
    EXPECT_EQ(w.DisplayedDate(), QDate(2024, 12, 10));
    offered = Pick(w.lblYear);
    EXPECT_TRUE(offered.contains("Year/Current Year"));
    EXPECT_FALSE(offered.contains("Year/2029"));
    EXPECT_EQ(CheckedOf(w.ItemMenuItem3), QStringList{});
    Pick(w.lblYear, "Year/Current Year");
    EXPECT_EQ(w.DisplayedDate().year(), 2026);
}

TEST_F(PopupMenus, TheCaptionMenusMoveAndColour)
{
    TestCalendar& w = Open();
    Pick(w.lblMonth, "Month/March");
    EXPECT_EQ(w.DisplayedDate(), QDate(2026, 3, 10));
    Pick(w.lblMonth, "March Colour/Red");
    EXPECT_EQ(mduLib::GetValue("March Colour", gPersonalDates), "Red");
    Pick(w.lblMonth);
    EXPECT_EQ(CheckedOf(w.ItemMenuItem2), QStringList{"Red"});
    Pick(w.lblMonth, "March Colour/Default");
    Pick(w.lblMonth);
    EXPECT_EQ(CheckedOf(w.ItemMenuItem2), QStringList{});

    const QString image = Picture("Tulips.jpg");
    Pick(w.lblMonth, "March Image/Tulips");
    EXPECT_EQ(mduLib::GetValue("March Image", gPersonalDates, "Image"), image);
    Pick(w.lblMonth);
    EXPECT_EQ(CheckedOf(w.ItemMenuItem1), QStringList{"Tulips"});
    // "More _" asks for a picture: cancelled, the month keeps its own.
    Pick(w.lblMonth, "March Image/More _");
    EXPECT_EQ(choosers_, 1);
    EXPECT_EQ(mduLib::GetValue("March Image", gPersonalDates, "Image"), image);
    Pick(w.lblYear, "2026 Image/More _");
    EXPECT_EQ(choosers_, 2);
    EXPECT_EQ(mduLib::GetValue("2026 Image", gPersonalDates, "Image"), "");
    chosen_ = Picture("Fireworks.jpg");
    Pick(w.lblYear, "2026 Image/More _");
    EXPECT_EQ(mduLib::GetValue("2026 Image", gPersonalDates, "Image"), chosen_);

    Pick(w.lblMonth, "Go to Today");
    EXPECT_EQ(w.DisplayedDate(), QDate(2026, 12, 10));
}

TEST_F(PopupMenus, TheWeekdayAndClockMenusSetTheirSettings)
{
    TestCalendar& w = Open();
    Pick(w.lblDate(2), "Mon Column Colour/Blue");
    EXPECT_EQ(Prop("Mon Column Colour"), "Blue");
    Pick(w.lblDate(2));
    EXPECT_EQ(CheckedOf(w.ItemMenuItem1), QStringList{"Blue"});
    Pick(w.lblDate(2), "Week Start Day");
    EXPECT_EQ(Prop("Week Start Day"), "2");
    EXPECT_EQ(w.lblDate(1).Caption(), "Mon");

    Pick(w.lblClock, "Clock Format/hh:mm");
    EXPECT_EQ(Prop("Clock Format"), "hh:mm");
    EXPECT_EQ(w.lblClock.Caption(), "10:00");
    Pick(w.lblClock, "Clock Colour/Red");
    EXPECT_EQ(Prop("Clock Colour"), "Red");
    Pick(w.lblClock, "Clock Auto Position/No");
    EXPECT_EQ(Prop("Clock Top"), QString::number(conv::ToInt16(w.lblClock.Top())));
    Pick(w.lblClock, "Hide Clock");
    EXPECT_EQ(Prop("Show Clock"), "No");
    EXPECT_FALSE(w.lblClock.Visible());
}

TEST_F(PopupMenus, TheDateMenuSetsADaysCaptionMessagePictureAndFont)
{
    TestCalendar& w = Open();
    platform::Label& cell = w.lblDate(CellOf(w, QDate(2026, 12, 10)));
    Pick(cell, "Set Date Caption/Birthday");
    EXPECT_EQ(mduLib::GetValue("10/12", gPersonalDates, "Caption"), "Birthday");

    // "Custom" asks for caption and message in the date caption dialog.
    QTimer::singleShot(0, [] {
        frmDateSetup& d = frmDateSetup::Default();
        d.txtCaption.SetText("Party");
        d.txtMsg.SetText("Bring cake");
        QTest::mouseClick(d.cmdButton(0).Widget(), Qt::LeftButton);
    });
    Pick(cell, "Set Date Caption/Custom");
    EXPECT_EQ(mduLib::GetValue("10/12", gPersonalDates, "Caption"), "Party");
    EXPECT_EQ(mduLib::GetValue("10/12", gPersonalDates, "Message"), "Bring cake");

    const QString image = Picture("Candles.jpg");
    Pick(cell, "Set Date Image/Candles");
    EXPECT_EQ(mduLib::GetValue("10/12", gPersonalDates, "Image"), image);
    Pick(cell);
    EXPECT_EQ(CheckedOf(w.ItemMenuItem1), QStringList{"Candles"});

    const QString fontSpec = w.GetFontSpec(cell);
    Pick(cell, "Use This Font As Default");
    EXPECT_EQ(Whole("Default Date Format"), fontSpec.toStdString());
}

TEST_F(PopupMenus, AOneDaySelectionOffersThatDaysFontAsDefault)
{
    TestCalendar& w = Open();
    platform::Label& other = w.lblDate(CellOf(w, QDate(2026, 12, 3)));
    Pick(other); // leaves the third's font in the entry
    platform::Label& cell = w.lblDate(CellOf(w, QDate(2026, 12, 10)));
    platform::FontModel f = cell.Font();
    f.Bold = true;
    f.Size = 14;
    cell.SetFont(f);
    w.shpHighlight.Move(cell.Left() - 30, cell.Top() - 30, cell.Width() + 60, cell.Height() + 60);
    w.shpHighlight.SetVisible(true);
    w.shpHighlight.Tag =
        w.SelectDatesInRect(w.shpHighlight.Left(), w.shpHighlight.Top(), w.shpHighlight.Left() + w.shpHighlight.Width(),
                            w.shpHighlight.Top() + w.shpHighlight.Height());
    ASSERT_EQ(w.shpHighlight.Tag, "10/12");
    platform::ScriptedMenus menus;
    menus.Pick("Use This Font As Default");
    const platform::Image& page = w.imgCalendar(kPage);
    w.imgCalendar_MouseUp(kPage, kRight, 0, w.shpHighlight.Left() - page.Left() + 10,
                          w.shpHighlight.Top() - page.Top() + 10);
    ASSERT_EQ(menus.Offered().size(), 1u);
    EXPECT_EQ(Whole("Default Date Format"), w.GetFontSpec(cell).toStdString());
    EXPECT_NE(Whole("Default Date Format").find(",14,True,"), std::string::npos);
}

TEST_F(PopupMenus, TheFrameMenuResetsTheGridAndOpensTheDateManager)
{
    TestCalendar& w = Open();
    mduLib::SetProp("Calendar Top", "900", w.Properties());
    mduLib::SetProp("Calendar Left", "700", w.Properties());
    w.shpHighlight.Move(100, 100, 2000, 2000);
    w.shpHighlight.SetVisible(true);
    w.shpHighlight.Tag = "R";
    platform::ScriptedMenus menus;
    menus.Pick("Reset Calendar Position/Auto Position");
    w.imgCalendar_MouseUp(kBackdrop, kRight, 0, 500, 500);
    EXPECT_EQ(Prop("Calendar Top"), "-1");
    EXPECT_EQ(Prop("Calendar Left"), "-1");
    EXPECT_FALSE(w.shpHighlight.Visible());

    // "Date Manager" first writes the date files the manager reads.
    mduLib::SetValue("24/12", "Eve", gPersonalDates, "Caption");
    w.shpHighlight.SetVisible(true);
    w.shpHighlight.Tag = "R";
    menus.Pick("Date Manager");
    w.imgCalendar_MouseUp(kBackdrop, kRight, 0, 500, 500);
    mduLib::PropertyTable reread;
    ASSERT_TRUE(mduLib::LoadIniFile(gPersonalDatesFile, reread));
    EXPECT_EQ(mduLib::GetValue("24/12", reread, "Caption"), "Eve");
}

TEST_F(PopupMenus, AStayTimeEndingUnderAnOpenMenuClosesAfterIt)
{
    TestCalendar& w = Open();
    appinfo::SetCommandLine("x");
    mduLib::SetProp("Stay Time", "30", w.Properties());
    clock_.Set(QDateTime(QDate(2026, 12, 10), QTime(10, 5)));
    bool visibleInMenu = false;
    platform::SetMenuRunner([&](QMenu&, QPoint) -> QAction* {
        w.Timer1.Fire(); // the timer ticks on while the menu is open
        visibleInMenu = w.isVisible();
        return nullptr;
    });
    RightClick(w.imgCalendar(kPicture));
    platform::SetMenuRunner(nullptr);
    EXPECT_TRUE(visibleInMenu);
    w.Timer1.Fire();
    EXPECT_FALSE(w.isVisible());
    appinfo::SetCommandLine(QString());
}

TEST_F(PopupMenus, AMenuThatTookTheReleaseLeavesNoCaptureBehind)
{
    TestCalendar& w = Open();
    {
        platform::ScriptedMenus menus; // cancelled; the release went to the menu
        QTest::mousePress(&w, Qt::RightButton, {}, Pixels(BarePointOf(w, w.lblMonth)));
        ASSERT_EQ(menus.Offered().size(), 1u);
    }
    EXPECT_EQ(w.lblMonth.MousePointer, platform::vbDefault);
    const QPoint over = Pixels(BarePointOf(w, w.imgCalendar(kPicture)));
    QMouseEvent move(QEvent::MouseMove, over, w.mapToGlobal(QPointF(over)), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(&w, &move);
    EXPECT_EQ(w.lblMonth.MousePointer, platform::vbDefault) << "the move went to the picture, not the caption";
}
