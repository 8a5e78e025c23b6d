// The month and year captions: the hand the pointer shows over a caption is the way a
// left press turns the calendar.
#include "support/running_calendar.h"

#include <gtest/gtest.h>

namespace {
constexpr int kLeft = 1, kShift = 1, kCtrl = 2;

class ItemMenus : public testsupport::RunningCalendarTest {};
} // namespace

TEST_F(ItemMenus, APressOnACaptionTurnsTheWayItsHandPoints)
{
    const struct {
        bool year;
        int shift;
        int month, yearShown; // after the press, from December 2026
    } cases[] = {
        {false, 0, 1, 2027},      {false, kCtrl, 11, 2026},  {true, 0, 12, 2027},
        {true, kCtrl, 12, 2025},  {false, kShift, 12, 2026}, // Shift: the picture balloon, no turn
        {true, kShift, 12, 2026},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.year ? "year" : "month") << " shift " << c.shift);
        testsupport::TestCalendar& w = Open();
        ASSERT_EQ(w.DisplayedDate().month(), 12);
        if (c.year) {
            w.lblYear_MouseMove(0, c.shift, 10, 10);
            w.lblYear_MouseDown(kLeft, c.shift, 10, 10);
        } else {
            w.lblMonth_MouseMove(0, c.shift, 10, 10);
            w.lblMonth_MouseDown(kLeft, c.shift, 10, 10);
        }
        EXPECT_EQ(w.DisplayedDate().month(), c.month);
        EXPECT_EQ(w.DisplayedDate().year(), c.yearShown);
    }
}
