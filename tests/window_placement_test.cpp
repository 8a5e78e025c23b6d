// A window's geometry keys: applying them (-1 automatic, children, maximised windows,
// the screens there are now) and writing them back into the file as it is on disk.
#include "core/settings_store.h"
#include "core/window_placement.h"
#include "support/test_folders.h"

#include <QFileInfo>

using testsupport::ReadBytes;
using testsupport::TableOf;
using testsupport::WriteBytes;

namespace {

struct FakeWindow : mduUILib::PlacedWindow {
    float l = 100, t = 200, w = 3000, h = 2000;
    int state = 0;
    bool child = false;
    bool enabled = true;
    float Left() const override { return l; }
    float Top() const override { return t; }
    float Width() const override { return w; }
    float Height() const override { return h; }
    void SetLeft(float v) override { l = v; }
    void SetTop(float v) override { t = v; }
    void SetWidth(float v) override { w = v; }
    void SetHeight(float v) override { h = v; }
    int WindowState() const override { return state; }
    bool MDIChild() const override { return child; }
    void EnableWindow(bool on) override { enabled = on; }
    QRectF Rect() const { return {l, t, w, h}; }
};

class WindowPlacement : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        mduUILib::SetScreenSizeProvider([] { return QSizeF(14400, 10800); });
    }
    void TearDown() override
    {
        mduUILib::SetScreenSizeProvider(nullptr);
        mduUILib::SetAvailableAreasProvider(nullptr);
        ProgramFolderTest::TearDown();
    }
};

TEST_F(WindowPlacement, RestoreAppliesTheKeysAndTheAutomaticValues)
{
    const QStringList automatic{"Window Width=-1", "Window Height=-1", "Window Top=-1", "Window Left=-1"};
    struct Case {
        const char* what;
        QStringList table;
        int how; // 0 RestoreWindowPlacement, 1 RestoreWindowPosition, 2 in a frame of 6000 x 4500
        bool child;
        int state;
        QRectF expected;
    };
    const Case cases[] = {
        {"quarter, centred", automatic, 0, false, 0, {5400, 4050, 3600, 2700}},
        {"a child keeps its place", automatic, 0, true, 0, {100, 200, 3000, 2000}},
        {"maximised: nothing", automatic, 0, false, 2, {100, 200, 3000, 2000}},
        {"screen / 1.8, also a child", automatic, 1, true, 0, {3200, 2400, 8000, 6000}},
        {"a child in its frame: quarter, centred in the area", automatic, 2, true, 0, {1200, 900, 3600, 2700}},
        {"a child larger than its area: from the area's corner",
         {"Window Width=9000", "Window Height=6000", "Window Top=-1", "Window Left=-1"},
         2,
         true,
         0,
         {0, 0, 9000, 6000}},
        {"stored values",
         {"Window Width=4000.6", "Window Height=2500", "Window Top=700", "Window Left=900"},
         0,
         false,
         0,
         {900, 700, 4001, 2500}},
        {"a top that is no number is centred",
         {"Window Width=4000", "Window Height=2000", "Window Top=abc", "Window Left=0"},
         0,
         false,
         0,
         {0, 4400, 4000, 2000}},
    };
    for (const Case& c : cases) {
        FakeWindow w;
        w.child = c.child;
        w.state = c.state;
        const auto table = TableOf(c.table);
        if (c.how == 1)
            mduUILib::RestoreWindowPosition(w, table);
        else if (c.how == 2)
            mduUILib::RestoreChildWindowPlacement(w, table, QSizeF(6000, 4500));
        else
            mduUILib::RestoreWindowPlacement(w, table);
        EXPECT_EQ(w.Rect(), c.expected) << c.what;
    }
}

TEST_F(WindowPlacement, ARestoredWindowIsKeptOnTheScreensThereAreNow)
{
    const std::vector<QRectF> two{{0, 0, 14400, 10500}, {14400, 0, 19200, 14400}};
    struct Case {
        const char* what;
        QRectF window;
        QRectF expected;
    };
    const Case cases[] = {
        {"on the first screen", {1000, 1000, 5000, 4000}, {1000, 1000, 5000, 4000}},
        {"across both screens", {12000, 1000, 5000, 4000}, {12000, 1000, 5000, 4000}},
        {"on a screen that is gone", {40000, 20000, 5000, 4000}, {28600, 10400, 5000, 4000}},
        {"above the first screen", {1000, -3000, 5000, 4000}, {1000, 0, 5000, 4000}},
        {"taller than the screen", {1000, 500, 5000, 12000}, {1000, 0, 5000, 10500}},
        {"half off the bottom", {1000, 9000, 5000, 4000}, {1000, 6500, 5000, 4000}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mduUILib::KeptOnScreens(c.window, two), c.expected) << c.what;
    EXPECT_EQ(mduUILib::KeptOnScreens({40000, 0, 10, 10}, {}), QRectF(40000, 0, 10, 10));

    // Through the restore: the window moves, the stored values stay as they were.
    mduUILib::SetAvailableAreasProvider([] { return std::vector<QRectF>{{0, 0, 14400, 10500}}; });
    auto table = TableOf({"Window Width=6000", "Window Height=16000", "Window Top=-500", "Window Left=20000"});
    FakeWindow w;
    mduUILib::RestoreWindowPlacement(w, table);
    EXPECT_EQ(w.Rect(), QRectF(8400, 0, 6000, 10500));
    EXPECT_EQ(mduLib::GetProp("Window Height", table), "16000");
    EXPECT_EQ(mduLib::GetProp("Window Left", table), "20000");
    FakeWindow child;
    child.child = true;
    mduUILib::RestoreWindowPlacement(child, table); // its frame keeps a child in place
    EXPECT_EQ(child.Rect(), QRectF(20000, -500, 6000, 16000));
}

TEST_F(WindowPlacement, TheCloseWritesOnlyTheGeometryIntoTheFileOnDisk)
{
    const QString ini = ProgramFolder() + "/Almanorvique.ini";
    WriteBytes(ini, "Window Width=6000\r\nWindow Height=5000\r\nWindow Top=-1\r\nWindow Left=300\r\n"
                    "Orientation=Center\r\n");
    mduLib::PropertyTable table;
    mduLib::LoadIniFile(ini, table);
    mduLib::SetProp("Orientation", "Portrait Top", table);      // a menu change of a key
    mduLib::SetValue("Default Date Format", "dd.mm.yy", table); // one that adds a key
    FakeWindow w;
    w.l = 1000;
    w.t = 2000;
    w.w = 7500.5f;
    w.h = 5250;
    mduUILib::SaveWindowPlacement(w, ini, table);
    EXPECT_EQ(ReadBytes(ini), QByteArray("Window Width=7500.5\r\nWindow Height=5250\r\nWindow Top=-1\r\n"
                                         "Window Left=1000\r\nOrientation=Center\r\n"));
    EXPECT_EQ(mduLib::GetProp("Orientation", table), "Portrait Top"); // still in effect until saved

    w.state = 2; // maximised: the file keeps the last normal geometry
    w.l = 0;
    mduUILib::SaveWindowPlacement(w, ini, table);
    EXPECT_EQ(mduLib::GetProp("Window Left",
                              [&] {
                                  mduLib::PropertyTable t;
                                  mduLib::LoadIniFile(ini, t);
                                  return t;
                              }()),
              "1000");

    // No file yet: the whole table goes in, with the geometry.
    const QString fresh = ProgramFolder() + "/fresh.ini";
    w.state = 0;
    auto only = TableOf({"Window Width=6000", "Window Top=-1", "Orientation=Landscape Left", "Window Height=4000"});
    mduUILib::SaveWindowPlacement(w, fresh, only);
    EXPECT_EQ(ReadBytes(fresh), QByteArray("Window Width=7500.5\r\nWindow Top=-1\r\nOrientation=Landscape Left\r\n"
                                           "Window Height=5250\r\nWindow Left=0\r\n"));

    // No file and no settings (the template could not be copied): no file of the place
    // alone, which would keep the template from being copied at the next start.
    const QString never = ProgramFolder() + "/never.ini";
    mduLib::PropertyTable empty(5);
    EXPECT_TRUE(mduUILib::SaveWindowPlacement(w, never, empty));
    EXPECT_FALSE(QFileInfo::exists(never));
}

TEST_F(WindowPlacement, AFileWithLfLineEndsKeepsEveryLineAtTheClose)
{
    // As a Linux editor writes it: the geometry goes in, every other line stays, and the
    // file keeps its line ends.
    const QString ini = ProgramFolder() + "/Almanorvique.ini";
    WriteBytes(ini, "Window Width=6000\nWindow Height=5000\nWindow Top=-1\nWindow Left=300\n"
                    "Orientation=Center\nBack Color=255\n");
    mduLib::PropertyTable table;
    mduLib::LoadIniFile(ini, table);
    FakeWindow w;
    w.l = 1000;
    w.t = 2000;
    w.w = 7500;
    w.h = 5250;
    mduUILib::SaveWindowPlacement(w, ini, table);
    EXPECT_EQ(ReadBytes(ini), QByteArray("Window Width=7500\nWindow Height=5250\nWindow Top=-1\nWindow Left=1000\n"
                                         "Orientation=Center\nBack Color=255\n"));
}

TEST_F(WindowPlacement, EnableFormWindowTellsTheWindowAndAnswersTheValue)
{
    FakeWindow w;
    EXPECT_FALSE(mduUILib::EnableFormWindow(w, false));
    EXPECT_FALSE(w.enabled);
    EXPECT_TRUE(mduUILib::EnableFormWindow(w, true));
    EXPECT_TRUE(w.enabled);
}

TEST_F(WindowPlacement, ASizeBelowTheMinimumIsPlacedAutomatically)
{
    // A settings file without its geometry keys reads "0": that must not give a 1x1 window.
    mduUILib::SetScreenSizeProvider([] { return QSizeF(16000, 12000); });
    const struct {
        const char* stored; // nullptr: no such key
        float standalone;   // width a standalone window gets (16000 / 4 when automatic)
    } cases[] = {{"-1", 4000}, {nullptr, 4000}, {"0", 4000},    {"1", 4000},      {"1499", 4000},
                 {"-5", 4000}, {"junk", 4000},  {"1500", 1500}, {"6000.4", 6000}, {"7000 twips", 7000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        mduLib::PropertyTable table;
        table.Create(1);
        if (c.stored) {
            mduLib::SetValue("Window Width", c.stored, table);
            mduLib::SetValue("Window Height", c.stored, table);
        }
        mduLib::SetValue("Window Top", "100", table);
        mduLib::SetValue("Window Left", "200", table);
        FakeWindow w;
        mduUILib::RestoreWindowPlacement(w, table);
        EXPECT_EQ(w.w, c.standalone);
        EXPECT_EQ(w.h, c.standalone == 4000 ? 3000 : c.standalone);
        EXPECT_EQ(w.t, 100);
        EXPECT_EQ(w.l, 200);

        FakeWindow child;
        child.child = true;
        mduUILib::RestoreWindowPlacement(child, table);
        EXPECT_EQ(child.w, c.standalone == 4000 ? FakeWindow{}.w : c.standalone); // automatic leaves a child alone

        FakeWindow central;
        mduUILib::RestoreWindowPosition(central, table);
        EXPECT_FLOAT_EQ(central.w, c.standalone == 4000 ? 16000 / 1.8f : c.standalone);
    }
}

TEST_F(WindowPlacement, ASizeBelowTheMinimumIsNeverWrittenBack)
{
    const QString file = Path("Almanorvique.ini");
    const struct {
        const char* stored;
        float width;
        const char* written;
    } cases[] = {
        {"0", 5000, "0"},                                                   // read as automatic: stays as it was
        {"1499", 5000, "1499"}, {"-1", 5000, "-1"}, {"6000", 5000, "5000"}, // a usable size follows the window
        {"6000", 1, "6000"}, // a window squeezed to nothing keeps the last usable size
        {"6000", 1500, "1500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.stored) + " -> " + std::to_string(c.width));
        WriteBytes(file, QByteArray("Window Width=") + c.stored + "\r\nWindow Height=" + c.stored +
                             "\r\nWindow Top=0\r\nWindow Left=0\r\n");
        mduLib::PropertyTable table;
        FakeWindow w;
        w.w = w.h = c.width;
        w.t = 10;
        w.l = 20;
        mduUILib::SaveWindowPlacement(w, file, table);
        EXPECT_EQ(ReadBytes(file), QByteArray("Window Width=") + c.written + "\r\nWindow Height=" + c.written +
                                       "\r\nWindow Top=10\r\nWindow Left=20\r\n");
    }
}

} // namespace
