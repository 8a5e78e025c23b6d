#include "core/colour_names.h"

#include <gtest/gtest.h>
#include <set>

using namespace mduUILib;

TEST(ColourNames, NamesGiveTheirValuesAndTheCallerKeepsTheTrimmedLowerCaseName)
{
    const struct {
        const char* name;
        qint32 value;
        const char* after;
    } cases[] = {
        {"red", 255, "red"},
        {"Black", 0, "black"},
        {"GREEN", 65280, "green"},
        {"yellow", 65535, "yellow"},
        {"blue", 16711680, "blue"},
        {"Magenta", 16711935, "magenta"},
        {"cyan", 16776960, "cyan"},
        {"  White  ", 16777213, "white"},
        {"Transparent", 16777215, "transparent"},
        {"Custom", 0, "custom"},
        {"Default", 0, "default"},
        {"255", 255, "255"},
        {" 16711680 ", 16711680, "16711680"},
        {"2.5", 2, "2.5"},
        {"-1", -1, "-1"},
        {"99999999999", 0, "99999999999"}, // no colour: black, not a crash
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        QString name = QString::fromLatin1(c.name);
        EXPECT_EQ(ColourFromName(name), c.value) << c.name;
        EXPECT_EQ(name, QString::fromLatin1(c.after)) << c.name;
    }
}

TEST(ColourNames, ValuesGiveTheirNamesAndOthersTheirNumber)
{
    const struct {
        qint32 value;
        const char* name;
    } cases[] = {{0, "Black"},          {255, "Red"},
                 {65280, "Green"},      {65535, "Yellow"},
                 {16711680, "Blue"},    {16711935, "Magenta"},
                 {16776960, "Cyan"},    {16777213, "White"},
                 {16777215, "White"},   {16777218, "Transparent"},
                 {100, "100"},          {-5, "-5"},
                 {16777214, "16777214"}};
    for (const auto& c : cases)
        EXPECT_EQ(ColourName(c.value), c.name) << c.value;
}

TEST(ColourNames, APureWhiteRoundTripComesBackNearlyWhite)
{
    QString name = ColourName(16777215);
    EXPECT_EQ(ColourFromName(name), 16777213);
    for (qint32 v : {0, 255, 65280, 65535, 16711680, 16711935, 16776960, 16777213, 1234})
        EXPECT_EQ(ColourFromName(ColourName(v)), v) << v;
}

TEST(ColourNames, RandomColoursHaveThreePartsBelow255AndVary)
{
    std::set<qint32> seen;
    for (int i = 0; i < 200; ++i) {
        QString name = "Random";
        const qint32 c = ColourFromName(name);
        EXPECT_EQ(name, "random");
        EXPECT_LE(c & 0xFF, 254);
        EXPECT_LE((c >> 8) & 0xFF, 254);
        EXPECT_LE((c >> 16) & 0xFF, 254);
        EXPECT_EQ(c >> 24, 0);
        seen.insert(c);
    }
    // Drawn in a quick loop from one generator: not the same colour over and over.
    EXPECT_GT(seen.size(), 150u);
}
