// The calendar window's life: creation, set-up from its settings file, the timer's state
// machine (full load, re-layout after a resize, running ticks), the screen-saver exit,
// the focus handling of month windows and what the window writes when it closes.
#include "balloons_state.h"
#include "calendar_window.h"
#include "commands_state.h"
#include "core/set_up_step.h"
#include "day_dates_state.h"
#include "menus_state.h"
#include "settings_keys.h"

#include "core/app_identity.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/display_routines.h"
#include "core/file_helpers.h"
#include "core/first_start_look.h"
#include "core/help_about.h"
#include "core/program_path.h"
#include "core/settings_templates.h"
#include "core/system_info.h"
#include "core/window_placement.h"
#include "core/year_dates.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "system/user_locale.h"
#include "system/whole_file_write.h"
#include "ui/event_guard.h"
#include "ui/update_lock.h"
#include "ui/window_shape.h"

#include <QDebug>

using namespace mduAlmanorvqueLib;
using mduLib::Step;
namespace keys = calendarkeys;

void frmAlmanorvique::Form_Initialize()
{
    Properties_.Create(5);
    // The personal dates are the run's: another window may hold unsaved edits in them.
    if (!gPersonalDates.IsCreated())
        gPersonalDates.Create(1);
    balloons_->Tip = std::make_unique<CBalloonToolTip>();
}

void frmAlmanorvique::Form_Load()
{
    FormState_ = kNotLoaded;
    if (conv::LeadingNumber(Tag) == 0)
        Tag = QStringLiteral("1");
    StartTime_ = platform::Now();
    txtMsg.SetVisible(false);
    lblClock.SetVisible(false);
    lblYear.SetCaption(QString());
    lblMonth.SetCaption(QString());
    lblDate(1).SetCaption(QString());
    lblClock.SetCaption(QString());
    lblDate(1).SetVisible(false);
    lblDateShadow(1).SetVisible(false);
    for (int i = 0; i <= 2; ++i)
        imgCalendar(i).SetVisible(false);
    if (MDIChild()) {
        SetWidth(0);
        SetHeight(0);
    }
    // The window keeps the ordinary stacking; only the screen-saver run goes on top.
    FormState_ = kFullLoad;
    Timer1.SetInterval(1);
    Timer1.SetEnabled(true);
}

void frmAlmanorvique::ShowMe(int intStyle, const QDate& dStartDate)
{
    platform::ScopedUpdateLock lock(hWnd());
    // Whatever fails on the way, the window is shown (before the lock is released): a
    // calendar that never appears would leave the program running unseen. A window of its
    // own is shown by the full load instead, once its settings gave it its frame.
    struct ShowAtEnd {
        frmAlmanorvique* f;
        ~ShowAtEnd()
        {
            if (f->MDIChild() || f->FormState_ != kFullLoad)
                f->Show();
        }
    } showAtEnd{this};
    Tag = QString::number(intStyle);
    lblMonth.Tag = conv::DateText(dStartDate);
    ConfigSetup();
    mduUILib::RestoreWindowPlacement(*this, Properties_);
    // A child window is shown as soon as its place is known, so the frame maps it while the
    // month is built; the update lock keeps it from drawing before the month is there.
    if (MDIChild())
        Show();
    SetWeekdayHeadings(false, 0);
    MoveMonth(0);
}

int frmAlmanorvique::ShowMeMDIChild(platform::Form* frmParent, int intStyle, const QDate& dStartDate)
{
    ParentForm_ = frmParent;
    SetMDIChild(true);
    ShowMe(intStyle, dStartDate);
    return 0;
}

void frmAlmanorvique::SetMDIChildSize(float sngLeft, float sngTop, float sngWidth, float sngHeight)
{
    ChildLeft_ = sngLeft;
    ChildTop_ = sngTop;
    ChildWidth_ = sngWidth;
    ChildHeight_ = sngHeight;
}

void frmAlmanorvique::ConfigSetup()
{
    Step([&] {
        // Always one plain folder level: never empty, never leading out of the user folder.
        gRegion = platform::CountryFolderName();
        gUserRegionFolder = gDataFolder + "/" + gRegion + "/";
        mduLib::MakeFolderIfMissing(gUserRegionFolder);
    });
    QString templ;
    Step([&] {
        const QString name = MDIChild() ? QString::number(DisplayedDate().month()) : QStringLiteral("Almanorvique");
        templ = gIniTemplateFolder + mduLib::WithIniExtension(name);
        IniFilePath_ = gUserRegionFolder + mduLib::WithIniExtension(name);
        gIniFile = IniFilePath_;
    });
    Step([&] { platform::RemoveLeftoverTemporariesIn(gUserRegionFolder); });
    Step([&] {
        // An empty file is what a first start on a full disk left: it is made again.
        if (mduLib::IsMissingOrEmpty(IniFilePath_)) {
            if (mduLib::CopyFileFso(templ, IniFilePath_, true))
                FillFirstStartPictures(IniFilePath_, DisplayedDate().month(), gImagesFolder);
        } else if (mduLib::IsFileNewer(templ, IniFilePath_))
            mduLib::MergeIniFile(IniFilePath_, templ, IniFilePath_);
    });
    // A file cut at the line limit or not decoded shows what was read; it is never written
    // over, and the user hears why once the window is there.
    Step([&] { mduLib::LoadIniFileForRewrite(IniFilePath_, Properties_, &IniFileProblem_); });
}

void frmAlmanorvique::SetCalendarSize()
{
    if (WindowState() != platform::vbNormal)
        return;
    const QSizeF screen = mduUILib::ScreenSizeTwips();
    Step([&] {
        qint32 w = mduUILib::UsableWindowSize(conv::ToInt32(mduLib::GetProp(keys::WindowWidth, Properties_)));
        if (w == -1 && !MDIChild())
            w = static_cast<qint32>(screen.width() / 4);
        // Automatic means its cell: a window the frame gave none yet keeps its width.
        if (w == -1 && ChildWidth_ <= 0)
            return;
        SetWidth(ChildWidth_ >= w ? ChildWidth_ : static_cast<float>(w));
    });
    Step([&] {
        qint32 h = mduUILib::UsableWindowSize(conv::ToInt32(mduLib::GetProp(keys::WindowHeight, Properties_)));
        if (h == -1 && !MDIChild())
            h = static_cast<qint32>(screen.height() / 4);
        if (h == -1 && ChildHeight_ <= 0)
            return;
        SetHeight(ChildHeight_ >= h ? ChildHeight_ : static_cast<float>(h));
    });
}

void frmAlmanorvique::RefreshForm(const QString&)
{
    Properties_ = gPropertyTable;
    mduUILib::RestoreWindowPlacement(*this, Properties_);
    ApplyAllSettings();
}

QString frmAlmanorvique::DefaultIniFile()
{
    return appinfo::ProgramFolder() + "/" + mduLib::WithIniExtension(QStringLiteral("Almanorvique"));
}

void frmAlmanorvique::SetFormState(int iState) { FormState_ = iState; }

int frmAlmanorvique::ShowMsgbox(const QString& Prompt, int Button, const QString& Title)
{
    return platform::MsgBox(Prompt, Button, Title, this);
}

void frmAlmanorvique::LoadPersonalDates()
{
    // A table this run has loaded keeps its unsaved entries on top of what the file holds
    // now; one that could not be read whole is read afresh.
    if (gPersonalDates.IsCreated() && (gPersonalDatesLoaded || gPersonalDates.Changed())) {
        if (mduLib::ReloadKeepingChanges(gPersonalDates, gPersonalDatesFile))
            gPersonalDatesLoaded = true;
        return; // unreadable now: the table stays as it is, with its unsaved entries
    }
    gPersonalDates.Create(1);
    gPersonalDatesLoaded = mduLib::LoadIniFileForRewrite(gPersonalDatesFile, gPersonalDates);
}

void frmAlmanorvique::ReloadDates()
{
    // The tables take what the date manager just wrote; this window's own unsaved entries
    // stay on top.
    LoadPersonalDates();
    LoadYearDates(true);
    ShowReloadedDates();
}

void frmAlmanorvique::ReloadDatesOf(const QString& file)
{
    if (file == gPersonalDatesFile)
        LoadPersonalDates();
    for (int k = 0; k < 3; ++k)
        if (dayDates_->YearTables[k] && YearFilePath(dayDates_->TablesYear - 1 + k) == file)
            dayDates_->YearTables[k] = SharedYearDates(dayDates_->TablesYear - 1 + k, true);
    ShowReloadedDates();
}

void frmAlmanorvique::ShowReloadedDates()
{
    // The month shows the dates just saved at once.
    if (IsLoaded() && DisplayedDate().isValid()) {
        FillMonthGrid(DisplayedDate(), QStringLiteral("M"));
        FormatAllDateCells();
        LayoutDayGrid();
        RepaintCalendar();
    }
}

void frmAlmanorvique::ApplyAllSettings()
{
    struct Replay {
        bool& on;
        explicit Replay(bool& flag) : on(flag) { on = true; }
        ~Replay() { on = false; }
    } replay(commands_->Replaying);
    // The window state goes to the window after the frame settings (title bar, border,
    // topmost), which make its native window again: a state given before may be lost.
    struct HeldState {
        platform::Form& form;
        explicit HeldState(platform::Form& f) : form(f) { form.HoldWindowState(true); }
        ~HeldState() { form.HoldWindowState(false); }
    } held(*this);
    const int u = Properties_.UBound();
    for (int i = 1; i <= u; ++i) {
        const mduLib::PropertyItem e = Properties_[i];
        ApplySetting(e.Key, mduLib::FirstListItem(e.Value), QString());
    }
}

mduLib::PropertyTable& frmAlmanorvique::YearTable(int k)
{
    return dayDates_->YearTables[k] ? dayDates_->YearTables[k]->Table : dayDates_->NoYearTable;
}

const mduLib::PropertyTable& frmAlmanorvique::YearDates() const
{
    return dayDates_->YearTables[1] ? dayDates_->YearTables[1]->Table : dayDates_->NoYearTable;
}

void frmAlmanorvique::LoadYearDates(bool fromFiles)
{
    // The old tables are held until the new ones are: a year shown again keeps its table,
    // with what was not written yet.
    std::shared_ptr<SharedYearTable> old[3];
    for (int k = 0; k < 3; ++k)
        old[k] = std::move(dayDates_->YearTables[k]);
    dayDates_->TablesYear = 0;
    if (lblMonth.Tag.isEmpty())
        lblMonth.Tag = conv::DateText(platform::Today());
    const QDate d = DisplayedDate();
    if (!d.isValid())
        return;
    for (int k = 0; k < 3; ++k)
        dayDates_->YearTables[k] = SharedYearDates(d.year() - 1 + k, fromFiles);
    dayDates_->TablesYear = d.year();
}

namespace {
// Writes what this run changed in a date table into its file; the reason when it failed.
void SaveDateTable(mduLib::PropertyTable& table, const QString& path, QStringList& failed, QStringList* paths)
{
    // Each table is written key by key into its file as it is now, so that what another
    // copy of the program or the date manager wrote meanwhile stays; a table another
    // window saved already has nothing left to write.
    if (mduLib::SaveIniFileMerged(table, path))
        return;
    const QString why = platform::LastWriteFailure().isEmpty() ? path : platform::LastWriteFailure();
    // A file that was never made, of a table the user did not change, loses nothing: the
    // user is asked only about their own entries.
    if (mduLib::ChangesSinceSaved(table).empty()) {
        qWarning().noquote() << "Almanorvique: a date file could not be made:" << why;
        return;
    }
    failed.append(why);
    if (paths)
        paths->append(path);
}

// The files whose question was answered No while a OneSaveQuestionPerFile lives, and what
// its question ends with; none outside one.
struct SaveQuestionScope {
    QString consequence;
    QStringList declined;
};
SaveQuestionScope* gSaveQuestions = nullptr;
} // namespace

frmAlmanorvique::OneSaveQuestionPerFile::OneSaveQuestionPerFile(const QString& consequence)
{
    if (!gSaveQuestions)
        gSaveQuestions = new SaveQuestionScope{consequence, {}};
}

frmAlmanorvique::OneSaveQuestionPerFile::~OneSaveQuestionPerFile()
{
    delete gSaveQuestions;
    gSaveQuestions = nullptr;
}

QStringList frmAlmanorvique::SaveYearTables(QStringList* paths)
{
    QStringList failed;
    if (!IsRealYear(dayDates_->TablesYear - 1) || !IsRealYear(dayDates_->TablesYear + 1))
        return failed;
    // A table that could not read its whole file is written only when it holds entries of
    // this run: the merged write then refuses that file and says so.
    for (int k = 0; k < 3; ++k)
        if (dayDates_->YearTables[k] && (dayDates_->YearTables[k]->Safe || dayDates_->YearTables[k]->Table.Changed()))
            SaveDateTable(dayDates_->YearTables[k]->Table, YearFilePath(dayDates_->TablesYear - 1 + k), failed, paths);
    return failed;
}

QStringList frmAlmanorvique::SaveDateTables(QStringList* paths)
{
    QStringList failed;
    // A window closed before its first full load has nothing of the personal dates to write.
    if (gPersonalDates.IsCreated() && (gPersonalDatesLoaded || gPersonalDates.Changed()))
        SaveDateTable(gPersonalDates, gPersonalDatesFile, failed, paths);
    // The tables belong to the year in lblYear's caption: they are reloaded whenever it
    // changes.
    failed += SaveYearTables(paths);
    return failed;
}

bool frmAlmanorvique::HoldsUnsavedDates() const
{
    if (gPersonalDates.IsCreated() && gPersonalDates.Changed())
        return true;
    for (const auto& t : dayDates_->YearTables)
        if (t && t->Table.Changed())
            return true;
    return false;
}

std::array<quint64, 4> frmAlmanorvique::DateTableRevisions() const
{
    std::array<quint64, 4> r{gPersonalDates.Revision()};
    for (int k = 0; k < 3; ++k)
        r[static_cast<size_t>(k) + 1] = dayDates_->YearTables[k] ? dayDates_->YearTables[k]->Table.Revision() : 0;
    return r;
}

void frmAlmanorvique::SaveDatesSoonAfterChange()
{
    // A screen-saver run writes nothing; a question about a failed write is answered first.
    if (IsScreenSaverStyle() || dayDates_->AskingAboutDates || !HoldsUnsavedDates()) {
        dayDates_->ChangedAt.reset();
        return;
    }
    if (DateTableRevisions() == dayDates_->Attempted)
        return; // written as far as it could be: the close asks about the rest
    const qint64 now = platform::NowMSecsSinceEpoch();
    if (!dayDates_->ChangedAt) {
        dayDates_->ChangedAt = now;
        return;
    }
    // A second's wait lets a change of several steps end first (a clock set back counts
    // as the wait over).
    const qint64 waited = now - *dayDates_->ChangedAt;
    if (waited >= 0 && waited < kDatesWriteDelayMs)
        return;
    dayDates_->ChangedAt.reset();
    const QStringList failed = SaveDateTables();
    dayDates_->Attempted = DateTableRevisions();
    for (const QString& f : failed)
        qWarning().noquote() << "Almanorvique: dates not saved yet (closing asks again):" << f;
}

bool frmAlmanorvique::SaveDateTablesOrAsk(const QString& consequence)
{
    struct Asking {
        bool& on;
        const bool was;
        explicit Asking(bool& flag) : on(flag), was(flag) { on = true; }
        ~Asking() { on = was; }
    } asking(dayDates_->AskingAboutDates);
    for (;;) {
        QStringList paths;
        QStringList failed = SaveDateTables(&paths);
        bool declinedBefore = false;
        if (gSaveQuestions) {
            // A file another window asked about already: its answer holds here too.
            for (qsizetype i = paths.size() - 1; i >= 0; --i)
                if (gSaveQuestions->declined.contains(paths[i])) {
                    failed.removeAt(i);
                    paths.removeAt(i);
                    declinedBefore = true;
                }
        }
        if (failed.isEmpty())
            return !declinedBefore;
        const QString prompt = QStringLiteral("These dates could not be saved:\r\n\r\n") + failed.join("\r\n") +
                               QStringLiteral("\r\n\r\nTry again? ") +
                               (gSaveQuestions ? gSaveQuestions->consequence : consequence);
        if (ShowMsgbox(prompt, platform::vbYesNo | platform::vbExclamation, QStringLiteral("Save Dates")) !=
            platform::vbYes) {
            if (gSaveQuestions)
                gSaveQuestions->declined += paths;
            return false;
        }
    }
}

bool frmAlmanorvique::SaveCalendarData()
{
    if (!MDIChild())
        Step([&] {
            if (!mduUILib::SaveWindowPlacement(*this, IniFilePath_, Properties_))
                qWarning().noquote() << "Almanorvique: the window's place could not be saved:"
                                     << platform::LastWriteFailure();
        });
    return SaveDateTablesOrAsk(QStringLiteral("No closes the window without them."));
}

void frmAlmanorvique::CloseCalendar()
{
    const bool child = MDIChild();
    Unload(platform::vbFormCode);
    if (!child)
        platform::EndProgram();
}

void frmAlmanorvique::CloseDown_Click() { CloseCalendar(); }

bool frmAlmanorvique::IsScreenSaverStyle() const { return conv::LeadingNumber(Tag) == kScreenSaverStyle; }

void frmAlmanorvique::CheckScreenSaverExit(float x)
{
    if (!IsScreenSaverStyle() || FormState_ != kRunning)
        return;
    if (!firstPointerX_) {
        firstPointerX_ = x;
        return;
    }
    if (std::abs(x - *firstPointerX_) > 20)
        platform::EndProgram();
}

void frmAlmanorvique::Form_KeyDown(int& /*keyCode*/, int /*shift*/)
{
    if (IsScreenSaverStyle() && FormState_ == kRunning)
        platform::EndProgram();
}

void frmAlmanorvique::Form_KeyUp(int& keyCode, int /*shift*/)
{
    if (keyCode == platform::vbKeyF1) {
        QString file;
        mduUILib::OpenHelpTopic(file);
    }
}

void frmAlmanorvique::Form_Resize()
{
    if (FormState_ == kRunning) {
        Timer1.SetEnabled(false);
        FormState_ = kResizeSettle;
        Timer1.SetInterval(300);
        Timer1.SetEnabled(true);
    } else if (FormState_ == kLaidOut) {
        FormState_ = kRunning;
    }
}

void frmAlmanorvique::Form_GotFocus()
{
    if (MDIChild() && FormState_ == kRunning)
        SetCalendarSize();
}

void frmAlmanorvique::Form_LostFocus()
{
    // A rubber band cut short by another window must not leave this one frozen.
    ReleaseUpdateLock();
    // A window the frame never gave a cell (no layout ran yet) has none to go back to:
    // it would shrink to nothing.
    const bool hasCell = ChildWidth_ > 0 && ChildHeight_ > 0;
    if (MDIChild() && FormState_ == kRunning && !txtMsg.Visible() && hasCell)
        Move(ChildLeft_, ChildTop_, ChildWidth_, ChildHeight_);
}

void frmAlmanorvique::FocusIfMDIChild()
{
    if (MDIChild())
        SetFocus();
}

void frmAlmanorvique::Form_MouseMove(int, int, float, float)
{
    FocusIfMDIChild();
    SetMousePointer(platform::vbDefault);
}

void frmAlmanorvique::Form_Unload(int&)
{
    if (platform::ProgramEnded())
        return; // the screen-saver exit saves nothing
    // A note still being typed is kept; whatever happens to it, the dates are saved.
    platform::Guarded("keep the open note", [&] { LeaveActivityEditor(); });
    SaveCalendarData();
    Timer1.SetEnabled(false);
}

void frmAlmanorvique::Timer1_Timer()
{
    switch (FormState_) {
    case kNotLoaded:
        return;
    case kFullLoad: {
        // Each step of the full load runs even when an earlier one failed, and the
        // window then runs: a failing step must not repeat the full load every tick.
        platform::Guarded("load personal dates", [&] { LoadPersonalDates(); });
        platform::Guarded("load year dates", [&] { LoadYearDates(); });
        platform::Guarded("apply settings", [&] { ApplyAllSettings(); });
        platform::Guarded("show pictures", [&] { ShowCurrentPictures(); });
        if (IsScreenSaverStyle()) {
            platform::Guarded("screen saver", [&] {
                mduAPILib::SetTopMostNow(*this);
                mduAPILib::SetCaptionStyle(*this, false, true);
                SetWindowState(platform::vbMaximized);
                mduAPILib::ApplyBorderStyle(*this, QStringLiteral("3D Border"));
            });
        }
        {
            // A window of its own is mapped once, with the frame and state of its settings:
            // shown before, each frame setting would hide and show it again, faster than a
            // desktop answers, and it would first flash with the default frame.
            platform::ScopedUpdateLock lock(hWnd());
            if (!IsShown())
                platform::Guarded("show", [&] { Show(); });
            platform::Guarded("layout", [&] { SetCalendarLayout(); });
            platform::Guarded("weekdays", [&] { SetWeekdayHeadings(true, 0); });
            platform::Guarded("month", [&] { MoveMonth(0); });
            platform::Guarded("program path", [&] { mduLib::StoreProgramPath(); });
            FormState_ = kRunning;
            Timer1.SetInterval(100);
        }
        platform::Guarded("settings file", [&] { TellUnreadableSettings(); });
        return;
    }
    case kResizeSettle:
        FormState_ = kLaidOut;
        Timer1.SetInterval(100);
        SetCalendarLayout();
        return;
    case kLaidOut:
        FormState_ = kRunning;
        return;
    default:
        // Not under an open menu: its handler still runs on this window.
        if (menus_->OpenPopups == 0 && mduUILib::IsStayTimeOver(StartTime_, Properties_)) {
            CloseCalendar();
            return;
        }
        TickClock();
        ScrollMessage();
        SaveDatesSoonAfterChange();
        return;
    }
}
