#include "core/settings_store.h"
#include "core/window_placement.h"
#include "support/test_folders.h"

#include <gtest/gtest.h>

using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {
struct FakeWindow : mduUILib::PlacedWindow {
    float left = 111, top = 222, width = 3333, height = 4444;
    bool child = false;
    float Left() const override { return left; }
    float Top() const override { return top; }
    float Width() const override { return width; }
    float Height() const override { return height; }
    void SetLeft(float v) override { left = v; }
    void SetTop(float v) override { top = v; }
    void SetWidth(float v) override { width = v; }
    void SetHeight(float v) override { height = v; }
    int WindowState() const override { return 0; }
    bool MDIChild() const override { return child; }
};

class WindowPlacement : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        mduUILib::SetScreenSizeProvider([] { return QSizeF(16000, 12000); });
    }
    void TearDown() override
    {
        mduUILib::SetScreenSizeProvider(nullptr);
        ProgramFolderTest::TearDown();
    }
};
} // namespace

TEST_F(WindowPlacement, ASizeBelowTheMinimumIsPlacedAutomatically)
{
    // A settings file without its geometry keys reads "0": that must not give a 1x1 window.
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
        EXPECT_EQ(w.width, c.standalone);
        EXPECT_EQ(w.height, c.standalone == 4000 ? 3000 : c.standalone);
        EXPECT_EQ(w.top, 100);
        EXPECT_EQ(w.left, 200);

        FakeWindow child;
        child.child = true;
        mduUILib::RestoreWindowPlacement(child, table);
        EXPECT_EQ(child.width, c.standalone == 4000 ? 3333 : c.standalone); // automatic leaves a child alone

        FakeWindow central;
        mduUILib::RestoreWindowPosition(central, table);
        EXPECT_FLOAT_EQ(central.width, c.standalone == 4000 ? 16000 / 1.8f : c.standalone);
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
        w.width = w.height = c.width;
        w.top = 10;
        w.left = 20;
        mduUILib::SaveWindowPlacement(w, file, table);
        EXPECT_EQ(ReadBytes(file), QByteArray("Window Width=") + c.written + "\r\nWindow Height=" + c.written +
                                       "\r\nWindow Top=10\r\nWindow Left=20\r\n");
    }
}
