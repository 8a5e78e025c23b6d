#include "calendar_window.h"
#include "balloons_state.h"
#include "clock_state.h"
#include "commands_state.h"
#include "day_dates_state.h"
#include "day_notes_state.h"
#include "menus_state.h"
#include "page_mouse_state.h"

#include "core/conversions.h"
#include "hand_cursors.h"
#include "ui/form_owner.h"

namespace {
QPointer<frmAlmanorvique> gDefault;
}

frmAlmanorvique& frmAlmanorvique::Default() { return platform::DefaultInstance(gDefault); }

bool frmAlmanorvique::HasDefault() { return !gDefault.isNull(); }

frmAlmanorvique::frmAlmanorvique()
    : platform::Form(QStringLiteral("frmAlmanorvique")),
      clock_(std::make_unique<calendarform::ClockState>()),
      dayDates_(std::make_unique<calendarform::DayDatesState>()),
      pageMouse_(std::make_unique<calendarform::PageMouseState>()),
      balloons_(std::make_unique<calendarform::BalloonsState>()),
      commands_(std::make_unique<calendarform::CommandsState>()),
      menus_(std::make_unique<calendarform::MenusState>()),
      dayNotes_(std::make_unique<calendarform::DayNotesState>())
{
    BuildControls();
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Form_Initialize();
}

frmAlmanorvique::~frmAlmanorvique() = default;

void frmAlmanorvique::BuildControls()
{
    // Design-time controls, back to front: the backdrop, the picture and the page, then
    // the captions, cells, clock and message line over them.
    SetCaption(QStringLiteral("Almanorvique"));
    imgList = handcursors::DrawHandCursors();
    SetBackColor(0xFFFFFD);
    for (int i : {2, 0, 1}) {
        platform::Image& img = imgCalendar.Create(i);
        img.SetStretch(true);
    }
    // The captions use the script face of the page; the layout sets their sizes.
    platform::FontModel script;
    script.Name = QStringLiteral("Monotype Corsiva");
    script.Size = 20;
    for (platform::Label* l : {&lblMonth, &lblYear}) {
        l->SetBackStyle(0);
        l->SetAutoSize(true);
        l->SetFont(script);
        l->ZOrder(0);
    }
    lblYear.Change = [this] { lblYear_Change(); };
    lblMonth.Events.MouseMove = [this](int b, int sh, float x, float y) { lblMonth_MouseMove(b, sh, x, y); };
    lblYear.Events.MouseMove = [this](int b, int sh, float x, float y) { lblYear_MouseMove(b, sh, x, y); };
    imgCalendar.MouseDown = [this](int i, int b, int sh, float x, float y) { imgCalendar_MouseDown(i, b, sh, x, y); };
    imgCalendar.MouseMove = [this](int i, int b, int sh, float x, float y) { imgCalendar_MouseMove(i, b, sh, x, y); };
    imgCalendar.MouseUp = [this](int i, int b, int sh, float x, float y) { imgCalendar_MouseUp(i, b, sh, x, y); };
    imgCalendar.DblClick = [this](int i) { imgCalendar_DblClick(i); };
    imgPageCorner.Click = [this](int i) { imgPageCorner_Click(i); };

    platform::FontModel cellFont;
    cellFont.Name = QStringLiteral("Arial");
    cellFont.Size = 10;
    platform::Label& shadow = lblDateShadow.Create(1);
    shadow.SetBackStyle(0);
    shadow.SetAutoSize(true);
    shadow.SetFont(cellFont);
    shadow.SetForeColor(0x323232);
    shadow.ZOrder(0);
    // The strip a shadow shows beside its day belongs to the page under it: a Ctrl press
    // there grips the grid frame.
    shadow.MouseTransparent = true;
    platform::Label& cell = lblDate.Create(1);
    lblDate.MouseMove = [this](int i, int b, int sh, float x, float y) { lblDate_MouseMove(i, b, sh, x, y); };
    cell.SetBackStyle(0);
    cell.SetBackColor(0xFFFFFD); // "White": today's fill is no hole in a see-through window
    cell.SetAutoSize(true);
    cell.SetFont(cellFont);
    cell.ZOrder(0);

    for (int i : {0, 1}) {
        platform::Image& corner = imgPageCorner.Create(i);
        corner.SetStretch(true);
        corner.SetVisible(false);
        corner.SetPicture(platform::Picture::FromImage(handcursors::DrawPageCorner(i)));
        corner.MouseIcon = imgList[i == 0 ? 1 : 2]; // back and forward
        corner.MousePointer = platform::vbCustom;
        corner.ZOrder(0);
    }

    platform::FontModel clockFont;
    clockFont.Name = QStringLiteral("Arial");
    clockFont.Size = 8;
    lblClock.SetBackStyle(0);
    lblClock.SetAutoSize(true);
    lblClock.SetFont(clockFont);
    lblClock.ZOrder(0);
    lblMsg.SetBackStyle(0);
    lblMsg.SetAutoSize(true);
    lblMsg.SetFont(clockFont);
    lblMsg.SetCaption(QStringLiteral("  ")); // idle: two blanks a double click starts
    lblMsg.ZOrder(0);
    lblClock.Events.MouseDown = [this](int b, int sh, float x, float y) { lblClock_MouseDown(b, sh, x, y); };
    lblClock.Events.MouseMove = [this](int b, int sh, float x, float y) { lblClock_MouseMove(b, sh, x, y); };
    lblClock.Events.MouseUp = [this](int b, int sh, float x, float y) { lblClock_MouseUp(b, sh, x, y); };
    lblMsg.Events.DblClick = [this] { lblMsg_DblClick(); };
    lblDate.MouseDown = [this](int i, int b, int sh, float x, float y) { lblDate_MouseDown(i, b, sh, x, y); };
    PrepareActivityIcons();

    shpHighlight.SetVisible(false);
    shpHighlight.SetBorderColor(0xFF0000);
    shpHighlight.SetBorderWidth(2);
    shpHighlight.ZOrder(0);

    txtMsg.SetVisible(false);
    BuildPopupMenus();
}

QDate frmAlmanorvique::DisplayedDate() const { return conv::DateFromText(lblMonth.Tag).value_or(QDate()); }
