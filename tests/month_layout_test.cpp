#include "central/month_layout.h"

#include <gtest/gtest.h>

using namespace monthlayout;

namespace {
struct Case {
    const char* tag;
    int month;
    int first, last;
    std::vector<int> rowStarts; // months that begin a row
};

std::vector<int> RowStarts(const std::vector<Cell>& cells)
{
    std::vector<int> starts;
    for (const Cell& c : cells)
        if (c.left == kStart)
            starts.push_back(c.month);
    return starts;
}
} // namespace

TEST(MonthLayout, MonthsShownAndRowsAroundTheCurrentMonth)
{
    const Case cases[] = {
        {"2", 1, 1, 1, {1}},
        {"2", 6, 5, 6, {5}},
        {"2", 12, 11, 12, {11}},
        {"4", 1, 1, 2, {1}},
        {"4", 4, 2, 5, {2, 3, 5}},
        {"4", 5, 3, 6, {3, 5}},
        {"4", 12, 10, 12, {10, 11}},
        {"6", 2, 1, 4, {1, 4}},
        {"6", 4, 1, 6, {1, 4}},
        {"6", 5, 2, 7, {2, 4, 7}},
        {"6", 10, 7, 12, {7, 10}},
        {"6", 11, 8, 12, {8, 10}},
        {"12", 1, 1, 12, {1, 4, 7, 10}},
        {"12", 12, 1, 12, {1, 4, 7, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tag " << c.tag << " month " << c.month);
        const auto cells = Plan(QString::fromLatin1(c.tag), c.month, 16800, 11400);
        ASSERT_FALSE(cells.empty());
        EXPECT_EQ(cells.front().month, c.first);
        EXPECT_EQ(cells.back().month, c.last);
        EXPECT_EQ(static_cast<int>(cells.size()), c.last - c.first + 1);
        EXPECT_EQ(RowStarts(cells), c.rowStarts);
    }
}

TEST(MonthLayout, SizesFollowTheFrame)
{
    const struct {
        const char* tag;
        double w, h;
    } sizes[] = {{"2", 2100 / 2.1, 1300 / 1.3},
                 {"4", 2100 / 2.1, 1300 / 2.2},
                 {"6", 2100 / 3.1, 1300 / 2.5},
                 {"12", 2100 / 3.2, 1300 / 5.2}};
    for (const auto& s : sizes) {
        const auto a = ArrangementFor(QString::fromLatin1(s.tag), 6, 2100, 1300);
        ASSERT_TRUE(a.has_value()) << s.tag;
        EXPECT_DOUBLE_EQ(a->width, s.w) << s.tag;
        EXPECT_DOUBLE_EQ(a->height, s.h) << s.tag;
    }
    for (const char* other : {"", "3", "12 ", "twelve"})
        EXPECT_FALSE(ArrangementFor(QString::fromLatin1(other), 6, 2100, 1300).has_value()) << other;
}

TEST(MonthLayout, PositionsStartAt130AndStepByTheWindowsSize)
{
    // 3200 x 5200 gives windows of 1000 x 1000 for "12".
    const auto cells = Plan(QStringLiteral("12"), 3, 3200, 5200);
    ASSERT_EQ(cells.size(), 12u);
    EXPECT_EQ(cells[0].left, 130);
    EXPECT_EQ(cells[0].top, 130);
    EXPECT_EQ(cells[1].left, 1140); // 130 + 1000 + 10
    EXPECT_EQ(cells[2].left, 2150);
    EXPECT_EQ(cells[3].left, 130); // April starts the second quarter
    EXPECT_EQ(cells[3].top, 1260); // 130 + 1000 + 130
    EXPECT_EQ(cells[11].top, 130 + 3 * 1130);

    // "2" keeps one row at the top.
    const auto two = Plan(QStringLiteral("2"), 8, 2100, 1300);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].top, 130);
    EXPECT_EQ(two[1].left, 130 + 1000 + 10);
}

TEST(MonthLayout, NewPositionsAreWholeTwipsRoundedHalfToEven)
{
    EXPECT_EQ(Advance(QStringLiteral("2"), 1, {130, 130}, 100.5, 50).left, 240);   // 240.5 -> 240
    EXPECT_EQ(Advance(QStringLiteral("2"), 1, {130, 130}, 101.5, 50).left, 242);   // 241.5 -> 242
    const Position down = Advance(QStringLiteral("12"), 3, {500, 130}, 10, 200.5); // 460.5 -> 460
    EXPECT_EQ(down.top, 460);
    EXPECT_EQ(down.left, 130);
}
