// The control's make-up, its column model and the host's set-up operations.
#include "edit_grid.h"

#include "cell_format.h"
#include "core/settings_store.h"
#include "ui/event_guard.h"
#include "ui/twips.h"

#include "ui/form.h"

#include <QApplication>
#include <QListWidget>

ctlEditGrid::ctlEditGrid(QWidget* parent, const QString& name) : QWidget(parent), name_(name)
{
    ctlGrid.Move(0, 0, width_, height_);
    // The inner grid's designed selection colours, which no stored layout changes.
    ctlGrid.SetLook(&platform::FlexLook::BackColorSel, static_cast<qint32>(0x80000009));
    ctlGrid.SetLook(&platform::FlexLook::ForeColorSel, static_cast<qint32>(0x80000005));
    ctlCombo.Create(0);
    ctlComboEdit.Create(0).SetStyle(platform::vbComboDropdown);
    WireCombo(ctlCombo(0), false);
    WireCombo(ctlComboEdit(0), true);
    ctlList = new QListWidget(this);
    ctlList->hide();
    txtInfo.SetVisible(false);
    txtInfo.SetBackColor(static_cast<qint32>(0x80000018));
    // A click on the spin arrows leaves the focus in the text box they step.
    ctlUpDown.Widget()->setFocusProxy(ctlText.Widget());
    WireEvents();
    TimerTypeahead.OnTimer = [this] { TimerTypeahead_Timer(); };
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        if (GotFocus && now && isAncestorOf(now) && !(old && isAncestorOf(old)))
            platform::Guarded("got focus", GotFocus);
    });
    // A host form with key preview sees the keys of the grid and its editors first.
    if (auto* form = qobject_cast<platform::Form*>(parent)) {
        ctlGrid.installEventFilter(form);
        ctlText.Widget()->installEventFilter(form);
    }

    // Initialize: every editor hidden, editing allowed.
    ctlColCombo.SetVisible(false);
    ctlCombo(0).SetVisible(false);
    ctlComboEdit(0).SetVisible(false);
    ctlUpDown.SetVisible(false);
    ctlText.SetVisible(false);
    m_Editable = -1;
    Move(left_, top_, width_, height_);
}

ctlEditGrid::~ctlEditGrid() = default;

void ctlEditGrid::WireEvents()
{
    auto& e = ctlGrid.Events;
    e.Click = [this] { ctlGrid_Click(); };
    e.DblClick = [this] { ctlGrid_DblClick(); };
    e.KeyDown = [this](int& k, int& s) { ctlGrid_KeyDown(k, s); };
    e.KeyPress = [this](int& k) { ctlGrid_KeyPress(k); };
    e.KeyUp = [this](int& k, int& s) { ctlGrid_KeyUp(k, s); };
    e.MouseDown = [this](int& b, int& s, float& x, float& y) { ctlGrid_MouseDown(b, s, x, y); };
    e.MouseMove = [this](int& b, int& s, float& x, float& y) { ctlGrid_MouseMove(b, s, x, y); };
    e.MouseUp = [this](int& b, int& s, float& x, float& y) { ctlGrid_MouseUp(b, s, x, y); };
    e.Validate = [this](bool& c) { ctlGrid_Validate(c); };
    e.SelChange = [this] { ctlGrid_SelChange(); };
    e.Scroll = [this] { ctlGrid_Scroll(); };
    e.RowColChange = [this] { ctlGrid_RowColChange(); };
    e.OLECompleteDrag = [this](qint32& effect) { ctlGrid_OLECompleteDrag(effect); };
    e.LeaveCell = [this] { ctlGrid_LeaveCell(); };
    e.EnterCell = [this] { ctlGrid_EnterCell(); };
    e.Compare = [this](qint32 a, qint32 b, int& cmp) { ctlGrid_Compare(a, b, cmp); };

    ctlText.KeyDown = [this](int& k, int s) { ctlText_KeyDown(0, k, s); };
    ctlText.LostFocus = [this] { ctlText_LostFocus(0); };
    ctlUpDown.UpClick = [this] { ctlUpDown_UpClick(0); };
    ctlUpDown.DownClick = [this] { ctlUpDown_DownClick(0); };
    ctlColCombo.Click = [this] { ctlColCombo_Click(); };
    ctlColCombo.LostFocus = [this] { ctlColCombo_LostFocus(); };
}

void ctlEditGrid::WireCombo(platform::ComboBox& combo, bool editable)
{
    if (auto* form = qobject_cast<platform::Form*>(parentWidget()))
        combo.Widget()->installEventFilter(form);
    const int index = combo.Index();
    if (editable) {
        combo.KeyDown = [this, index](int& k, int s) { ctlComboEdit_KeyDown(index, k, s); };
        combo.KeyUp = [this, index](int& k, int s) { ctlComboEdit_KeyUp(index, k, s); };
        combo.LostFocus = [this, index] { ctlComboEdit_LostFocus(index); };
    } else {
        combo.KeyDown = [this, index](int& k, int s) { ctlCombo_KeyDown(index, k, s); };
        combo.LostFocus = [this, index] { ctlCombo_LostFocus(index); };
    }
}

void ctlEditGrid::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    setGeometry(platform::TwipsToPixelsX(left), platform::TwipsToPixelsY(top),
                std::max(1, platform::TwipsToPixelsX(width)), std::max(1, platform::TwipsToPixelsY(height)));
}

void ctlEditGrid::PropertyChanged(const QString& name)
{
    if (std::find(changed_.begin(), changed_.end(), name) == changed_.end())
        changed_.push_back(name);
    if (PropertyChangedHook)
        PropertyChangedHook(name);
}

const CellCtlInfo& ctlEditGrid::ColumnInfo(qint32 col) const
{
    if (col < 0 || col >= static_cast<qint32>(m_CellCtl.size()))
        throw mduLib::SubscriptError();
    return m_CellCtl[static_cast<size_t>(col)];
}

const CellCtlInfo& ctlEditGrid::ColumnOrNone(qint32 col) const
{
    static const CellCtlInfo none;
    if (col < 0 || col >= static_cast<qint32>(m_CellCtl.size()))
        return none;
    return m_CellCtl[static_cast<size_t>(col)];
}

// ---- host set-up ----

void ctlEditGrid::SetColFormat(const QString& sInColFormat)
{
    m_ColFormat = sInColFormat.isEmpty() ? QStringList() : sInColFormat.split(u',');
}

void ctlEditGrid::Setup()
{
    const size_t n = static_cast<size_t>(ctlGrid.Cols()) + 1;
    m_CellCtl.resize(n);
    m_ColMaxLen.resize(n, 0);
    SetGridSize();
    SetRowHeight(0, 0);
}

void ctlEditGrid::SetCellCtl(qint16 iCol, qint16 iCtrType)
{
    ColumnInfo(iCol);
    m_CellCtl[static_cast<size_t>(iCol)] = {iCtrType, -1};
    switch (iCtrType) {
    case kCellPickList:
        WireCombo(ctlCombo.Load(iCol), false);
        break;
    case kCellComboEdit:
        WireCombo(ctlComboEdit.Load(iCol), true);
        break;
    case kCellSpin:
        ctlUpDown.SetVisible(false);
        ctlText.SetVisible(false);
        break;
    case kCellText:
        ctlText.SetVisible(false);
        break;
    default:
        break;
    }
}

void ctlEditGrid::SetCellCtlID(qint16 iCol, qint16 iCtrType)
{
    ColumnInfo(iCol);
    m_CellCtl[static_cast<size_t>(iCol)] = {iCtrType, -1};
}

void ctlEditGrid::SetCellCtlVisible(qint16 iCol, qint16 iFlag)
{
    ColumnInfo(iCol);
    m_CellCtl[static_cast<size_t>(iCol)].Visible = iFlag;
}

// ---- the editors handed to the host ----

platform::TextBox& ctlEditGrid::GetCellTextBox(qint16 iCol)
{
    if (iCol != 0)
        throw mduLib::SubscriptError(); // the text box is element 0, the only one
    return ctlText;
}

QString ctlEditGrid::SetCellDefault(qint16 iCol)
{
    const qint16 kind = ColumnInfo(iCol).CtlType;
    if (kind != kCellPickList && kind != kCellComboEdit)
        return {};
    platform::ComboBox& combo = kind == kCellPickList ? ctlCombo(iCol) : ctlComboEdit(iCol);
    return combo.ListCount() > 0 ? combo.List(0) : QString();
}

QString ctlEditGrid::GetComboEditText()
{
    if (CurrentKind() != kCellComboEdit)
        return {};
    return ctlComboEdit(ctlGrid.Col()).Text();
}

void ctlEditGrid::SetComboEditText(const QString& sText) { ctlComboEdit(ctlGrid.Col()).SetText(sText); }

void ctlEditGrid::AddComboEditItem(const QString& sItem)
{
    if (CurrentKind() == kCellComboEdit)
        ctlComboEdit(ctlGrid.Col()).AddItem(sItem);
}

void ctlEditGrid::RemoveComboEditItem(const QString& sItem)
{
    if (CurrentKind() != kCellComboEdit)
        return;
    platform::ComboBox& combo = ctlComboEdit(ctlGrid.Col());
    for (int i = 0; i < combo.ListCount(); ++i)
        if (combo.List(i) == sItem) {
            combo.RemoveItem(i);
            return;
        }
}

void ctlEditGrid::ShowInfo(qint16 x, qint16 y, const QString& sInfo)
{
    txtInfo.SetVisible(true);
    txtInfo.SetTop(y);
    txtInfo.SetLeft(x);
    txtInfo.SetText(sInfo);
    txtInfo.ZOrder(0);
}

// ---- the column model of every cell write ----

QString ctlEditGrid::FormatCellText(const QString& text, qint32 col) const
{
    // Before SetColFormat there are no masks at all.
    if (!m_ColFormat || col < 0 || col >= m_ColFormat->size())
        return text;
    const QString& mask = (*m_ColFormat)[col];
    return mask.trimmed().isEmpty() ? text : cellformat::FormatWithMask(text, mask);
}

void ctlEditGrid::UpdateColMaxLen(qint32 col, const QString& text)
{
    if (col < 0 || col >= static_cast<qint32>(m_ColMaxLen.size()))
        throw mduLib::SubscriptError();
    // A length kept as a 16-bit number: longer texts count as the longest it holds.
    const auto len = static_cast<qint16>(std::min<qsizetype>(text.size(), 32767));
    qint16& entry = m_ColMaxLen[static_cast<size_t>(col)];
    if (entry < len)
        entry = len;
}
