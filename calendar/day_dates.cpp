// The date tables of the window: captions, messages and fonts of single days.
#include "calendar_window.h"
#include "day_dates_state.h"
#include "settings_keys.h"

#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/font_format.h"
#include "core/stored_text.h"
#include "core/year_dates.h"
#include "editors/dialogs/date_setup_dialog.h"
#include "system/clock.h"
#include "system/message_box.h"

#include <QLocale>
#include <QSet>

using namespace mduAlmanorvqueLib;
namespace keys = calendarkeys;

namespace {
QString FlagText(bool on) { return on ? QStringLiteral("True") : QStringLiteral("False"); }

// A flag field of a preset; a word that is no flag does not convert.
bool ReadFlag(const QString& v)
{
    const auto flag = ReadFontFlag(v);
    if (!flag)
        throw conv::TypeMismatch();
    return *flag;
}

// A date as the user reads dates; a text that is no date is shown as it is.
QString ShownDate(const QString& dates)
{
    const auto d = conv::DateFromText(dates);
    return d ? QLocale().toString(*d, QLocale::ShortFormat) : dates;
}

QString AfterTilde(const QString& v)
{
    const qsizetype p = v.indexOf(u'~');
    return p < 0 ? QString() : v.mid(p + 1);
}

// The keys of a list of date keys, each trimmed.
QSet<QString> KeysOf(const QString& list)
{
    QSet<QString> keys;
    for (const QString& k : list.split(u','))
        keys.insert(conv::Trim(k));
    return keys;
}
} // namespace

// ---- which days a date command names ----
//
// A date command names its days either as one date text (a right-clicked day) or as date
// keys "dd/mm" joined by "," (the days of a selection frame; a one-day selection is one
// key without a comma). Keys carry no year: they are found among the day cells, whose
// dates carry it. A six-week grid holds each key at most once.
namespace {
struct ListedDay {
    int index; // the day cell, 0 when the day is not in the grid
    QDate date;
};

std::vector<ListedDay> ListedDays(const platform::ControlArray<platform::Label>& cells, const QString& dates,
                                  bool* singleDate)
{
    std::vector<ListedDay> days;
    const bool single = !dates.contains(u',') && conv::IsDateText(dates);
    if (singleDate)
        *singleDate = single;
    std::optional<QDate> date;
    QSet<QString> keys;
    if (single)
        date = conv::DateFromText(dates);
    else
        keys = KeysOf(dates);
    const int last = cells.UBound();
    for (int i = 8; i <= last; ++i) {
        if (!cells.Exists(i))
            continue;
        const auto cellDate = conv::DateFromText(cells(i).Tag);
        if (!cellDate)
            continue;
        if (single ? *cellDate == *date : keys.contains(DayMonthKey(*cellDate)))
            days.push_back({i, *cellDate});
    }
    if (single && days.empty())
        days.push_back({0, *date});
    return days;
}
} // namespace

QString frmAlmanorvique::GetSpecialDateMsg(QString& strCurrentYear)
{
    const QDate today = platform::Today();
    const QString k = DayMonthKey(today);
    QString r;
    QString v = mduLib::GetValue(k, YearDates());
    if (v.contains(u'~'))
        r = AfterTilde(v) + "  ";
    v = mduLib::GetValue(k, gPersonalDates);
    if (v.contains(u'~'))
        r = r + "  " + AfterTilde(v) + "  ";
    v = mduLib::FindDateEntry(today, YearDates(), strCurrentYear);
    if (v.contains(u'~'))
        r = r + AfterTilde(v) + "  ";
    return r;
}

QString frmAlmanorvique::DefaultDateFormat()
{
    const QString v = mduLib::GetValue(keys::DefaultDateFormat, Properties_);
    const QString s = conv::NumberText(static_cast<double>(lblYear.Font().Size) / 1.2);
    if (v.isEmpty())
        return "Arial," + s + ",false,False,0,False,False";
    // A stored format may be short: its missing fields stay empty, which leaves them to
    // whatever the cell already has.
    QStringList fields = v.split(u',');
    while (fields.size() < 7)
        fields.append(QString());
    fields = fields.mid(0, 7);
    fields[1] = s;
    return fields.join(u',');
}

void frmAlmanorvique::SetDialogFontLabel(platform::Label& objLabel)
{
    const platform::FontModel& font = objLabel.Font();
    objDialog.FontName = font.Name;
    objDialog.FontSize = font.Size;
    objDialog.FontBold = font.Bold;
    objDialog.FontItalic = font.Italic;
    objDialog.Color = objLabel.ForeColor();
    objDialog.FontUnderline = font.Underline;
    objDialog.FontStrikethru = font.Strikethrough;
}

void frmAlmanorvique::SetDialogFont(QString& strValueStr)
{
    if (strValueStr.isEmpty())
        strValueStr = DefaultDateFormat();
    const QStringList fields = strValueStr.split(u',');
    const int n = std::min<int>(7, static_cast<int>(fields.size()));
    for (int i = 0; i < n; ++i) {
        const QString& v = fields[i];
        // An empty field leaves the dialog's value: a short default format (its missing
        // fields read as empty) must not keep the dialog from opening.
        if (v.isEmpty())
            continue;
        switch (i) {
        case 0:
            objDialog.FontName = v;
            break;
        case 1: {
            const double size = conv::ToDouble(v);
            if (size > 0)
                objDialog.FontSize = static_cast<float>(size);
            break;
        }
        case 2:
            objDialog.FontBold = ReadFlag(v);
            break;
        case 3:
            objDialog.FontItalic = ReadFlag(v);
            break;
        case 4:
            objDialog.Color = conv::ToInt32(conv::ToDouble(v));
            break;
        case 5:
            objDialog.FontUnderline = ReadFlag(v);
            break;
        default:
            objDialog.FontStrikethru = ReadFlag(v);
            break;
        }
    }
}

void frmAlmanorvique::SetDateFont(const QString& strOption, QString& strDateRange)
{
    bool single = false;
    const std::vector<ListedDay> days = ListedDays(lblDate, strDateRange, &single);
    QString k;
    if (single) {
        k = DayMonthKey(strDateRange);
        strDateRange = k;
    } else {
        k = conv::Trim(strDateRange.section(u',', 0, 0));
    }
    const bool framed = IsHighlightShown();
    // Where the format of a listed day goes: its year table under a selection frame, the
    // personal table otherwise.
    auto targetOf = [&](const QDate& d) -> mduLib::PropertyTable* { return framed ? YearTableOf(d) : &gPersonalDates; };
    // Stores the day's format; false (said) when its file holds all the entries it can.
    auto store = [&](const ListedDay& day, const QString& f) {
        mduLib::PropertyTable* t = targetOf(day.date);
        return !t || StoreDateEntry(*t, day.date.year(),
                                    QStringLiteral("The format of ") + ShownDate(conv::DateText(day.date)),
                                    [&] { mduLib::SetValue(DayMonthKey(day.date), f, *t, keys::FormatSection); });
    };

    if (strOption == calendarcommands::Default) {
        const QString f = DefaultDateFormat();
        for (const ListedDay& day : days) {
            if (day.index == 0)
                continue;
            if (!store(day, f))
                return; // the cell keeps showing what is stored
            platform::Label& cell = lblDate(day.index);
            ApplyTextFormat(lblDateShadow(day.index), f, DefaultDateFormat());
            ApplyTextFormat(cell, f, DefaultDateFormat());
            FormatDateCell(cell);
        }
        return;
    }

    try {
        objDialog.CancelError = true;
        objDialog.Flags = 259;
        // One day (a right-clicked one, or a one-day selection) presets the dialog with
        // its own format; several selected days leave it as it was.
        const bool oneDay = single || (days.size() == 1 && !strDateRange.contains(u','));
        if (!framed) {
            QString preset = mduLib::GetValue(k, gPersonalDates, keys::FormatSection);
            SetDialogFont(preset);
        } else if (oneDay && !days.empty()) {
            if (const mduLib::PropertyTable* t = YearTableOf(days.front().date)) {
                QString preset = mduLib::GetValue(k, *t, keys::FormatSection);
                SetDialogFont(preset);
            }
        }
        objDialog.ShowFont();
        for (const ListedDay& day : days) {
            if (day.index == 0)
                continue;
            platform::Label& cell = lblDate(day.index);
            cell.SetFontName(objDialog.FontName);
            cell.SetFontSize(objDialog.FontSize);
            cell.SetFontBold(objDialog.FontBold);
            cell.SetFontItalic(objDialog.FontItalic);
            cell.SetForeColor(objDialog.Color);
            cell.SetFontUnderline(objDialog.FontUnderline);
            cell.SetFontStrikethrough(objDialog.FontStrikethru);
            const QString f = GetFontSpec(cell);
            if (!store(day, f)) {
                FormatDateCell(cell); // back to what is stored
                return;
            }
            FormatDateCell(cell);
            PlaceDateShadow(cell, day.index, 140);
        }
    } catch (const std::exception&) {
        // Cancelled, or a stored format the dialog cannot take: what was done stays.
    }
}

bool frmAlmanorvique::SetDateItem(const QString& dates, const QString& value, const QString& section)
{
    if (dates.isEmpty() || value.isEmpty())
        return true;
    const bool framed = IsHighlightShown();
    const bool remove = conv::Trim(value).toLower() == QLatin1String("none");
    // Each entry is one line of its file: a typed line break is kept in it.
    const QString stored = mduLib::StoredLineText(value);
    for (const ListedDay& day : ListedDays(lblDate, dates, nullptr)) {
        mduLib::PropertyTable* t = framed ? YearTableOf(day.date) : &gPersonalDates;
        if (!t)
            continue; // a day outside the three loaded years has no table
        const QString key = DayMonthKey(day.date);
        const QString what =
            QStringLiteral("The ") + section.toLower() + QStringLiteral(" of ") + ShownDate(conv::DateText(day.date));
        if (!StoreDateEntry(*t, day.date.year(), what, [&] {
                if (remove)
                    mduLib::ClearEntry(key, *t, section);
                else
                    mduLib::SetValue(key, stored, *t, section);
            }))
            return false;
    }
    return true;
}

bool frmAlmanorvique::StoreDateEntry(const mduLib::PropertyTable& t, int year, const QString& what,
                                     const std::function<void()>& write)
{
    try {
        write();
        return true;
    } catch (const conv::OverflowError&) {
        const QString path = &t == &gPersonalDates ? gPersonalDatesFile : mduAlmanorvqueLib::YearFilePath(year);
        ShowMsgbox(what + QStringLiteral(" could not be stored: the date file\r\n") + path +
                       QStringLiteral("\r\nalready holds %1 entries, the most a file can hold. Remove entries with "
                                      "the Date Manager first.")
                           .arg(mduLib::PropertyTable::kMaxUBound),
                   platform::vbExclamation, QStringLiteral("Date File Full"));
        return false;
    }
}

void frmAlmanorvique::EditDateCaptionMessage(const QString& dates, const QString& /*value*/, const QString& /*section*/,
                                             int index)
{
    frmDateSetup& dialog = frmDateSetup::Default();
    const bool list = dates.contains(u',');
    dialog.SetCaption(list ? QStringLiteral("Set Selected Range") : "Set " + ShownDate(dates));
    // The preset always comes from the personal table, also under a selection frame.
    QString caption, message;
    if (!list) {
        const QString key = conv::IsDateText(dates) ? DayMonthKey(dates) : conv::Trim(dates);
        caption = mduLib::GetValue(key, gPersonalDates, keys::CaptionSection);
        message = mduLib::TypedText(mduLib::GetValue(key, gPersonalDates, keys::MessageSection));
    }
    if (!dialog.ShowMe(caption, message, index))
        return;
    // An emptied box keeps the old value; "none" removes it.
    if (SetDateItem(dates, caption, keys::CaptionSection)) // a full file is said once
        SetDateItem(dates, message, keys::MessageSection);
}

void frmAlmanorvique::ResetAllDateFonts()
{
    for (mduLib::PropertyTable* t : {&gPersonalDates, &YearDates(), &PrevYearDates(), &NextYearDates()}) {
        if (!t->IsCreated())
            continue;
        const int u = t->UBound();
        for (int i = 1; i <= u; ++i) {
            mduLib::PropertyItem& e = (*t)[i];
            if (e.Section == keys::FormatSection) {
                if (!e.Key.isEmpty())
                    t->MarkChanged();
                e = mduLib::PropertyItem{};
            }
        }
    }
}

QString frmAlmanorvique::GetFontSpec(const platform::Label& label)
{
    const platform::FontModel& f = label.Font();
    return f.Name + u',' + conv::NumberText(f.Size) + u',' + FlagText(f.Bold) + u',' + FlagText(f.Italic) + u',' +
           QString::number(label.ForeColor()) + u',' + FlagText(f.Underline) + u',' + FlagText(f.Strikethrough);
}

bool frmAlmanorvique::IsHighlightShown() { return shpHighlight.Visible(); }

mduLib::PropertyTable* frmAlmanorvique::YearTableOf(const QDate& d)
{
    if (!d.isValid())
        return nullptr;
    // The tables are those of the year they were loaded for; while lblYear's caption has
    // just changed and they are not reloaded yet, that is still the old year.
    const double y = dayDates_->TablesYear ? dayDates_->TablesYear : conv::LeadingNumber(lblYear.Caption());
    mduLib::PropertyTable* t = nullptr;
    if (d.year() == y)
        t = &YearDates();
    else if (d.year() == y - 1)
        t = &PrevYearDates();
    else if (d.year() == y + 1)
        t = &NextYearDates();
    return t && t->IsCreated() ? t : nullptr;
}
