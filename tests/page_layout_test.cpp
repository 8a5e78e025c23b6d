#include "calendar/layout_math.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "tests/support/test_calendar.h"

#include <gtest/gtest.h>
#include <ostream>

using calendarlayout::Box;
using calendarlayout::LayoutPage;
using calendarlayout::PageInput;

namespace calendarlayout {
void PrintTo(const Box& b, std::ostream* os)
{
    *os << "{L " << b.Left << ", T " << b.Top << ", W " << b.Width << ", H " << b.Height << "}";
}
} // namespace calendarlayout

namespace {
Box BoxOf(const platform::LightControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

PageInput Window(double W, double H, bool picture, const char* orientation)
{
    PageInput in;
    in.W = W;
    in.H = H;
    in.HasPicture = picture;
    in.Aspect = picture ? 0.75 : 1.0; // a 400 x 300 picture
    in.Orientation = QString::fromLatin1(orientation);
    return in;
}
} // namespace

TEST(PageLayoutMath, TheMarginIsAThirtiethOfTheSmallerSideHalvesToEven)
{
    const struct {
        double W, H;
        qint32 m;
    } cases[] = {
        {6015, 9000, 200},                         // 200.5 goes to the even 200
        {6045, 9000, 202},                         // 201.5 goes to 202
        {9000, 6015, 200},                         // int32(H / 30) = int32(200.5) = 200
        {6000, 6000, 200}, {200000, 200000, 6667}, // well past 16 bits for 5m
    };
    for (const auto& c : cases)
        EXPECT_EQ(calendarlayout::Margin(c.W, c.H), c.m) << c.W << " x " << c.H;
}

TEST(PageLayoutMath, NumericSettingsReadNonNumbersAsAutomatic)
{
    const struct {
        const char* text;
        qint32 value;
    } cases[] = {
        {"0", 0}, // what a missing key reads: not automatic
        {"-1", -1},         {"3000", 3000}, {" 3000 ", 3000}, {"12.5", 12},  {"13.5", 14}, {"-1.4", -1},
        {"250000", 250000}, {"abc", -1},    {"", -1},         {"12abc", -1}, {"1e12", -1}, {"-3e9", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calendarlayout::NumericSetting(QString::fromLatin1(c.text)), c.value) << '"' << c.text << '"';
}

TEST(PageLayoutMath, EachOrientationPlacesPictureAndPage)
{
    struct Case {
        const char* name;
        PageInput in;
        Box picture, page;
        float messageTop, messageRight;
    };
    PageInput pinnedWidth = Window(6000, 9000, true, "Portrait Top");
    pinnedWidth.Pins.ImageWidth = 3000;
    PageInput pinnedPage = Window(6000, 6000, true, "Center");
    pinnedPage.Pins = {-1, -1, -1, -1, 1000, 50, 2000, 1500};
    PageInput moved = Window(9000, 6000, true, "Landscape Right");
    moved.X0 = 100;
    moved.Y0 = 50;
    const Case cases[] = {
        {"Portrait Top",
         Window(6000, 9000, true, "Portrait Top"),
         {200, 200, 5333, 4000},
         {200, 4400, 5333, 4000},
         4210,
         5533},
        {"Portrait Bottom",
         Window(6000, 9000, true, "Portrait Bottom"),
         {200, 4600, 5600, 4200},
         {200, 200, 5600, 4200},
         8810,
         5800},
        {"Landscape Left",
         Window(9000, 6000, true, "Landscape Left"),
         {200, 200, 4140, 3105},
         {4540, 200, 4140, 3105},
         3315,
         4340},
        {"Landscape Right",
         Window(9000, 6000, true, "Landscape Right"),
         {4600, 200, 4200, 3150},
         {200, 200, 4200, 3150},
         3360,
         8800},
        {"Center", Window(6000, 6000, true, "Center"), {300, 300, 5400, 4050}, {200, 200, 5400, 4050}, 4360, 5700},
        {"Center, m = 200 from 200.5",
         Window(6015, 9000, true, "Center"),
         {300, 300, 5415, 4061},
         {200, 200, 5415, 4061},
         4371,
         5715},
        {"Center, m = 202 from 201.5",
         Window(6045, 9000, true, "Center"),
         {303, 303, 5439, 4079},
         {202, 202, 5439, 4079},
         4392,
         5742},
        {"Portrait Top, no picture",
         Window(6000, 9000, false, "Portrait Top"),
         {200, 200, 5500, 4000},
         {200, 4400, 5500, 4000},
         4210,
         5700},
        // (9003 - 1000) / 2 = 4001.5 becomes 4002 and so exceeds itself: the area turns square.
        {"Portrait Top, no picture, half rounds up",
         Window(6000, 9003, false, "Portrait Top"),
         {200, 200, 4002, 4002},
         {200, 4402, 4002, 4002},
         4212,
         4202},
        {"Portrait Bottom, no picture",
         Window(6000, 9000, false, "Portrait Bottom"),
         {200, 4400, 5600, 4000},
         {200, 200, 5600, 4000},
         8410,
         5800},
        {"Landscape Left, no picture",
         Window(9000, 6000, false, "Landscape Left"),
         {200, 200, 4140, 4140},
         {4540, 200, 4140, 4140},
         4350,
         4340},
        {"Center, no picture",
         Window(6000, 6000, false, "Center"),
         {300, 300, 5400, 5400},
         {200, 200, 5400, 5400},
         5710,
         5700},
        // The page keeps the width computed from the unpinned picture; the message follows the pin.
        {"pinned picture width", pinnedWidth, {200, 200, 3000, 4000}, {200, 4400, 5333, 4000}, 4210, 3200},
        {"pinned page", pinnedPage, {300, 300, 5400, 4050}, {50, 1000, 2000, 1500}, 4360, 5700},
        {"client origin moved", moved, {4700, 250, 4200, 3150}, {300, 250, 4200, 3150}, 3410, 8900},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const calendarlayout::PageResult r = LayoutPage(c.in);
        EXPECT_EQ(r.Picture, c.picture);
        EXPECT_EQ(r.Page, c.page);
        EXPECT_EQ(r.MessageTop, c.messageTop);
        EXPECT_EQ(r.MessageRight, c.messageRight);
        EXPECT_EQ(r.Backdrop, (Box{static_cast<float>(c.in.X0), static_cast<float>(c.in.Y0), static_cast<float>(c.in.W),
                                   static_cast<float>(c.in.H)}));
    }
}

TEST(PageLayoutMath, AnUnknownOrientationKeepsThePlacesButStillAppliesThePins)
{
    for (const char* o : {"0", "center", "Portrait top", ""}) {
        SCOPED_TRACE(o);
        PageInput in = Window(6000, 9000, true, o);
        in.Picture = {1.4f, 2.6f, 100.5f, 50};
        in.Page = {10, 20, 30, 40};
        in.Pins.ImageLeft = 700;
        const calendarlayout::PageResult r = LayoutPage(in);
        EXPECT_EQ(r.Picture, (Box{700, 3, 100, 50})); // now whole twips, 100.5 to the even 100
        EXPECT_EQ(r.Page, (Box{10, 20, 30, 40}));
        EXPECT_EQ(r.MessageTop, 63);
    }
}

TEST(PageLayoutMath, AVeryShortWindowKeepsEveryPictureAtLeastTenTwipsHigh)
{
    for (double H : {9.0, 20.0, 23.0, 300.0})
        for (bool picture : {true, false})
            for (const char* o : {"Portrait Top", "Portrait Bottom", "Landscape Left", "Landscape Right", "Center"}) {
                const calendarlayout::PageResult r = LayoutPage(Window(6000, H, picture, o));
                EXPECT_GE(r.Picture.Height, 10) << o << ", H " << H << (picture ? "" : ", no picture");
                EXPECT_GE(r.Page.Height, 10) << o << ", H " << H << (picture ? "" : ", no picture");
            }
    // In a window 300 high the portrait picture is held to (H - 5m) / 2.
    EXPECT_EQ(LayoutPage(Window(6000, 300, true, "Portrait Top")).Picture, (Box{10, 10, 166, 125}));
}

TEST(PageLayoutMath, AWindowOf200000TwipsLaysOutWithoutOverflow)
{
    for (const char* o : {"Portrait Top", "Portrait Bottom", "Landscape Left", "Landscape Right", "Center"})
        EXPECT_NO_THROW(LayoutPage(Window(200000, 200000, true, o))) << o;
    // m = 6667: w = int32(183332.5) = 183332, h = fit(137499, 179999) = 137499, held to
    // int32(83332.5) = 83332, so w = fit(111109.3, 186666) = 111109.
    const calendarlayout::PageResult r = LayoutPage(Window(200000, 200000, true, "Portrait Top"));
    EXPECT_EQ(r.Picture, (Box{6667, 6667, 111109, 83332}));
    EXPECT_EQ(r.Page, (Box{6667, 96666, 111109, 83332}));
}

// ---- on a real window ----

class PageLayoutForm : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        CopyShippedData({"ini"});
        mduAlmanorvqueLib::SetupDataFolders();
    }
    std::unique_ptr<testsupport::TestCalendar> Open(const QStringList& settings, bool picture = true)
    {
        auto w = std::make_unique<testsupport::TestCalendar>();
        w->ShowMe(0, QDate(2026, 4, 15));
        w->Properties() = testsupport::TableOf(settings);
        if (picture)
            w->imgCalendar(0).SetPicture(platform::Picture::FromImage(QImage(400, 300, QImage::Format_RGB32)));
        w->Move(0, 0, 6000, 9000);
        return w;
    }
    // What the arithmetic says for this window as it now is.
    static PageInput InputOf(testsupport::TestCalendar& w, const char* orientation)
    {
        PageInput in = Window(w.Width(), w.Height(), true, orientation);
        in.Picture = BoxOf(w.imgCalendar(0));
        in.Page = BoxOf(w.imgCalendar(1));
        return in;
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 4, 15), QTime(10, 0))};
};

const QStringList kAutomatic = {
    "Calendar Image Top=-1",
    "Calendar Image Left=-1",
    "Calendar Image Width=-1",
    "Calendar Image Height=-1",
    "Calendar Background Top=-1",
    "Calendar Background Left=-1",
    "Calendar Background Width=-1",
    "Calendar Background Height=-1",
    "Window Title Bar=Yes,Yes,No",
    "Window Background Colours=White,White,Transparent",
    "Calendar Top=-1",
    "Calendar Left=-1",
    "Calendar Width=-1",
    "Calendar Height=-1",
    "Calendar Font Size=-1",
};

TEST_F(PageLayoutForm, TheControlsLandWhereTheArithmeticSays)
{
    auto w = Open(kAutomatic + QStringList{"Orientation=Portrait Top,Portrait Top,Center"});
    w->imgPageCorner(0).SetVisible(true);
    w->imgPageCorner(1).SetVisible(true);
    w->lblMsg.SetCaption("A message");
    const calendarlayout::PageResult expected = LayoutPage(InputOf(*w, "Portrait Top"));
    w->SetCalendarLayout();

    EXPECT_EQ(BoxOf(w->imgCalendar(0)), expected.Picture);
    EXPECT_EQ(BoxOf(w->imgCalendar(1)), expected.Page);
    EXPECT_EQ(BoxOf(w->imgCalendar(2)), (Box{0, 0, w->Width(), w->Height()}));
    EXPECT_EQ(w->ZOrderList().front(), &w->imgCalendar(2)); // the backdrop behind everything
    EXPECT_FALSE(w->imgPageCorner(0).Visible());
    EXPECT_FALSE(w->imgPageCorner(1).Visible());
    EXPECT_EQ(w->lblMsg.Top(), expected.MessageTop);
    EXPECT_GT(w->lblMsg.Width(), 0);
    EXPECT_FLOAT_EQ(w->lblMsg.Left() + w->lblMsg.Width(), expected.MessageRight);
    // The grid was laid out on the new page.
    EXPECT_TRUE(w->lblYear.Visible());
    EXPECT_GT(w->lblYear.Top(), expected.Page.Top);
    EXPECT_EQ(w->lblDate(1).Top(), calendarlayout::LayoutGridFrame(expected.Page, {}).HeaderTop);

    // The worked example.
    ASSERT_EQ(w->Width(), 6000);
    ASSERT_EQ(w->Height(), 9000);
    EXPECT_EQ(expected.Picture, (Box{200, 200, 5333, 4000}));
    EXPECT_EQ(expected.Page, (Box{200, 4400, 5333, 4000}));
}

TEST_F(PageLayoutForm, SettingsThatAreNoNumbersAreAutomaticAndMissingOnesAreZero)
{
    QStringList settings = kAutomatic;
    settings.removeAll("Calendar Background Height=-1"); // missing: reads 0
    settings.replaceInStrings("Calendar Image Width=-1", "Calendar Image Width=abc");
    settings.replaceInStrings("Calendar Image Top=-1", "Calendar Image Top=");
    settings << "Orientation=Center";
    auto w = Open(settings);
    const calendarlayout::PageResult expected = LayoutPage(InputOf(*w, "Center"));
    ASSERT_NO_THROW(w->SetCalendarLayout());
    EXPECT_EQ(BoxOf(w->imgCalendar(0)), expected.Picture);
    EXPECT_EQ(w->imgCalendar(1).Height(), 0);
    EXPECT_EQ(w->imgCalendar(1).Width(), expected.Page.Width);
}

TEST_F(PageLayoutForm, TheTransparentWindowKeepsItsBackdrop)
{
    const struct {
        const char* colours;
        const char* titleBar; // nullptr: missing
        bool transparent;
    } cases[] = {
        {"Transparent", "No", true},  {"Transparent", " no ,Yes", true}, {"Transparent,Black", "NO", true},
        {"transparent", "No", false}, {"Transparent", "Yes", false},     {"Transparent", nullptr, false},
        {"White", "No", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.colours) + " / " + (c.titleBar ? c.titleBar : "missing"));
        QStringList settings = {"Orientation=Portrait Bottom", QString("Window Background Colours=") + c.colours};
        if (c.titleBar)
            settings << QString("Window Title Bar=") + c.titleBar;
        auto w = Open(kAutomatic.filter("Calendar") + settings);
        EXPECT_EQ(w->IsTransparentWindow(), c.transparent);
        w->imgCalendar(2).Move(11, 22, 33, 44);
        w->imgCalendar(2).ZOrder(0);
        w->SetCalendarLayout();
        if (c.transparent) {
            EXPECT_EQ(BoxOf(w->imgCalendar(2)), (Box{11, 22, 33, 44}));
            EXPECT_NE(w->ZOrderList().front(), &w->imgCalendar(2));
        } else {
            EXPECT_EQ(BoxOf(w->imgCalendar(2)), (Box{0, 0, w->Width(), w->Height()}));
            EXPECT_EQ(w->ZOrderList().front(), &w->imgCalendar(2));
        }
        // The arrangement itself runs either way.
        EXPECT_EQ(BoxOf(w->imgCalendar(0)), LayoutPage(InputOf(*w, "Portrait Bottom")).Picture);
    }
}

TEST_F(PageLayoutForm, WithoutAPictureTheAspectIsOne)
{
    auto w = Open(kAutomatic + QStringList{"Orientation=Landscape Left"}, false);
    w->SetCalendarLayout();
    PageInput in = InputOf(*w, "Landscape Left");
    in.HasPicture = false;
    EXPECT_EQ(BoxOf(w->imgCalendar(0)), LayoutPage(in).Picture);
    EXPECT_EQ(w->imgCalendar(0).Width(), w->imgCalendar(0).Height());
}
