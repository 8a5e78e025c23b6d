// The menu item arrays and their fillers: what each fill offers, what it hides, the
// order of recent files, and the modal popup with its scripted runner.
#include "core/conversions.h"
#include "core/desktop_settings.h"
#include "support/test_folders.h"
#include "ui/menu_fillers.h"

#include <QDateTime>
#include <QFile>
#include <QKeySequence>
#include <QMenu>

using platform::MenuItemArray;
using testsupport::WriteBytes;

namespace {

class MenuFillersTest : public testsupport::ProgramFolderTest {
protected:
    QString Folder(const QString& name)
    {
        const QString f = ProgramFolder() + "/" + name;
        QDir().mkpath(f);
        return f;
    }
};

// Caption and tag of the visible items, in order.
QStringList Shown(const MenuItemArray& menu)
{
    QStringList out;
    for (int i = 1; i <= menu.Count(); ++i)
        if (menu(i).Visible())
            out << menu(i).Caption() + "|" + menu(i).Tag;
    return out;
}

void SetAccessTime(const QString& path, const QDateTime& t)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileAccessTime));
}

TEST_F(MenuFillersTest, FillMenuFromListOffersEachElementAndHidesTheRest)
{
    struct Case {
        QString list;
        QStringList shown;
    };
    const Case cases[] = {
        {"Normal,Minimized,Maximized", {"Normal|Normal", "Minimized|Minimized", "Maximized|Maximized"}},
        {"a,b,", {"a|a", "b|b", "|"}},
        {"single", {"single|single"}}, // no stale item 1 from the fill before
        {"", {}},
    };
    for (const Case& c : cases) {
        MenuItemArray menu("mnuList");
        menu.Create(1).SetCaption("30");
        mduUILib::FillMenuFromList(menu, "one,two,three,four,five");
        mduUILib::FillMenuFromList(menu, c.list);
        EXPECT_EQ(Shown(menu), c.shown) << c.list.toStdString();
        EXPECT_EQ(menu.Count(), 5);
    }
}

TEST_F(MenuFillersTest, FillImageMenuOffersElevenPicturesThenNoneAndMore)
{
    const QString f = Folder("Images");
    for (int i = 1; i <= 20; ++i)
        WriteBytes(f + QString("/p%1.jpg").arg(i, 2, 10, QChar('0')), "x");
    WriteBytes(f + "/a-notes.txt", "x");
    WriteBytes(f + "/a-More.txt", "x");
    MenuItemArray menu("mnuImage");
    menu.Create(1);
    mduUILib::FillImageMenu(menu, f);
    QStringList expected{"a-More|" + f + "/a-More.txt"};
    for (int i = 1; i <= 10; ++i)
        expected << QString("p%1|%2/p%1.jpg").arg(i, 2, 10, QChar('0')).arg(f);
    expected << "None|None"
             << "More _|More _";
    EXPECT_EQ(Shown(menu), expected);

    // A smaller folder afterwards hides what the first fill loaded.
    const QString g = Folder("Few");
    WriteBytes(g + "/only.GIF", "x");
    mduUILib::FillImageMenu(menu, g);
    EXPECT_EQ(Shown(menu), (QStringList{"only|" + g + "/only.GIF", "None|None", "More _|More _"}));
    EXPECT_EQ(menu.Count(), 13);

    mduUILib::FillImageMenu(menu, QString()); // no folder: nothing changes
    EXPECT_EQ(Shown(menu).size(), 3);
}

TEST_F(MenuFillersTest, FillFileMenuListsTheMostRecentFirstByTimeNotByDateText)
{
    const QString f = Folder("Styles");
    // Times a day apart across a month boundary: as date texts "9/..." sorts above
    // "30/..." and "10/...", as times it does not.
    const QDateTime base(QDate(2025, 9, 25), QTime(10, 0));
    QStringList newestFirst;
    for (int i = 0; i < 15; ++i) {
        const QString name = QString("s%1.old.ini").arg((i * 7) % 15, 2, 10, QChar('0'));
        WriteBytes(f + "/" + name, "x");
        SetAccessTime(f + "/" + name, base.addDays(i));
        newestFirst.prepend(name);
    }
    // What a killed save left beside a style is never offered.
    WriteBytes(f + "/.s00.old.ini.almanorvique-save-AbC123", "x");
    SetAccessTime(f + "/.s00.old.ini.almanorvique-save-AbC123", base.addDays(30));
    MenuItemArray menu("mnuStyle");
    menu.Create(1);
    mduUILib::FillFileMenu(menu, f, QString(), "More_", 10);
    QStringList expected;
    for (int i = 0; i < 10; ++i)
        expected << newestFirst[i].section('.', 0, 0) + "|" + f + "/" + newestFirst[i];
    expected << "More_|More_";
    EXPECT_EQ(Shown(menu), expected);

    mduUILib::FillFileMenu(menu, f, "Default", QString(), 0); // no limit, a leading item
    EXPECT_EQ(Shown(menu).size(), 16) << Shown(menu).join(" ; ").toStdString();
    EXPECT_EQ(Shown(menu).front(), "Default|");
}

TEST_F(MenuFillersTest, CheckMenuItemTrimsBothSidesAndMatchesCase)
{
    MenuItemArray menu("mnuState");
    menu.Create(1);
    mduUILib::FillMenuFromList(menu, "Normal,maximized,Maximized, Maximized");
    EXPECT_TRUE(mduUILib::CheckMenuItem(menu, " Maximized", 1));
    EXPECT_FALSE(menu(1).Checked());
    EXPECT_FALSE(menu(2).Checked());
    EXPECT_TRUE(menu(3).Checked());
    EXPECT_TRUE(menu(4).Checked());
    EXPECT_FALSE(mduUILib::CheckMenuItem(menu, "", 1));
    EXPECT_FALSE(menu(3).Checked());
    menu(1).Tag = "N";
    EXPECT_TRUE(mduUILib::CheckMenuItem(menu, "N", 0));
    EXPECT_TRUE(menu(1).Checked());
}

TEST_F(MenuFillersTest, NumbersMonthsColoursAndAppendedItems)
{
    MenuItemArray years("mnuYear");
    years.Create(1);
    mduAlmanorvqueLib::FillNumberMenu(years, 2019, 1);
    EXPECT_EQ(years(1).Caption(), "2020");
    EXPECT_EQ(years(12).Tag, "2031");
    EXPECT_THROW(mduAlmanorvqueLib::FillNumberMenu(years, 32760, 1), conv::OverflowError);

    MenuItemArray months("mnuMonth");
    months.Create(1);
    mduAlmanorvqueLib::FillMonthMenu(months);
    EXPECT_EQ(months.Count(), 12);
    EXPECT_EQ(months(12).Tag, "12");
    EXPECT_FALSE(months(1).Caption().isEmpty());

    MenuItemArray colours("mnuColour");
    colours.Create(1);
    mduUILib::FillColourMenu(colours);
    mduUILib::AppendMenuItem(colours, "Custom");
    mduUILib::AppendMenuItem(colours, "Custom");
    EXPECT_EQ(colours.Count(), 9);
    EXPECT_EQ(Shown(colours).front(), "Black|Black");
    EXPECT_EQ(Shown(colours).back(), "Custom|Custom");

    qint16 count = 0;
    QString separator;
    mduUILib::AddMenuItem(colours, "Linen.Desk.ini", "tag", count, 0, separator);
    EXPECT_EQ(separator, ".");
    EXPECT_EQ(colours(1).Caption(), "Linen");
    mduUILib::AddMenuItem(colours, "a-b", "tag", count, 1, "-");
    EXPECT_EQ(colours(2).Tag, "a");
    mduUILib::AddImageMenuItem(colours, "notes.txt", "x", count);
    EXPECT_EQ(count, 2);
}

TEST_F(MenuFillersTest, ScreenSaverTimeMenuKnowsWhenThisProgramIsTheSaver)
{
    MenuItemArray menu("mnuSaver");
    menu.Create(1).SetCaption("30");
    mduUILib::FillScreenSaverTimeMenu(menu, "/opt/cal/Almanorvique /s");
    EXPECT_EQ(menu.Count(), 12);
    EXPECT_EQ(menu(1).Caption(), "40");
    EXPECT_EQ(menu(12).Caption(), "150");
    mduAPILib::SetScreenSaver("/opt/cal/Almanorvique /s", "0", 600, 0);
    mduUILib::FillScreenSaverTimeMenu(menu, "/opt/cal/Almanorvique /s");
    EXPECT_EQ(Shown(menu), QStringList{"Disabled|"});
}

TEST_F(MenuFillersTest, APopupRunsTheChosenHandlerBeforeItReturns)
{
    QMenu top;
    MenuItemArray border("mnuBorder", "Window Border");
    border.Create(1);
    mduUILib::FillMenuFromList(border, "No Border,3D Border,Classic");
    mduUILib::CheckMenuItem(border, "Classic", 1);
    top.addMenu(border.Menu());
    QStringList chosen;
    border.Click = [&](int i) { chosen << border.Entry().Caption() + "=" + border(i).Tag; };

    platform::ScriptedMenus script;
    script.Pick("Window Border/Classic");
    script.Pick(""); // cancelled
    EXPECT_TRUE(platform::PopupMenu(top, {}));
    EXPECT_EQ(chosen, QStringList{"Window Border=Classic"});
    EXPECT_TRUE(border(3).Action()->isChecked()); // choosing a checked item leaves it checked
    EXPECT_FALSE(platform::PopupMenu(top, {}));
    ASSERT_EQ(script.Offered().size(), 2u);
    EXPECT_EQ(script.Offered()[0],
              (QStringList{"Window Border/No Border", "Window Border/3D Border", "Window Border/Classic"}));
    EXPECT_EQ(chosen.size(), 1);
}

} // namespace

// A file name with "&" is shown as it is spelled, never as a shortcut mark.
TEST_F(MenuFillersTest, AnAmpersandInAFileNameIsShownAsItIs)
{
    const QString f = Folder("Styles");
    WriteBytes(f + "/Tom & Jerry.ini", "x");
    MenuItemArray menu("mnuStyle");
    menu.Create(1);
    mduUILib::FillFileMenu(menu, f, QString(), QString(), 0);
    ASSERT_EQ(Shown(menu), QStringList{"Tom & Jerry|" + f + "/Tom & Jerry.ini"});
    QMenu shown;
    shown.addAction(menu(1).Action());
    EXPECT_EQ(menu(1).Action()->text(), "Tom && Jerry");
    EXPECT_EQ(QKeySequence::mnemonic(menu(1).Action()->text()), QKeySequence());
}
