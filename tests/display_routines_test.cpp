#include "core/app_identity.h"
#include "core/display_routines.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/display_effects.h"
#include "ui/form.h"
#include "ui/picture_box.h"
#include "ui/twips.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace mduUILib;
using testsupport::TableOf;

class StayTime : public ::testing::Test {
protected:
    void TearDown() override { appinfo::SetCommandLine(QString()); }
    const QDateTime start_{QDate(2026, 3, 15), QTime(10, 0, 0, 400)};
    platform::FixedClock clock_{start_};
};

TEST_F(StayTime, IsOverOnlyWithACommandLineAndAfterMoreThanTheStaySeconds)
{
    const struct {
        const char* commandLine;
        const char* stayTime;
        qint64 elapsedMs;
        bool over;
    } cases[] = {
        {"", "60", 61000, false},
        {"", "1", 3600000, false},
        {"/s", "60", 60000, false},
        {"/s", "60", 61000, true},
        // Seconds boundaries crossed: 10:00:00.4 to 10:01:00.9 crossed 60, to 10:01:01.0 61.
        {"/s", "60", 60500, false},
        {"/s", "60", 60600, true},
        {"/s", "0", 86400000, false},
        {"/s", "-5", 86400000, false},
        {"/s", "None", 86400000, false},
        {"/x", "30,0,30,60,300", 31000, true},
        {"/x", "30,0,30,60,300", 30000, false},
        {"/s", " 59.6 seconds", 60000, false}, // 60 after rounding
        {"/s", " 59.6 seconds", 61000, true},
        {"/s", "59.4", 60000, true},
        // Past 32,767 seconds: read in 32 bits.
        {"/s", "100000", 100000000, false},
        {"/s", "100000", 100001000, true},
        {"/s", "99999999999", 100001000, false},
    };
    for (const auto& c : cases) {
        appinfo::SetCommandLine(QString::fromLatin1(c.commandLine));
        clock_.Set(start_.addMSecs(c.elapsedMs));
        const auto table = TableOf({"Window Width=-1", QStringLiteral("Stay Time=") + c.stayTime});
        EXPECT_EQ(IsStayTimeOver(start_, table), c.over)
            << "'" << c.commandLine << "' stay '" << c.stayTime << "' after " << c.elapsedMs << " ms";
    }
}

TEST_F(StayTime, AMissingSettingNeverEndsTheStay)
{
    appinfo::SetCommandLine("/s");
    clock_.AdvanceSeconds(1000000);
    EXPECT_FALSE(IsStayTimeOver(start_, TableOf({"Window Width=-1"})));
}

TEST(WindowStates, NamesAndStates)
{
    const struct {
        const char* name;
        qint16 state;
    } names[] = {{"Maximized", 2}, {"MAXIMIZED", 2}, {" Maximized", 0}, {"minimized", 1},
                 {"Normal", 0},    {"", 0},          {"Maximised", 0}};
    for (const auto& n : names)
        EXPECT_EQ(WindowStateFromName(n.name), n.state) << n.name;
    const struct {
        const char* state;
        const char* name;
    } states[] = {{"2", "Maximized"}, {"1", "Minimized"}, {"0", "Normal"}, {" 2", "Normal"}, {"x", "Normal"}};
    for (const auto& s : states)
        EXPECT_EQ(WindowStateName(s.state), s.name) << s.state;
    EXPECT_TRUE(IsCustom("Custom"));
    EXPECT_FALSE(IsCustom("custom"));
    EXPECT_FALSE(IsCustom(" Custom"));
}

class DisplayEffects : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetEffectWait([this](int ms) { waits_.push_back(ms); });
        for (int i = 1; i <= 4; ++i) {
            auto& l = labels_.Create(i);
            l.SetTop(1000 + i);
        }
    }
    void TearDown() override { SetEffectWait(nullptr); }
    std::vector<float> Tops()
    {
        std::vector<float> t;
        labels_.ForEach([&](int, platform::Label& l) { t.push_back(l.Top()); });
        return t;
    }

    platform::Form form_{"frmEffects"};
    platform::ControlArray<platform::Label> labels_{&form_, "lblHeading"};
    std::vector<int> waits_;
};

TEST_F(DisplayEffects, AnimationModesPlaceTheRowAndWaitAsOften)
{
    AnimateControlArray(labels_, 200, 50, 7, 0);
    EXPECT_EQ(Tops(), std::vector<float>(4, 200));
    EXPECT_TRUE(waits_.empty());

    AnimateControlArray(labels_, 300, 50, 7, 5);
    EXPECT_EQ(Tops(), std::vector<float>(4, 200)); // other modes move nothing
    EXPECT_TRUE(waits_.empty());

    // Mode 1: base + Int(amplitude * sin(i * pi - 1 / Count)), Int rounding down.
    // sin(pi - 0.25) = 0.2474, sin(2pi - 0.25) = -0.2474: 12.37 -> 12, -12.37 -> -13.
    AnimateControlArray(labels_, 100, 50, 7, 1);
    EXPECT_EQ(Tops(), (std::vector<float>{112, 87, 112, 87}));
    EXPECT_EQ(waits_, std::vector<int>(4, 7));

    waits_.clear();
    AnimateControlArray(labels_, 100, 50, 3, 2);
    for (float t : Tops()) {
        EXPECT_GE(t, 100);
        EXPECT_LT(t, 150);
        EXPECT_EQ(t, std::floor(t));
    }
    EXPECT_TRUE(waits_.empty());

    // Mode 3: 51 frames, one wait before each; the last frame (sin(pi)) is back at base.
    AnimateControlArray(labels_, 100, 50, 3, 3);
    EXPECT_EQ(waits_.size(), 51u);
    for (float t : Tops())
        EXPECT_NEAR(t, 100, 1e-3);

    // Mode 4: 50 frames, a wait after each control.
    waits_.clear();
    AnimateControlArray(labels_, 100, 50, 2, 4);
    EXPECT_EQ(waits_, std::vector<int>(200, 2));
    const auto tops = Tops();
    for (int i = 1; i <= 4; ++i)
        EXPECT_NEAR(tops[i - 1], 100 + 50 * std::sin(2.0 * i * 3.14 / 4 + 6.28), 1e-3) << i;
}

TEST_F(DisplayEffects, RandomForeColoursKeepClearOfTheAvoidedColourAndStayColours)
{
    const struct {
        qint32 colour, avoid, result;
    } cases[] = {
        {1000, 5000, 1000},
        {4500, 5000, 5500},
        {5500, 5000, 5500},
        {5501, 5000, 5501},
        {4499, 5000, 4499},
        // Near pure white the colour moves the other way: past &HFFFFFF is no colour.
        {0xFFFFFD, 0xFFFFFD, 0xFFFFFD - 500},
        {0xFFFF00, 0xFFFFFF, 0xFFFFFF - 500},
        {0, 0, 500},
    };
    for (const auto& c : cases)
        EXPECT_EQ(detail::ColourAvoiding(c.colour, c.avoid), c.result) << c.colour << " " << c.avoid;

    for (int i = 5; i <= 60; ++i)
        labels_.Load(i);
    RandomForeColors(labels_, 0xFFFFFD);
    labels_.ForEach([](int i, platform::Label& l) {
        EXPECT_GE(l.ForeColor(), 0) << i;
        EXPECT_LE(l.ForeColor(), 0xFFFFFF) << i;
        EXPECT_TRUE(l.ForeColor() < 0xFFFFFD - 500 || l.ForeColor() > 0xFFFFFD + 500) << i;
    });
}

TEST(PictureBoxFit, StretchesThePictureOverTheInnerAreaAndKeepsItAsThePicture)
{
    platform::Form form("frmBanner");
    platform::PictureBox box(&form, "picBanner");
    box.SetBorderStyle(0);
    box.Move(0, 0, static_cast<float>(platform::PixelsToTwipsX(40)), static_cast<float>(platform::PixelsToTwipsY(20)));

    // Without a picture nothing changes.
    mduUILib::FitPictureToBox(box);
    EXPECT_TRUE(box.GetPicture().IsEmpty());
    EXPECT_EQ(box.ScaleMode(), platform::vbTwips);

    // A 4 x 2 picture: left half red, right half blue.
    QImage img(4, 2, QImage::Format_RGB32);
    img.fill(Qt::blue);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            img.setPixelColor(x, y, Qt::red);
    box.SetPicture(platform::Picture::FromImage(img));
    mduUILib::FitPictureToBox(box);

    EXPECT_EQ(box.ScaleMode(), platform::vbPixels);
    EXPECT_TRUE(box.AutoRedraw());
    EXPECT_EQ(box.ScaleWidth(), 40);
    EXPECT_EQ(box.ScaleHeight(), 20);
    const QImage fitted = box.GetPicture().Image();
    ASSERT_EQ(fitted.size(), QSize(40, 20));
    EXPECT_EQ(fitted.pixelColor(2, 10).rgb(), QColor(Qt::red).rgb());
    EXPECT_EQ(fitted.pixelColor(37, 10).rgb(), QColor(Qt::blue).rgb());
    EXPECT_EQ(fitted.pixelColor(12, 2).rgb(), QColor(Qt::red).rgb());
    EXPECT_EQ(box.Width(), static_cast<float>(platform::PixelsToTwipsX(40))); // the box keeps its size
}
