// A day's note: kept under "Activity" in the year table of its date, marked by an icon
// beside its cell, shown as a balloon over the icon and edited in place in txtMsg.
#include "calendar_window.h"
#include "day_notes_state.h"
#include "settings_keys.h"

#include "core/conversions.h"
#include "core/settings_store.h"
#include "core/stored_text.h"
#include "core/year_dates.h"
#include "system/clock.h"

#include <QLocale>
#include <QPainter>
#include <cmath>

using mduAlmanorvqueLib::DayMonthKey;
namespace keys = calendarkeys;

namespace {
constexpr int kLeftButton = 1, kRightButton = 2;
constexpr int kShiftKey = 1;

// A small yellow note with a folded corner and three lines of writing.
QImage DrawNoteIcon()
{
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPolygonF sheet;
    sheet << QPointF(3, 3) << QPointF(29, 3) << QPointF(29, 21) << QPointF(21, 29) << QPointF(3, 29);
    p.setPen(QPen(QColor(120, 100, 20), 1.5));
    p.setBrush(QColor(255, 236, 120));
    p.drawPolygon(sheet);
    p.setBrush(QColor(230, 200, 80));
    p.drawPolygon(QPolygonF() << QPointF(29, 21) << QPointF(21, 21) << QPointF(21, 29));
    p.setPen(QPen(QColor(90, 90, 140), 2));
    for (int y : {10, 15, 20})
        p.drawLine(QPointF(8, y), QPointF(y == 20 ? 17 : 24, y));
    return img;
}

// A note's balloon shows its first line; a note without line breaks, or with an empty
// first line, shows whole.
QString NoteTipText(const QString& note)
{
    const qsizetype p = note.indexOf(QLatin1String("\r\n"));
    return p <= 0 ? note : note.left(p);
}

QString ShownDate(const QString& dateText)
{
    const auto d = conv::DateFromText(dateText);
    return d ? QLocale().toString(*d, QLocale::ShortFormat) : dateText;
}
} // namespace

void frmAlmanorvique::PrepareActivityIcons()
{
    // The element the day cells' icons are loaded from.
    platform::Image& icon = imgActivity.Create(0);
    icon.SetStretch(true);
    icon.SetPicture(platform::Picture::FromImage(DrawNoteIcon()));
    icon.SetVisible(false);
    imgActivity.MouseMove = [this](int i, int b, int sh, float x, float y) { imgActivity_MouseMove(i, b, sh, x, y); };
    imgActivity.MouseUp = [this](int i, int b, int sh, float x, float y) { imgActivity_MouseUp(i, b, sh, x, y); };
    lblDate.DblClick = [this](int i) { lblDate_DblClick(i); };
    txtMsg.DblClick = [this] { txtMsg_DblClick(); };
}

QString frmAlmanorvique::GetActivity(const QString& dateText)
{
    const auto d = conv::DateFromText(dateText);
    const mduLib::PropertyTable* t = d ? YearTableOf(*d) : nullptr;
    // A kept line break is CR LF again, for the editor and the balloon.
    return t ? mduLib::TypedText(mduLib::GetValue(DayMonthKey(*d), *t, keys::ActivitySection)) : QString();
}

bool frmAlmanorvique::SetActivity(const QString& dateText, const QString& note)
{
    const auto d = conv::DateFromText(dateText);
    mduLib::PropertyTable* t = d ? YearTableOf(*d) : nullptr;
    if (!t)
        return true; // no table for a day outside the three loaded years
    const QString key = DayMonthKey(*d);
    // An emptied note is deleted; a typed line break is kept in the one-line entry.
    return StoreDateEntry(*t, d->year(), QStringLiteral("The note of ") + ShownDate(dateText), [&] {
        if (note.trimmed().isEmpty())
            mduLib::ClearEntry(key, *t, keys::ActivitySection);
        else
            mduLib::SetValue(key, mduLib::StoredLineText(note), *t, keys::ActivitySection);
    });
}

void frmAlmanorvique::EditActivity(int i, qint32 width, qint32 height)
{
    if (!imgActivity.Exists(i) || !lblDate.Exists(i))
        return;
    platform::Image& icon = imgActivity(i);
    icon.SetVisible(false);
    if (dayNotes_->OpenActivityIndex != i)
        CloseActivityEditor(dayNotes_->OpenActivityIndex);
    dayNotes_->OpenActivityIndex = i;
    PlaceActivityIcon(i);
    icon.SetWidth(static_cast<float>(width));
    icon.SetHeight(static_cast<float>(height));
    txtMsg.Move(icon.Left(), icon.Top(), static_cast<float>(width), static_cast<float>(height));
    txtMsg.Tag = QString::number(i);
    txtMsg.SetText(QString());
    txtMsg.SetVisible(true);
    txtMsg.SetText(GetActivity(lblDate(i).Tag));
    txtMsg.SetFocus();
    icon.SetVisible(true); // under the editor, at its size
}

void frmAlmanorvique::CloseActivityEditor(int i)
{
    if (i <= 0)
        return;
    SizeActivityIcon(i);
    if (imgActivity.Exists(i) && lblDate.Exists(i)) {
        platform::Image& icon = imgActivity(i);
        icon.SetVisible(false);
        if (!GetActivity(lblDate(i).Tag).isEmpty())
            icon.SetVisible(true);
    }
    txtMsg.SetVisible(false);
    txtMsg.SetText(QString());
}

void frmAlmanorvique::LeaveActivityEditor(bool cellsChange)
{
    if (!txtMsg.Visible() || !conv::IsNumeric(txtMsg.Tag))
        return;
    const int i = conv::ToInt16(txtMsg.Tag);
    // Leaving the editor keeps what was typed; an unchanged note only closes, so the
    // message line is not restarted for nothing.
    if (lblDate.Exists(i) && txtMsg.Text() != GetActivity(lblDate(i).Tag)) {
        txtMsg_DblClick();
        if (cellsChange && txtMsg.Visible())
            CloseActivityEditor(i); // not stored: it must not land on another day
    } else {
        CloseActivityEditor(i);
    }
}

void frmAlmanorvique::SizeActivityIcon(int i)
{
    if (!imgActivity.Exists(i))
        return;
    const double side = std::max(std::floor(imgCalendar(0).Height() / 30.0), 100.0);
    PlaceActivityIcon(i);
    platform::Image& icon = imgActivity(i);
    icon.SetWidth(static_cast<float>(conv::ToInt32(side)));
    icon.SetHeight(icon.Width());
}

void frmAlmanorvique::ShowActivityTip(int i, bool force, float x, float y)
{
    if (!lblDate.Exists(i))
        return;
    const QString& date = lblDate(i).Tag;
    QString tip = NoteTipText(GetActivity(date));
    ShowBalloonTip(ShownDate(date), tip, force, x, y);
}

qint32 frmAlmanorvique::GetActivityEditorWidth() { return conv::ToInt32(imgCalendar(0).Width() / 3.0); }

qint32 frmAlmanorvique::GetActivityEditorHeight() { return conv::ToInt32(imgCalendar(0).Height() / 2.0); }

void frmAlmanorvique::imgActivity_MouseMove(int Index, int Button, int Shift, float X, float Y)
{
    if (!imgActivity.Exists(Index))
        return;
    platform::Image& icon = imgActivity(Index);
    if (Button == kLeftButton) {
        // Dragging an icon opens its note and stretches the editor to the pointer, never
        // smaller than the icon.
        const bool open = txtMsg.Visible() && txtMsg.Tag == QString::number(Index);
        if (!open) {
            LeaveActivityEditor(); // another day's note keeps what was typed
            EditActivity(Index, conv::ToInt32(icon.Width()), conv::ToInt32(icon.Height()));
        }
        const float w = std::max(static_cast<float>(conv::ToInt32(X)), icon.Width());
        const float h = std::max(static_cast<float>(conv::ToInt32(Y)), icon.Height());
        txtMsg.Move(icon.Left(), icon.Top(), w, h);
        return;
    }
    if (Button == kRightButton)
        return;
    ShowActivityTip(Index, Shift == kShiftKey, icon.Left() + icon.Width(), icon.Top() + icon.Height());
}

void frmAlmanorvique::imgActivity_MouseUp(int Index, int, int, float, float) { SizeActivityIcon(Index); }

void frmAlmanorvique::lblDate_DblClick(int Index)
{
    if (Index > 7 && lblDate.Exists(Index) && conv::IsDateText(lblDate(Index).Tag))
        EditActivity(Index, GetActivityEditorWidth(), GetActivityEditorHeight());
}

void frmAlmanorvique::lblDate_MouseDown(int Index, int Button, int, float, float)
{
    // Any press on a cell ends a selection, so the date commands write to the personal dates.
    if (shpHighlight.Visible() && shpHighlight.Tag.contains(u'/'))
        SelectDatesInRect(0, 0, 0, 0); // the greyed cells of the selection come back
    shpHighlight.SetVisible(false);
    shpHighlight.Tag.clear();
    // A press on a day cell leaves an open note editor, keeping its text.
    if (Button == kLeftButton)
        LeaveActivityEditor();
    if (Button != kRightButton || !lblDate.Exists(Index))
        return;
    platform::Label& cell = lblDate(Index);
    if (Index <= 7) {
        PopupWeekdayMenu(cell);
        return;
    }
    ItemMenuCaption(6).Tag = GetFontSpec(cell);
    ShowDateMenu(cell.Tag);
}

void frmAlmanorvique::txtMsg_DblClick()
{
    if (QString(txtMsg.Tag).remove(u' ').isEmpty())
        return;
    const int i = conv::ToInt16(txtMsg.Tag);
    if (!lblDate.Exists(i))
        return;
    const QString date = lblDate(i).Tag;
    const QString text = txtMsg.Text();
    if (!SetActivity(date, text))
        return; // the editor stays open with what was typed
    if (conv::DateFromText(date) == platform::Today()) {
        QString year = lblYear.Caption();
        StartScrollingMessage(GetSpecialDateMsg(year) + text);
    }
    CloseActivityEditor(i);
}
