// The displayed month: captions, weekday header, the 42 day cells and moving by months
// and years.
#include "calendar_window.h"

#include "core/conversions.h"
#include "platform/update_lock.h"

#include <QLocale>

void frmAlmanorvique::MoveMonth(int iDirection)
{
    const QDate d = DisplayedDate();
    if (!d.isValid())
        return;
    platform::LockWindowUpdate(hWnd());
    const QDate target = d.addMonths(iDirection);
    lblMonth.Tag = conv::DateText(target);
    lblMonth.SetCaption(QLocale().standaloneMonthName(target.month(), QLocale::LongFormat));
    lblYear.SetCaption(QString::number(target.year()));
    RepaintCalendar();
    platform::LockWindowUpdate(nullptr);
}

void frmAlmanorvique::MoveYear(int) {}
void frmAlmanorvique::ShowMonthOf(const QDate&, const QString&) {}
void frmAlmanorvique::FillMonthGrid(const QDate&, const QString&) {}
void frmAlmanorvique::FormatDateCell(platform::Label&) {}
void frmAlmanorvique::FormatAllDateCells() {}
void frmAlmanorvique::SetWeekdayHeadings(bool, int) {}
int frmAlmanorvique::GetWeekStartDay() { return 1; }
void frmAlmanorvique::SetLabelColour(platform::Label&, const QString&, const QString&) {}
void frmAlmanorvique::ApplyColumnColour(const QString&, const QString&) {}
void frmAlmanorvique::RepaintCalendar() { Refresh(); }
QString frmAlmanorvique::GetMonthColourKey() { return conv::Trim(lblMonth.Caption()) + " Colour"; }
QString frmAlmanorvique::GetMonthImageKey() { return conv::Trim(lblMonth.Caption()) + " Image"; }
QString frmAlmanorvique::GetYearColourKey() { return conv::Trim(lblYear.Caption()) + " Colour"; }
QString frmAlmanorvique::GetYearImageKey() { return conv::Trim(lblYear.Caption()) + " Image"; }
QString frmAlmanorvique::GetColumnColourKey(const QString& day) { return day + " Column Colour"; }
void frmAlmanorvique::imgPageCorner_Click(int) {}

void frmAlmanorvique::lblYear_Change()
{
    if (!lblYear.Caption().isEmpty())
        LoadYearDates();
}
