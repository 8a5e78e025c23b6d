#include "picture_box.h"

#include "twips.h"

#include <QPainter>

namespace platform {

PictureBox::PictureBox(Form* owner, QString name, int index) : LightControl(owner, std::move(name), index) {}

void PictureBox::SetPicture(const Picture& p)
{
    picture_ = p;
    drawn_ = QImage();
    Changed();
}

void PictureBox::SetBackColor(qint32 c)
{
    backColor_ = c;
    Changed();
}

void PictureBox::SetBorderStyle(int v)
{
    borderStyle_ = v;
    Changed();
}

QSize PictureBox::InnerSizePixels() const
{
    const int border = borderStyle_ == 1 ? 2 : 0;
    const QRect r = PixelRect();
    return QSize(std::max(0, r.width() - border), std::max(0, r.height() - border));
}

float PictureBox::ScaleWidth() const
{
    const int px = InnerSizePixels().width();
    return static_cast<float>(scaleMode_ == vbPixels ? px : PixelsToTwipsX(px));
}

float PictureBox::ScaleHeight() const
{
    const int px = InnerSizePixels().height();
    return static_cast<float>(scaleMode_ == vbPixels ? px : PixelsToTwipsY(px));
}

double PictureBox::ToPixelsX(float v) const { return scaleMode_ == vbPixels ? v : v / TwipsPerPixelX(); }
double PictureBox::ToPixelsY(float v) const { return scaleMode_ == vbPixels ? v : v / TwipsPerPixelY(); }

QImage PictureBox::Surface(const QImage& whole) const
{
    const QSize size = InnerSizePixels();
    if (size.isEmpty())
        return {};
    QImage img(size, QImage::Format_ARGB32_Premultiplied);
    img.fill(ColorFromValue(backColor_));
    if (!picture_.IsEmpty()) {
        QPainter p(&img);
        // Drawn once here: no decoded copy of a file's picture is kept for it.
        p.drawImage(QPoint(0, 0), whole.isNull() ? picture_.Whole() : whole);
    }
    return img;
}

void PictureBox::PaintPicture(const Picture& pic, float x, float y, float width, float height, float srcX, float srcY,
                              float srcWidth, float srcHeight)
{
    if (pic.IsEmpty())
        return;
    // Decoded for this once. The picture may be this box's own drawing: the painter
    // gives the box a copy of its own before it draws.
    const QImage source = pic.Whole();
    if (drawn_.isNull() || drawn_.size() != InnerSizePixels())
        drawn_ = Surface(pic.SameAs(picture_) ? source : QImage());
    if (drawn_.isNull())
        return;
    QPainter p(&drawn_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(QRectF(ToPixelsX(x), ToPixelsY(y), ToPixelsX(width), ToPixelsY(height)), source,
                QRectF(ToPixelsX(srcX), ToPixelsY(srcY), ToPixelsX(srcWidth), ToPixelsY(srcHeight)));
    p.end();
    Changed();
}

Picture PictureBox::Image() const { return Picture::FromImage(drawn_.isNull() ? Surface() : drawn_); }

void PictureBox::CopyFrom(const PictureBox& o)
{
    CopyCommonFrom(o);
    picture_ = o.picture_;
    drawn_ = o.drawn_;
    backColor_ = o.backColor_;
    borderStyle_ = o.borderStyle_;
    autoRedraw_ = o.autoRedraw_;
    scaleMode_ = o.scaleMode_;
}

void PictureBox::Paint(QPainter& p) const
{
    const QRect r = PixelRect();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QRect inner = borderStyle_ == 1 ? r.adjusted(1, 1, -1, -1) : r;
    p.save();
    p.setClipRect(inner);
    p.fillRect(inner, ColorFromValue(backColor_));
    if (!drawn_.isNull())
        p.drawImage(inner.topLeft(), drawn_);
    else if (!picture_.IsEmpty())
        p.drawImage(inner.topLeft(), picture_.Image());
    p.restore();
    if (borderStyle_ == 1) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

} // namespace platform
