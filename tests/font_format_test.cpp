#include "core/font_format.h"
#include "ui/controls.h"
#include "ui/form.h"

#include <gtest/gtest.h>
#include <ostream>

using mduAlmanorvqueLib::ApplyTextFormat;

namespace {
struct Look {
    QString name;
    double size;
    bool bold, italic;
    qint32 colour;
    bool underline, strikethrough;
    bool operator==(const Look&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Look& l)
{
    return os << l.name.toStdString() << "," << l.size << "," << l.bold << "," << l.italic << "," << l.colour << ","
              << l.underline << "," << l.strikethrough;
}

struct FakeLabel : mduAlmanorvqueLib::TextFormatTarget {
    Look look;
    void SetFontName(const QString& n) override { look.name = n; }
    void SetFontSize(double p) override { look.size = p; }
    void SetFontBold(bool on) override { look.bold = on; }
    void SetFontItalic(bool on) override { look.italic = on; }
    void SetFontUnderline(bool on) override { look.underline = on; }
    void SetFontStrikethrough(bool on) override { look.strikethrough = on; }
    void SetForeColor(qint32 c) override { look.colour = c; }
};

const Look kBefore{"Courier New", 9, true, true, 7, true, true};
const char* const kArialDefault = "Arial,10,False,False,0,False,False";
} // namespace

TEST(FontFormat, FieldsTakeTheDefaultWhenEmptyAndLeaveTheRestAlone)
{
    const struct {
        const char* format;
        const char* defaultFormat;
        Look after;
    } cases[] = {
        // Only the colour filled: everything else comes from the default.
        {",,,,255,,", kArialDefault, {"Arial", 10, false, false, 255, false, false}},
        // Name and size only: the other attributes keep what the label had.
        {"Times New Roman,12", kArialDefault, {"Times New Roman", 12, true, true, 7, true, true}},
        // An empty format is the default in full.
        {"", kArialDefault, {"Arial", 10, false, false, 0, false, false}},
        // "yes" is no flag: bold stays; numbers are flags.
        {",,yes,0,,1,-1", kArialDefault, {"Arial", 10, true, false, 0, true, true}},
        {"Verdana,8.5,TRUE,false,65535,False,True", "", {"Verdana", 8.5, true, false, 65535, false, true}},
        // The year files' Easter format.
        {",,True,True,65535,,", kArialDefault, {"Arial", 10, true, true, 65535, false, false}},
        // A field that does not convert is skipped and the next ones still apply.
        {"Arial,big,False,,red,,False", "", {"Arial", 9, false, true, 7, true, false}},
        // A default without that field leaves the attribute unchanged.
        {",,,,,,", "Arial,10", {"Arial", 10, true, true, 7, true, true}},
        // Beyond the seventh field nothing is read.
        {"Arial,10,False,False,0,False,False,True,99", "", {"Arial", 10, false, false, 0, false, false}},
        // A size of 0 is no size.
        {"Arial,0", "", {"Arial", 9, true, true, 7, true, true}},
        // Both empty: nothing changes.
        {"", "", kBefore},
    };
    for (const auto& c : cases) {
        FakeLabel label;
        label.look = kBefore;
        ApplyTextFormat(label, QString::fromLatin1(c.format), QString::fromLatin1(c.defaultFormat));
        EXPECT_EQ(label.look, c.after) << "format \"" << c.format << "\" default \"" << c.defaultFormat << "\"";
    }
}

TEST(FontFormat, AppliesToARealLabel)
{
    platform::Form form("frmFontTest");
    platform::Label label(&form, "lblDate", 1);
    platform::FontModel f;
    f.Bold = true;
    f.Underline = true;
    label.SetFont(f);
    ApplyTextFormat(label, ",,,,255,,", kArialDefault);
    EXPECT_EQ(label.Font().Name, "Arial");
    EXPECT_FLOAT_EQ(label.Font().Size, 10.0f);
    EXPECT_FALSE(label.Font().Bold);
    EXPECT_FALSE(label.Font().Italic);
    EXPECT_FALSE(label.Font().Underline);
    EXPECT_FALSE(label.Font().Strikethrough);
    EXPECT_EQ(label.ForeColor(), 255);
}
