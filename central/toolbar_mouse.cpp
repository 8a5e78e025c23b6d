// The toolbar and the mouse: its buttons scroll by dragging when they do not fit, a
// balloon names the button under the mouse, and an auto-hiding toolbar leaves when the
// mouse goes inward and comes back at the frame's edge.
#include "frame_toolbar_state.h"
#include "frame_window.h"
#include "toolbar_scrolling.h"

#include "core/settings_store.h"
#include "core/text_utilities.h"

#include <cmath>

namespace toolbarscrolling {

int FindEdgeButton(const std::vector<bool>& shown, int direction, bool wantVisible)
{
    const int count = static_cast<int>(shown.size()) - 1;
    int result = 1;
    for (int k = 0; k < count; ++k) {
        const int i = direction == 1 ? 1 + k : count - k;
        if (shown[static_cast<size_t>(i)]) {
            if (wantVisible)
                result = i;
            break;
        }
        result = i;
    }
    return result;
}

bool Scroll(std::vector<bool>& shown, float& origin, float position, float step)
{
    const float delta = origin - position;
    if (std::abs(delta) <= step)
        return false;
    if (delta > 0) {
        const int a = FindEdgeButton(shown, 1, true);
        const int b = FindEdgeButton(shown, 2, false);
        shown[static_cast<size_t>(a)] = false;
        if (a < b)
            shown[static_cast<size_t>(b)] = true;
        return true;
    }
    const int a = FindEdgeButton(shown, 1, false);
    const int b = FindEdgeButton(shown, 2, true);
    if (a == 1 && shown[1]) {
        origin = 0;
        return false;
    }
    shown[static_cast<size_t>(a)] = true;
    if (a >= b)
        shown[static_cast<size_t>(b)] = false;
    return true;
}

int ButtonAtPosition(const std::vector<float>& extents, float position)
{
    float sum = 0;
    for (size_t i = 1; i < extents.size(); ++i) {
        sum += extents[i];
        if (position <= sum)
            return static_cast<int>(i);
    }
    return 0;
}

} // namespace toolbarscrolling

namespace {
constexpr int kNormalCursor = 4;
constexpr int kDragCursor = 7;
} // namespace

void frmMain::WireToolbarMouse()
{
    tbToolBar->MouseMove = [this](int b, int s, float x, float y) { tbToolBar_MouseMove(b, s, x, y); };
    // The balloons name the buttons; their own tips would only repeat them.
    tbToolBar->NativeTips = false;
}

bool frmMain::ToolbarVertical() const
{
    return tbToolBar->Align() == platform::vbAlignLeft || tbToolBar->Align() == platform::vbAlignRight;
}

std::vector<bool> frmMain::ButtonsShown() const
{
    std::vector<bool> shown(1, false);
    for (int i = 1; i <= tbToolBar->ButtonCount(); ++i)
        shown.push_back(tbToolBar->Button(i).Visible);
    return shown;
}

void frmMain::SetToolbarCursor(int picture)
{
    tbToolBar->MouseIcon = picture;
    if (picture == kDragCursor)
        tbToolBar->Widget().setCursor(Qt::ClosedHandCursor);
    else
        tbToolBar->Widget().unsetCursor();
}

void frmMain::tbToolBar_MouseMove(int Button, int Shift, float X, float Y)
{
    platform::ToolBar& bar = *tbToolBar;
    SetToolbarCursor(bar.MouseIcon); // a button click or a new size may have reset it
    const bool vertical = ToolbarVertical();
    const bool horizontal = bar.Align() == platform::vbAlignTop || bar.Align() == platform::vbAlignBottom;

    // Dragging.
    const QRectF last = bar.ButtonRect(bar.ButtonCount());
    const bool overflow =
        (horizontal && last.left() + last.width() > Width()) || (vertical && last.top() + last.height() > Height());
    if (Button == 1 && (overflow || !bar.Button(1).Visible)) {
        const float position = vertical ? Y : X;
        const float step = vertical ? bar.ButtonHeight() : bar.ButtonWidth();
        if (toolbar_->ToolbarDragOrigin != 0) {
            SetToolbarCursor(kDragCursor);
            if (ScrollToolbar(toolbar_->ToolbarDragOrigin, position, step)) {
                toolbar_->ToolbarDragOrigin = position;
                if (vertical)
                    bar.Wrappable = true;
            }
        } else {
            toolbar_->ToolbarDragOrigin = position;
        }
    } else {
        toolbar_->ToolbarDragOrigin = 0;
    }

    // Cursor and balloon.
    const bool off = vertical ? (bar.Top() >= Y || bar.Top() + bar.Height() <= Y)
                              : (horizontal && (bar.Left() >= X || bar.Left() + bar.Width() <= X));
    if (off) {
        DestroyBalloon();
        SetToolbarCursor(kNormalCursor);
    } else if (GetAutoShowBalloonTips() || Shift == 1) {
        ShowButtonTip(ButtonAtPosition(vertical ? Y : X));
    } else {
        DestroyBalloon();
    }

    // Auto-hide.
    if (!toolbar_->AutoHide)
        return;
    bool leave = false;
    switch (bar.Align()) {
    case platform::vbAlignTop:
        leave = Y >= bar.Height() - 30;
        break;
    case platform::vbAlignBottom:
        leave = Y <= 30;
        break;
    case platform::vbAlignRight:
        leave = X < 30;
        break;
    case platform::vbAlignLeft:
        leave = X >= bar.Width() - 30;
        break;
    default:
        break;
    }
    if (leave) {
        bar.SetVisible(false);
        LayoutBackground();
    }
}

bool frmMain::ScrollToolbar(float& origin, float position, float step)
{
    std::vector<bool> shown = ButtonsShown();
    const bool scrolled = toolbarscrolling::Scroll(shown, origin, position, step);
    if (scrolled) {
        for (int i = 1; i <= tbToolBar->ButtonCount(); ++i)
            tbToolBar->Button(i).Visible = shown[static_cast<size_t>(i)];
        tbToolBar->Refresh();
    }
    return scrolled;
}

int frmMain::FindEdgeButton(int direction, bool wantVisible) const
{
    return toolbarscrolling::FindEdgeButton(ButtonsShown(), direction, wantVisible);
}

int frmMain::ButtonAtPosition(float position) const
{
    const bool alongHeights = tbToolBar->Tag.contains(QLatin1String("Large")) && ToolbarVertical();
    std::vector<float> extents(1, 0.0f);
    for (int i = 1; i <= tbToolBar->ButtonCount(); ++i) {
        const platform::ToolButton& b = tbToolBar->Button(i);
        const QRectF r = tbToolBar->ButtonRect(i);
        extents.push_back(b.Style == platform::tbrSeparator || !b.Visible
                              ? 0.0f
                              : static_cast<float>(alongHeights ? r.height() : r.width()));
    }
    return toolbarscrolling::ButtonAtPosition(extents, position);
}

void frmMain::ShowButtonTip(int n)
{
    if (n == toolbar_->LastTipButton || n > tbToolBar->ButtonCount() || n < 1)
        return;
    const QRectF r = tbToolBar->ButtonRect(n);
    double x = 0, y = 0;
    switch (tbToolBar->Align()) {
    case platform::vbAlignRight:
        x = r.left();
        y = r.top() + r.height() / 2;
        break;
    case platform::vbAlignLeft:
        x = r.left() + r.width();
        y = r.top() + r.height() / 2;
        break;
    default:
        x = r.left() + r.width() / 2;
        y = r.top() + r.height();
        break;
    }
    x = std::nearbyint(x);
    y = std::nearbyint(y);
    if (x < 0 || y < 1) {
        DestroyBalloon();
    } else if (toolbar_->BalloonTips) {
        const platform::ToolButton& b = tbToolBar->Button(n);
        mduBalloonTipLib::ShowInfoBalloonAt(*toolbar_->BalloonTips, &tbToolBar->Widget(), b.Tag, b.ToolTipText, x, y,
                                            0);
    }
    toolbar_->LastTipButton = n;
}

bool frmMain::GetAutoShowBalloonTips() const
{
    return mduLib::GetYesNoProp(QStringLiteral("Auto Show Balloon Tips"), CentralSettings(), true);
}

void frmMain::AutoShowToolbar(float x, float y)
{
    if (tbToolBar->Visible())
        return;
    bool near = false;
    switch (tbToolBar->Align()) {
    case platform::vbAlignTop:
        near = y <= 100;
        break;
    case platform::vbAlignLeft:
        near = x <= 100;
        break;
    case platform::vbAlignRight:
        near = x >= Width() - 200;
        break;
    case platform::vbAlignBottom:
        near = y >= Height() - 1000;
        break;
    default:
        break;
    }
    if (near)
        tbToolBar->SetVisible(true);
    toolbar_->AutoHide = true;
}

void frmMain::FitToolbarButtons()
{
    qint32 total = 0;
    for (int i = 1; i <= tbToolBar->ButtonCount(); ++i) {
        platform::ToolButton& b = tbToolBar->Button(i);
        if (b.Visible)
            total += static_cast<qint32>(std::nearbyint(tbToolBar->ButtonWidth()));
        b.Visible = tbToolBar->Width() > static_cast<float>(total);
    }
    tbToolBar->Refresh();
}
