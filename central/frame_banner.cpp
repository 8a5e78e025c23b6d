// The banner over the frame's client area: the backdrop, the background picture, the title
// in one label per letter in random colours and heights, and the maker line under it.
#include "banner_box.h"
#include "frame_banner_state.h"
#include "frame_window.h"

#include "core/app_identity.h"
#include "core/set_up_step.h"
#include "core/settings_store.h"
#include "ui/display_effects.h"
#include "ui/twips.h"

#include <QPainter>
#include <QPixmap>
#include <cmath>

BannerBox::BannerBox(QWidget* parent) : platform::Form(QStringLiteral("picMain"))
{
    setParent(parent);
    setWindowFlags(Qt::Widget);
    setFocusPolicy(Qt::NoFocus);
    surface.SetBorderStyle(0);
    surface.SetBackColor(0xC0C000);
    imgMain.SetStretch(true);
    platform::Label& first = lblHeaderChar.Create(1);
    first.SetCaption(QStringLiteral("Label1"));
    first.SetBackStyle(0);
    first.SetFontName(QStringLiteral("Alba Super"));
    first.SetFontSize(24);
    lblVersionLocation.SetBackStyle(0);
    lblVersionLocation.SetAutoSize(true);
    lblVersionLocation.SetFont({QStringLiteral("Times New Roman"), 14.25f, false, true});
    lblVersionLocation.SetForeColor(0x80C0FF);
    lblMaker.SetBackStyle(0);
    lblMaker.SetAutoSize(true);
    lblMaker.SetFont({QStringLiteral("Times New Roman"), 14.25f});
    lblMaker.SetForeColor(0x404080);
    lblMaker.SetCaption(QLatin1String(bannerbox::kMakerLine));
}

void BannerBox::Form_MouseDown(int b, int s, float x, float y)
{
    if (BoxEvents.MouseDown)
        BoxEvents.MouseDown(b, s, x, y);
}
void BannerBox::Form_MouseMove(int b, int s, float x, float y)
{
    if (BoxEvents.MouseMove)
        BoxEvents.MouseMove(b, s, x, y);
}
void BannerBox::Form_Click()
{
    if (BoxEvents.Click)
        BoxEvents.Click();
}
void BannerBox::Form_DblClick()
{
    if (BoxEvents.DblClick)
        BoxEvents.DblClick();
}

namespace bannerbox {

int HeadingStyleFor(const QString& setting)
{
    if (setting == QLatin1String("Rotation"))
        return -1;
    if (setting == QLatin1String("Random"))
        return 1;
    if (setting == QLatin1String("Up Down"))
        return 2;
    if (setting == QLatin1String("Bend Down"))
        return 3;
    if (setting == QLatin1String("Bend Up"))
        return 4;
    return 0;
}

std::optional<Arrangement> ArrangementFor(int style, int firstTop)
{
    switch (style) {
    case 0:
        return Arrangement{firstTop, 0, 0};
    case 1:
        return Arrangement{firstTop, 1000, 1};
    case 2:
        return Arrangement{firstTop, 1000, 2};
    case 3:
        return Arrangement{firstTop, 3000, 3};
    case 4:
        return Arrangement{firstTop + 3000, -3000, 3};
    case 5:
        return Arrangement{firstTop, 1000, 4};
    default:
        return std::nullopt;
    }
}

double TitleFontSize(double frameWidth) { return std::min(frameWidth / 400, 200.0); }

double CentredLeft(double frameWidth, double width) { return frameWidth / 2 - width / 2; }

} // namespace bannerbox

void frmMain::BuildBanner()
{
    picMain = new BannerBox(&ClientArea());
    picMain->setObjectName(QStringLiteral("picMain"));
    banner_->Backdrop = platform::Picture::FromFile(appinfo::ProgramFolder() + QStringLiteral("/Images/Backdrop.jpg"));
    picMain->surface.SetPicture(banner_->Backdrop);
    picMain->BoxEvents.Click = [this] { picMain_Click(); };
    picMain->BoxEvents.DblClick = [this] { picMain_DblClick(); };
    picMain->BoxEvents.MouseDown = [this](int b, int s, float x, float y) { picMain_MouseDown(b, s, x, y); };
    picMain->BoxEvents.MouseMove = [this](int b, int s, float x, float y) { picMain_MouseMove(b, s, x, y); };
    platform::MouseHandlers& img = picMain->imgMain.Events;
    img.Click = [this] { imgMain_Click(); };
    // The picture fills the box: a double click on it is one on the box.
    img.DblClick = [this] { picMain_DblClick(); };
    img.MouseDown = [this](int b, int s, float x, float y) { imgMain_MouseDown(b, s, x, y); };
    img.MouseMove = [this](int b, int s, float x, float y) { imgMain_MouseMove(b, s, x, y); };
    picMain->lblMaker.Events.Click = [this] { lblMaker_Click(); };
    ClientArea().installEventFilter(this);
}

void frmMain::ShowBanner(bool show)
{
    picMain->setVisible(show);
    if (show)
        picMain->raise();
    picMain->lblVersionLocation.SetVisible(show);
    picMain->lblMaker.SetVisible(show);
    for (int i = 1; i <= picMain->lblHeaderChar.UBound(); ++i)
        if (picMain->lblHeaderChar.Exists(i))
            picMain->lblHeaderChar(i).SetVisible(show);
}

void frmMain::LayoutBackground()
{
    if (WindowState() == platform::vbMinimized)
        return;
    mduLib::Step([&] { PaintClientBackground(); });
    BannerBox& box = *picMain;
    mduLib::Step([&] { box.Move(0, 0, Width(), Height() + 1000); });
    mduLib::Step([&] {
        // Stretched from the original each time: a stretched copy would lose more on every resize.
        box.surface.Move(0, 0, box.ScaleWidth(), box.ScaleHeight());
        box.surface.SetPicture(banner_->Backdrop);
        mduUILib::FitPictureToBox(box.surface);
        box.surface.ZOrder(1);
    });
    mduLib::Step([&] {
        box.imgMain.Move(0, 0, box.Width(), box.Height());
        box.imgMain.SetPicture(banner_->BackgroundPicture.isNull()
                                   ? platform::Picture()
                                   : platform::Picture::FromImage(banner_->BackgroundPicture));
        box.imgMain.ZOrder(1);
        box.surface.ZOrder(1);
    });
}

void frmMain::PaintClientBackground()
{
    // The frame's picture stands in the client area's top left corner at its own size,
    // the background colour around it; the banner, when shown, lies over both.
    const QColor colour = platform::ColorFromValue(BackColor());
    const QSize size = ClientArea().viewport()->size();
    if (banner_->BackgroundPicture.isNull() || size.isEmpty()) {
        ClientArea().setBackground(colour);
        return;
    }
    QPixmap area(size);
    area.fill(colour);
    QPainter p(&area);
    p.drawImage(0, 0, banner_->BackgroundPicture);
    p.end();
    ClientArea().setBackground(area);
}

void frmMain::LayoutBanner()
{
    BannerBox& box = *picMain;
    const double w = Width();
    platform::Label& first = box.lblHeaderChar(1);
    first.SetFontSize(bannerbox::TitleFontSize(w));
    first.SetTop(bannerbox::kTitleTop);
    first.SetCaption(QLatin1String(bannerbox::kTitle));
    first.SetAutoSize(true);
    first.SetLeft(static_cast<float>(bannerbox::CentredLeft(w, first.Width())));
    box.lblVersionLocation.SetTop(bannerbox::kSecondLineTop);
    box.lblVersionLocation.SetLeft(static_cast<float>(bannerbox::CentredLeft(w, box.lblVersionLocation.Width())));
    box.lblMaker.SetTop(box.lblVersionLocation.Top() + box.lblVersionLocation.Height());
    box.lblMaker.SetLeft(static_cast<float>(bannerbox::CentredLeft(w, box.lblMaker.Width())));
    BuildHeaderLetters();
}

void frmMain::BuildHeaderLetters()
{
    BannerBox& box = *picMain;
    const QString title = QLatin1String(bannerbox::kTitle);
    platform::Label& first = box.lblHeaderChar(1);
    for (int i = 1; i <= title.size(); ++i) {
        if (box.lblHeaderChar.UBound() < i)
            box.lblHeaderChar.Load(i);
        platform::Label& letter = box.lblHeaderChar(i);
        letter.ZOrder(0);
        letter.SetAutoSize(true);
        letter.SetFontBold(true);
        letter.SetFontName(first.Font().Name);
        letter.SetFontSize(first.Font().Size);
        letter.SetCaption(title.mid(i - 1, 1));
        if (i == 1)
            continue;
        const platform::Label& before = box.lblHeaderChar(i - 1);
        letter.SetLeft(before.Left() + before.Width());
    }
    AnimateHeading(0);
}

int frmMain::GetHeadingVariation() const
{
    return bannerbox::HeadingStyleFor(mduLib::GetProp(QStringLiteral("Heading Variation"), CentralSettings()));
}

void frmMain::AnimateHeading(int delay)
{
    const int style = GetHeadingVariation();
    if (style == 5)
        AnimateHeadingRandom(delay);
    else
        AnimateHeadingStyle(style, delay);
    mduUILib::RandomForeColors(picMain->lblHeaderChar, BackColor());
}

void frmMain::AnimateHeadingRandom(int delay)
{
    const int style = static_cast<int>(std::floor(mduUILib::detail::RandomFraction() * 5 + 1));
    AnimateHeadingStyle(style, delay);
}

void frmMain::AnimateHeadingStyle(int style, int delay)
{
    const int firstTop = static_cast<int>(std::floor(picMain->lblHeaderChar(1).Top()));
    if (const auto a = bannerbox::ArrangementFor(style, firstTop))
        mduUILib::AnimateControlArray(picMain->lblHeaderChar, static_cast<qint16>(a->base),
                                      static_cast<qint16>(a->amplitude), static_cast<qint16>(delay),
                                      static_cast<qint16>(a->mode));
}
