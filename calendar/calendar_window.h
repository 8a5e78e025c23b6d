#pragma once
// The calendar window: one month page over pictures, with a clock and a scrolling message
// line. The single-calendar program shows the default instance; the multi-calendar frame
// makes one instance per month as child windows.
#include "core/settings_store.h"
#include "editors/dialogs/calendar_caller.h"
#include "ui/common_dialog.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/menu_items.h"
#include "ui/text_box.h"
#include "ui/timer.h"

#include <QDate>
#include <QDateTime>
#include <QImage>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CBalloonToolTip;

// Each area's state is a struct in a header of its own, calendar/<area>_state.h: only the
// form's files that use it and the tests of the area see it.
namespace calendarform {
struct BalloonsState;
struct ClockState;
struct CommandsState;
struct DayDatesState;
struct DayNotesState;
struct MenusState;
struct PageMouseState;
struct SettingMenu;
} // namespace calendarform

namespace messageline {
struct LineState;
struct Span;
} // namespace messageline

class frmAlmanorvique : public platform::Form, public CalendarCaller {
    Q_OBJECT
public:
    // The states of the window's timer.
    enum FormStateValue {
        kNotLoaded = 0,    // nothing to do yet
        kRunning = 1,      // clock, message line and stay time
        kFullLoad = 2,     // the first tick loads dates, settings and pictures
        kResizeSettle = 3, // a resize waits for the burst to end before the re-layout
        kLaidOut = 4,      // the re-layout is done; its own resize is not another one
    };
    // The window styles of ShowMe's style tag that the window tells apart.
    static constexpr int kNormalStyle = 0;
    static constexpr int kScreenSaverStyle = 5;
    // How long after a change of the dates a running window writes them.
    static constexpr qint64 kDatesWriteDelayMs = 1000;
    // DrawStyle of a window whose background is see-through (the frame's colour shows).
    static constexpr int kTransparentDrawStyle = 1;

    frmAlmanorvique();
    ~frmAlmanorvique() override;

    // The default instance, created on first use.
    static frmAlmanorvique& Default();
    static bool HasDefault();

    // ---- public interface of the form ----
    QString GetSpecialDateMsg(QString& strCurrentYear);
    QString DefaultDateFormat();
    void SetDialogFontLabel(platform::Label& objLabel);
    void SetDialogFont(QString& strValueStr);
    void SetDateFont(const QString& strOption, QString& strDateRange);
    void RefreshForm(const QString& strIniFile) override;
    void ConfigSetup();
    void SetMDIChildSize(float sngLeft, float sngTop, float sngWidth, float sngHeight);
    int ShowMeMDIChild(platform::Form* frmParent, int intStyle, const QDate& dStartDate);
    void ShowMe(int intStyle, const QDate& dStartDate);
    void SetCalendarSize();
    void SetWindowBackColour(QString& strColour, int intSetOption);
    QString DefaultIniFile() override;
    void SetFormState(int iState);
    qint32 SetOptionValue(qint32 lngCurr, qint32 lngValue);
    void MoveMonth(int iDirection);
    int ShowMsgbox(const QString& Prompt, int Button, const QString& Title) override;
    void ReloadDates() override;
    void ReloadDatesOf(const QString& file) override;
    void AddFile(const QString& sPath, const QString& sFile) override;
    // What the dialogs it opens call back.
    platform::Form& CallerForm() override { return *this; }
    platform::Form* FrameForm() override { return MDIChild() ? ParentForm_.data() : nullptr; }
    // Writes the date tables and the window's place, as at closing. A date file that cannot
    // be written is said, with the offer to try again; false when the user gave up on it.
    bool SaveCalendarData();
    // While one lives (the frame closing its month windows), a date file that cannot be
    // written is asked about once, by the first window that fails on it: the windows share
    // the file, and the answer No holds for all of them. consequence ends the question.
    class OneSaveQuestionPerFile {
    public:
        explicit OneSaveQuestionPerFile(const QString& consequence);
        ~OneSaveQuestionPerFile();
        OneSaveQuestionPerFile(const OneSaveQuestionPerFile&) = delete;
        OneSaveQuestionPerFile& operator=(const OneSaveQuestionPerFile&) = delete;
    };

    // ---- state the tests and the other windows read ----
    int FormState() const { return FormState_; }
    const QDateTime& StartTime() const { return StartTime_; }
    mduLib::PropertyTable& Properties() { return Properties_; }
    // The year tables of the previous, displayed and next year; every window of the run
    // that shows a year holds the same table of it.
    mduLib::PropertyTable& PrevYearDates() { return YearTable(0); }
    mduLib::PropertyTable& YearDates() { return YearTable(1); }
    mduLib::PropertyTable& NextYearDates() { return YearTable(2); }
    const mduLib::PropertyTable& YearDates() const;
    // The settings file of a month window (the single calendar answers "").
    QString IniFilePath() const { return MDIChild() ? IniFilePath_ : QString(); }
    float ChildLeft() const { return ChildLeft_; }
    float ChildTop() const { return ChildTop_; }
    float ChildWidth() const { return ChildWidth_; }
    float ChildHeight() const { return ChildHeight_; }
    platform::Form* ParentForm() const { return ParentForm_; }
    // The displayed date (lblMonth's Tag).
    QDate DisplayedDate() const;

protected:
    // ---- the controls that several areas use ----
    platform::ControlArray<platform::Image> imgCalendar{this, QStringLiteral("imgCalendar")};
    platform::Label lblMonth{this, QStringLiteral("lblMonth")};
    platform::Label lblYear{this, QStringLiteral("lblYear")};
    platform::ControlArray<platform::Label> lblDateShadow{this, QStringLiteral("lblDateShadow")};
    platform::ControlArray<platform::Label> lblDate{this, QStringLiteral("lblDate")};
    platform::ControlArray<platform::Image> imgActivity{this, QStringLiteral("imgActivity")};
    platform::ControlArray<platform::Image> imgPageCorner{this, QStringLiteral("imgPageCorner")};
    platform::Label lblClock{this, QStringLiteral("lblClock")};
    platform::Label lblMsg{this, QStringLiteral("lblMsg")};
    platform::Shape shpHighlight{this, QStringLiteral("shpHighlight")};
    platform::TextBox txtMsg{this, QStringLiteral("txtMsg")};
    platform::Timer Timer1{this, 100, true};
    // The window's open, save, font and colour dialogs; they keep their state.
    platform::CommonDialog objDialog{this};
    // The window's cursor pictures, 1 to 6.
    std::vector<QImage> imgList;

    // ---- month grid and navigation ----
    void MoveYear(int n);
    void ShowMonthOf(const QDate& d, const QString& view);
    void FillMonthGrid(const QDate& d, const QString& view);
    void FormatDateCell(platform::Label& cell);
    void FormatAllDateCells();
    void SetWeekdayHeadings(bool abbreviate, int length);
    int GetWeekStartDay();
    void SetLabelColour(platform::Label& label, const QString& colour, const QString& defaultColour);
    void ApplyColumnColour(const QString& name, const QString& colour);
    void RepaintCalendar();
    QString GetMonthColourKey();
    QString GetMonthImageKey();
    QString GetYearColourKey();
    QString GetYearImageKey();
    QString GetColumnColourKey(const QString& day);
    void imgPageCorner_Click(int Index);
    void lblYear_Change();

    // ---- day grid layout ----
    void LayoutDayGrid();
    void SetClockPosition();
    void PlaceDateShadow(platform::Label& cell, int i, int angle);
    void PlaceActivityIcon(int i);

    // ---- page layout ----
    void SetCalendarLayout();
    bool IsTransparentWindow();
    bool ShowPictureByOrientation(QString& file);

    // ---- day captions, messages and fonts ----
    // False when an entry could not be stored (said): its file is full.
    bool SetDateItem(const QString& dates, const QString& value, const QString& section);
    // Runs write on the date table t (the personal dates, or the table of year); false, and
    // said naming the file, when the table holds all the entries a file can, so what (the
    // entry, as the user knows it) was not stored.
    bool StoreDateEntry(const mduLib::PropertyTable& t, int year, const QString& what,
                        const std::function<void()>& write);
    void EditDateCaptionMessage(const QString& dates, const QString& value, const QString& section, int index);
    void ResetAllDateFonts();
    QString GetFontSpec(const platform::Label& label);
    bool IsHighlightShown();
    // The year table of a date: the displayed year's, the one before or after; none else.
    mduLib::PropertyTable* YearTableOf(const QDate& d);

    // ---- day notes ----
    QString GetActivity(const QString& dateText);
    // False (and said) when the note could not be stored: its year file is full.
    bool SetActivity(const QString& dateText, const QString& note);
    void EditActivity(int i, qint32 width, qint32 height);
    void CloseActivityEditor(int i);
    // Stores what the open note editor holds (when it changed) and closes it. A note that
    // could not be stored (said) stays in its editor, unless the cells are about to show
    // other days (cellsChange): then it goes with the editor.
    void LeaveActivityEditor(bool cellsChange = false);
    void SizeActivityIcon(int i);
    void ShowActivityTip(int i, bool force, float x, float y);
    qint32 GetActivityEditorWidth();
    qint32 GetActivityEditorHeight();
    void imgActivity_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void imgActivity_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void lblDate_DblClick(int Index);
    void lblDate_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void txtMsg_DblClick();

    // ---- pictures and backgrounds ----
    bool LoadCalendarPicture(QString& file, int slot, bool clearWhenNone);
    // The file a picture value shows.
    QString PictureFileOf(const QString& value) const;
    // Says that the picture file cannot be shown, and why, once a run.
    void TellPictureFailure(const QString& file, const QString& whyNot);
    void ShowCurrentPictures();
    // The pictures of the images folder offered by the menus; AddFile appends to it.
    platform::MenuItemArray MainImage{QStringLiteral("MainImage")};

    // ---- command dispatcher ----
    void ApplySetting(const QString& name, const QString& value, const QString& context);
    void About_Click();
    void Help_Click();
    void AutoStart_Click();
    void ScreenSaverTime_Click(int Index);
    QString GetScreenSaverCommand();
    void PropertiesMenu_Click();
    // The screen-saver time-outs of the window menu.
    platform::MenuItemArray ScreenSaverTime{QStringLiteral("ScreenSaverTime"), QStringLiteral("Set Screen Saver")};
    // Writes this run's changes of the personal dates and the year tables (not the
    // settings) into their files; what could not be written, with the reason.
    // paths, when given, gets the path of each file that could not be written.
    QStringList SaveDateTables(QStringList* paths = nullptr);
    // SaveDateTables until it succeeds or the user answers that the dates may go
    // (consequence says what then happens); false then.
    bool SaveDateTablesOrAsk(const QString& consequence);

    // ---- settings and style files ----
    void SavePropertiesMenu_Click();
    void SaveStyleAs_Click();
    void SaveStyleToFile();
    // Says, once the window is shown, why its settings file could not be read whole.
    void TellUnreadableSettings();
    // Loads the style file named by path and reloads the window at the next tick.
    void LoadStyle(const QString& path);

    // ---- balloon tips ----
    void ShowBalloonAt(const QString& title, const QString& text, float x, float y);
    void ShowBalloonTip(const QString& title, QString& text, bool force, float x, float y);
    void HideBalloonTip();
    void ShowLabelImageTip(const QString& controlName, int shift, float x, float y);
    bool GetAutoShowBalloonTips();
    void lblDate_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void lblMonth_MouseMove(int Button, int Shift, float X, float Y);
    void lblYear_MouseMove(int Button, int Shift, float X, float Y);
    // The balloon text of a day cell: its special and own captions, then the personal one.
    QString DayBalloonText(const QString& dateTag) const;
    CBalloonToolTip& BalloonTip();

    // ---- mouse on the page ----
    void imgCalendar_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void imgCalendar_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void imgCalendar_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void imgCalendar_DblClick(int Index);
    bool IsInHighlight(float X, float Y);
    QString SelectDatesInRect(qint32 Left, qint32 Top, qint32 Right, qint32 Bottom);
    void SaveCalendarSizeFromFrame();
    // The window's cursor: a pointer, or a custom one with picture `icon` of imgList.
    void SetWindowCursor(int pointer, int icon = 0);
    bool IsLeftHandCursor();
    // The frame edit with Ctrl while the frame is shown (PX, PY the pointer in the window).
    void EditFrame(int Index, int Button, float X, float Y, qint32 PX, qint32 PY);
    // Releases the window-update lock when this window holds it.
    void ReleaseUpdateLock();

    // ---- picture and page edits, page-turn corners, window drag ----
    void EditSurface(int Index, int Button, float X, float Y, qint32 PX, qint32 PY);
    void ShowPageCorners(qint32 PX, qint32 PY);
    void DragWindow(int Button, float X, float Y);

    // ---- popup menus of the page ----
    void ShowDateMenu(const QString& dates);
    void PopupFrameMenu();
    void PopupCalendarMenu(int Index);
    QString GetAutoPositionList();
    void SetAutoStartMenu();
    void ItemMenuItem1_Click(int Index);
    void ItemMenuItem2_Click(int Index);
    void ItemMenuItem3_Click(int Index);
    void ItemMenuCaption_Click(int Index);
    // The window menu: its setting entries are the rows of SettingMenus(), in its order;
    // entry MenuCaption(n), from 2 on, opens the item array MenuItem(n) ("MenuItem<n>").
    // The fixed commands follow.
    platform::MenuItemArray CalendarPopupMenu{QStringLiteral("CalendarPopupMenu")};
    std::unique_ptr<platform::MenuItem> AutoStart, Help, About, CloseDown, SavePropertiesMenu, SaveStyleAs,
        PropertiesMenu;
    std::vector<calendarform::SettingMenu> SettingMenus();
    platform::MenuItem& MenuCaption(int n);
    platform::MenuItemArray& MenuItem(int n);
    // The item menu of the day cells, the grid frame, the weekday row, the clock and the
    // captions: entries 1 to 3 open ItemMenuItem1 to 3, entries 5 to 7 are commands.
    platform::MenuItemArray ItemPopup{QStringLiteral("ItemPopup")};
    platform::MenuItemArray ItemMenuItem1{QStringLiteral("ItemMenuItem1")},
        ItemMenuItem2{QStringLiteral("ItemMenuItem2")}, ItemMenuItem3{QStringLiteral("ItemMenuItem3")};
    platform::MenuItem& ItemMenuCaption(int n);
    // Opens a popup at the pointer; the chosen item's command has run when it returns.
    bool OpenPopup(platform::MenuItemArray& menu);

    // ---- item menus ----
    void HideItemMenuItems(int from);
    void FillYearMenu(platform::MenuItemArray& menu);
    void lblMonth_MouseDown(int Button, int Shift, float X, float Y);
    void lblYear_MouseDown(int Button, int Shift, float X, float Y);
    // The menus of a weekday header cell, the clock and the month or year caption.
    void PopupWeekdayMenu(platform::Label& cell);
    void PopupClockMenu();
    void PopupCaptionMenu(platform::Label& caption);

    // ---- clock and message line ----
    void UpdateClock();
    // UpdateClock on a tick, only when the second or the settings changed since it ran.
    void TickClock();
    void SaveClockPosition(qint32 left, qint32 top);
    void lblClock_MouseDown(int Button, int Shift, float X, float Y);
    void lblClock_MouseMove(int Button, int Shift, float X, float Y);
    void lblClock_MouseUp(int Button, int Shift, float X, float Y);
    void StartScrollingMessage(const QString& text);
    void ResetScrollingMessage();
    void AppendMessageChar(int& position);
    void ScrollMessage();
    void lblMsg_DblClick();
    // Stops the message: two blanks where the line stands.
    void StopScrollingMessage();

    // ---- lifecycle ----
    void CloseCalendar();
    // x: the pointer's X on the screen, twips.
    void CheckScreenSaverExit(float x);
    void FocusIfMDIChild();
    void ApplyAllSettings();
    // fromFiles: the files changed under the run's tables, which take what they hold.
    void LoadYearDates(bool fromFiles = false);
    void ShowReloadedDates();
    void Timer1_Timer();
    void CloseDown_Click();

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;
    void Form_GotFocus() override;
    void Form_LostFocus() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyUp(int& keyCode, int shift) override;
    bool event(QEvent* e) override;

    // ---- each area's state, as the tests reach it ----
    calendarform::ClockState& ClockArea() { return *clock_; }
    calendarform::DayDatesState& DayDatesArea() { return *dayDates_; }
    calendarform::PageMouseState& PageMouseArea() { return *pageMouse_; }
    calendarform::BalloonsState& BalloonsArea() { return *balloons_; }
    calendarform::CommandsState& CommandsArea() { return *commands_; }
    calendarform::MenusState& MenusArea() { return *menus_; }
    calendarform::DayNotesState& DayNotesArea() { return *dayNotes_; }

private:
    friend struct CalendarCommands;
    void Form_Initialize();
    void BuildPopupMenus();
    // Writes entry n of the item menu and shows it.
    void SetItemEntry(int n, const QString& caption, const QString& tag);
    // Hands the chosen item of a submenu to the dispatcher: entry caption, item Tag, entry Tag.
    void ApplySubmenuChoice(platform::MenuItemArray& menu, int Index);
    void SetCaptionPointer(platform::Label& caption, int Shift, bool pointerOnShift, float X, float Y);
    // A geometry or size setting as a number; -1 (automatic) when it is not one.
    qint32 NumericSettingOf(const QString& key) const;
    void BuildControls();
    bool IsScreenSaverStyle() const;

    int FormState_ = 0;
    QDateTime StartTime_;
    mduLib::PropertyTable Properties_;
    QString IniFilePath_; // the window's own settings file
    // Why that file was not read whole at the set-up, until it was said; "" when it was.
    QString IniFileProblem_;
    float ChildLeft_ = 0, ChildTop_ = 0, ChildWidth_ = 0, ChildHeight_ = 0;
    QPointer<platform::Form> ParentForm_;
    mduLib::PropertyTable& YearTable(int k);
    // Writes the year tables' changes into the files they came from; what failed.
    QStringList SaveYearTables(QStringList* paths = nullptr);
    void LoadPersonalDates();
    // Whether the personal dates or a year table this window holds has changes of this run
    // that are not in its file yet.
    bool HoldsUnsavedDates() const;
    std::array<quint64, 4> DateTableRevisions() const;
    // A running tick writes the dates a moment after they changed, so that a run that ends
    // without closing its windows (the display lost) keeps them. A write that failed is not
    // tried again until the tables change again; the close then asks.
    void SaveDatesSoonAfterChange();
    std::optional<float> firstPointerX_; // the screen saver's first pointer position

    // Clock and message line.
    messageline::Span MessageSpan();
    std::function<double(const QString&)> MessageMeasure();
    // Reads the line's label into the clock state, runs the step and shows the result.
    void StepMessageLine(const std::function<void(messageline::LineState&)>& step);

    // Day notes.
    void PrepareActivityIcons();

    // Made in the form's constructor, after its member controls; no control reaches them
    // while it is built or destroyed.
    std::unique_ptr<calendarform::ClockState> clock_;
    std::unique_ptr<calendarform::DayDatesState> dayDates_;
    std::unique_ptr<calendarform::PageMouseState> pageMouse_;
    std::unique_ptr<calendarform::BalloonsState> balloons_;
    std::unique_ptr<calendarform::CommandsState> commands_;
    std::unique_ptr<calendarform::MenusState> menus_;
    std::unique_ptr<calendarform::DayNotesState> dayNotes_;
};
