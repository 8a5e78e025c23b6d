// The spin box's steps, the pick list's and the editable combo's selection, and the
// delayed completion of what is typed in an editable combo.
#include "edit_grid.h"

#include "core/conversions.h"
#include "spin_math.h"

void ctlEditGrid::SpinStep(int delta) { ctlText.SetText(spinmath::StepSpinText(ctlText.Text(), delta)); }

void ctlEditGrid::ctlUpDown_UpClick(int /*Index*/) { SpinStep(1); }

void ctlEditGrid::ctlUpDown_DownClick(int /*Index*/) { SpinStep(-1); }

QString ctlEditGrid::NormalizeSpinNumber(const QString& text) { return spinmath::NormalizeSpinNumber(text); }

void ctlEditGrid::SelectComboItem(platform::ComboBox& combo, const QString& text)
{
    for (int i = 0; i < combo.ListCount(); ++i)
        if (combo.List(i) == text) {
            combo.SetListIndex(i);
            return;
        }
}

void ctlEditGrid::SelectOrAddComboEditItem(platform::ComboBox& combo, const QString& text)
{
    bool found = false;
    for (int i = 0; i < combo.ListCount() && !found; ++i)
        if (combo.List(i) == text) {
            combo.SetListIndex(i);
            found = true;
        }
    const QString trimmed = conv::Trim(text);
    if (found)
        return;
    if (!trimmed.isEmpty()) {
        combo.SetText(trimmed);
        combo.AddItem(trimmed);
    } else {
        combo.SetText(QString());
    }
}

void ctlEditGrid::ctlComboEdit_KeyUp(int Index, int& KeyCode, int /*Shift*/)
{
    switch (KeyCode) {
    case 8:
    case 46:
    case 37:
    case 38:
    case 39:
    case 40:
    case 9:
    case 33:
    case 34:
    case 36:
    case 35:
        return;
    default:
        TypeaheadCheck(-1, &ctlComboEdit(Index));
    }
}

void ctlEditGrid::TypeaheadCheck(qint16 startFlag, platform::ComboBox* combo)
{
    if ((static_cast<qint16>(~startFlag) & typeahead_.pending) != 0) {
        if (typeahead_.combo)
            AutoCompleteCombo(*typeahead_.combo);
        typeahead_.pending = 0;
    }
    if (startFlag == 0)
        return;
    typeahead_.pending = startFlag;
    typeahead_.combo = combo;
    TimerTypeahead.SetEnabled(false);
    TimerTypeahead.SetEnabled(true);
}

void ctlEditGrid::TimerTypeahead_Timer() { TypeaheadCheck(0, nullptr); }

void ctlEditGrid::AutoCompleteCombo(platform::ComboBox& combo)
{
    const QString typed = combo.Text();
    if (typed.isEmpty())
        return;
    const QString lower = typed.toLower();
    const auto n = static_cast<int>(typed.size());
    for (int i = 0; i < combo.ListCount(); ++i) {
        const QString entry = combo.List(i);
        if (!entry.toLower().startsWith(lower))
            continue;
        combo.SetText(entry);
        if (entry.size() > n) {
            combo.SetSelStart(n);
            combo.SetSelLength(static_cast<int>(entry.size()) - n);
        }
        return;
    }
}
