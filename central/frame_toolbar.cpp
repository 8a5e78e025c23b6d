// The frame's toolbar: the layout buttons, the month buttons, help and exit; its sizes,
// docking side, right-click menu and the layout it leaves in the registry.
#include "frame_toolbar_state.h"
#include "frame_window.h"

#include "ui/menu_items.h"

#include "core/app_identity.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/text_utilities.h"

#include <QCursor>
#include <QPainter>
#include <QPainterPath>

using namespace mduAlmanorvqueLib;

namespace {
constexpr int kNormalCursor = 4; // pictures of the frame's cursor list
constexpr int kDragCursor = 7;

struct ButtonDesign {
    int image;
    int group;
    const char* tip;
    const char* caption;
};
// Buttons 1 to 9; 7 is the separator.
const ButtonDesign kButtons[10] = {
    {},
    {1, 1, "Display two months", "2 Months"},
    {2, 1, "Display four months", "4 Months"},
    {3, 1, "Display six months", "6 Months"},
    {4, 1, "Display twelve months", "12 Months"},
    {5, 1, "Move Month Backward", "Month Backward"},
    {6, 1, "Move Month Forward", "Month Forward"},
    {},
    {7, 9, "Almanorvique Central Help\r\nAlmanorvique Help", "Help"},
    {8, 2, "Close Almanorvique Central", "Exit"},
};

// The designed pictures: little month grids for the layouts, arrows, help and exit.
std::vector<QImage> DrawButtonPictures()
{
    std::vector<QImage> out;
    const int s = 48;
    const auto canvas = [&] {
        QImage img(s, s, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        return img;
    };
    const int grids[4][2] = {{2, 1}, {2, 2}, {3, 2}, {3, 4}}; // columns, rows
    for (const auto& g : grids) {
        QImage img = canvas();
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const double cw = 40.0 / g[0], ch = 36.0 / g[1];
        for (int r = 0; r < g[1]; ++r)
            for (int c = 0; c < g[0]; ++c) {
                const QRectF cell(4 + c * cw + 1, 6 + r * ch + 1, cw - 2, ch - 2);
                p.setPen(QPen(QColor(40, 70, 120), 1.5));
                p.setBrush(QColor(250, 250, 255));
                p.drawRoundedRect(cell, 2, 2);
                p.fillRect(QRectF(cell.left(), cell.top(), cell.width(), std::max(2.0, cell.height() / 4)),
                           QColor(200, 60, 50));
            }
        out.push_back(img);
    }
    for (int dir : {-1, 1}) {
        QImage img = canvas();
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath arrow;
        const double x0 = dir < 0 ? 40 : 8, x1 = dir < 0 ? 8 : 40;
        arrow.moveTo(x1, 24);
        arrow.lineTo(24, 8);
        arrow.lineTo(24, 17);
        arrow.lineTo(x0, 17);
        arrow.lineTo(x0, 31);
        arrow.lineTo(24, 31);
        arrow.lineTo(24, 40);
        arrow.closeSubpath();
        p.setPen(QPen(QColor(20, 80, 30), 2));
        p.setBrush(QColor(90, 180, 90));
        p.drawPath(arrow);
        out.push_back(img);
    }
    for (const char* text : {"?", "\u00D7"}) {
        QImage img = canvas();
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        const bool help = text[0] == '?';
        p.setPen(Qt::NoPen);
        p.setBrush(help ? QColor(50, 100, 200) : QColor(200, 50, 50));
        p.drawEllipse(QRectF(4, 4, 40, 40));
        QFont f = p.font();
        f.setPixelSize(32);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(4, 2, 40, 40), Qt::AlignCenter, QString::fromUtf8(text));
        out.push_back(img);
    }
    return out;
}
} // namespace

void frmMain::BuildToolbar()
{
    tbToolBar = new platform::ToolBar(MainWindow());
    toolbar_->imgListToolbar = DrawButtonPictures();
    for (int n = 1; n <= 9; ++n)
        tbToolBar->AddButton(n == 7 ? platform::tbrSeparator : platform::tbrDefault);
    tbToolBar->ButtonClick = [this](int n) { tbToolBar_ButtonClick(n); };
    tbToolBar->MouseDown = [this](int b, int sh, float x, float y) { tbToolBar_MouseDown(b, sh, x, y); };
    SetToolbarSize(QStringLiteral("Small Size"));
}

void frmMain::SetToolbarSize(const QString& sizeName)
{
    tbToolBar->Tag = sizeName;
    tbToolBar->MouseIcon = kNormalCursor;
    const int size = mduLib::SizeMode(sizeName) * 24;
    // The pictures are rebuilt with the toolbar's updates held back.
    tbToolBar->Widget().setUpdatesEnabled(false);
    tbToolBar->SetImageList(toolbar_->imgListToolbar, size);
    tbToolBar->Widget().setUpdatesEnabled(true);
    for (int n = 1; n <= tbToolBar->ButtonCount(); ++n)
        SetupToolbarButton(n, sizeName);
    tbToolBar->Refresh();
}

void frmMain::SetupToolbarButton(int n, const QString& sizeName)
{
    if (n < 1 || n > 9 || n == 7)
        return;
    const ButtonDesign& d = kButtons[n];
    platform::ToolButton& b = tbToolBar->Button(n);
    b.Image = d.image;
    b.Key = MakeButtonKey(d.group, n);
    b.ToolTipText = QString::fromLatin1(d.tip) + ButtonTipSuffix();
    b.Tag = QString::fromLatin1(d.caption);
    b.Caption = ButtonCaptionFor(sizeName, b.Tag);
    b.Description = b.ToolTipText;
}

QString frmMain::ButtonCaptionFor(const QString& sizeName, const QString& captionText)
{
    return sizeName.contains(QLatin1String("Caption")) ? captionText : QString();
}

QString frmMain::MakeButtonKey(int group, int n) { return QStringLiteral("\"%1,%2\"").arg(group).arg(n); }

int frmMain::GetToolbarThickness() const
{
    const QString& tag = tbToolBar->Tag;
    const int base = tag.contains(QLatin1String("Large")) ? 850 : 480;
    if (tag.contains(QLatin1String("Caption")))
        return static_cast<int>(conv::RoundHalfEven(base * 1.73));
    return base;
}

void frmMain::SizeToolbar(const QString& position)
{
    try {
        if (position == QLatin1String("Right") || position == QLatin1String("Left"))
            tbToolBar->SetWidth(static_cast<float>(GetToolbarThickness()));
        else if (position == QLatin1String("Top") || position == QLatin1String("Bottom"))
            tbToolBar->SetHeight(static_cast<float>(GetToolbarThickness()));
        else if (position == QLatin1String("None") || position == QLatin1String("Hide"))
            tbToolBar->SetVisible(false);
    } catch (const std::exception&) {
        // a size the docked toolbar refuses leaves it as it is
    }
}

void frmMain::SetToolbarPosition(const QString& position)
{
    const auto dock = [&](int align, bool wrap) {
        tbToolBar->Wrappable = wrap;
        tbToolBar->SetVisible(true);
        tbToolBar->SetAlign(align);
        toolbar_->AutoHide = false;
    };
    if (position == QLatin1String("Right"))
        dock(platform::vbAlignRight, true);
    else if (position == QLatin1String("Top"))
        dock(platform::vbAlignTop, false);
    else if (position == QLatin1String("Bottom"))
        dock(platform::vbAlignBottom, false);
    else if (position == QLatin1String("Left"))
        dock(platform::vbAlignLeft, true);
    else if (position == QLatin1String("None") || position == QLatin1String("Hide")) {
        tbToolBar->SetVisible(false);
        toolbar_->AutoHide = false;
    } else if (position.contains(u':')) {
        SetToolbarPosition(position.section(u':', 1));
        toolbar_->AutoHide = true;
        tbToolBar->SetVisible(false);
    } else {
        tbToolBar->SetVisible(false);
    }
    SizeToolbar(position);
    LayoutBackground();
}

void frmMain::SaveToolbarLayout()
{
    tbToolBar->SaveToolbar(appinfo::ExeName(), gDataFolder, QStringLiteral("AlmanorviqueCentralToolbar"));
}

void frmMain::DoToolbarButton(int button)
{
    const QStringList fields = tbToolBar->Button(button).Key.split(u',');
    const int number = fields.size() > 1 ? static_cast<int>(conv::RoundHalfEven(conv::LeadingNumber(fields[1]))) : 0;
    platform::EndMenu();
    switch (number) {
    case 1:
    case 2:
    case 3:
    case 4: {
        static const char* tags[] = {"", "2", "4", "6", "12"};
        Tag = QString::fromLatin1(tags[number]);
        LayoutMonthCalendars();
        break;
    }
    case 5:
        MoveAllMonths(-1);
        break;
    case 6:
        MoveAllMonths(1);
        break;
    case 8:
        ShowHelp();
        break;
    case 9:
        Unload(platform::vbFormCode);
        break;
    default:
        break;
    }
}

void frmMain::tbToolBar_ButtonClick(int button)
{
    // The click that ends a drag of the buttons runs no command.
    if (tbToolBar->MouseIcon != kDragCursor)
        DoToolbarButton(button);
    tbToolBar->MouseIcon = kNormalCursor;
}

void frmMain::tbToolBar_MouseDown(int Button, int, float, float)
{
    if (toolbar_->BalloonTips)
        toolbar_->BalloonTips->Destroy();
    if (Button == 2) {
        platform::EndMenu();
        platform::PopupMenu(*toolbar_->ToolBarMenu, QCursor::pos());
    }
}

void frmMain::ToolBarSize_Click(int Index)
{
    SetToolbarSize(toolbar_->ToolBarSize.at(static_cast<size_t>(Index))->text());
    SizeToolbar(mduLib::GetProp(QStringLiteral("Tool Bar"), CentralSettings()));
}

void frmMain::ToolBarPositions_Click(int Index)
{
    SetToolbarPosition(toolbar_->ToolBarPositions.at(static_cast<size_t>(Index))->text());
}

void frmMain::ToolbarCustomize_Click() { tbToolBar->Customize(); }

void frmMain::SaveToolbarSetting_Click() { SaveToolbarLayout(); }

QMenu& frmMain::ToolBarPopup() { return *toolbar_->ToolBarMenu; }

bool frmMain::AutoHideArmed() const { return toolbar_->AutoHide; }

const CBalloonToolTip* frmMain::BalloonTips() const { return toolbar_->BalloonTips.get(); }
