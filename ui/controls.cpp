#include "controls.h"

#include "form.h"
#include "twips.h"

#include <QFontMetricsF>
#include <QPainter>

namespace platform {

QFont FontModel::ToQFont() const
{
    QFont f(Name);
    f.setPointSizeF(Size > 0 ? Size : 8.25);
    f.setBold(Bold);
    f.setItalic(Italic);
    f.setUnderline(Underline);
    f.setStrikeOut(Strikethrough);
    return f;
}

// ---- LightControl ----

LightControl::LightControl(Form* owner, QString name, int index) : owner_(owner), name_(std::move(name)), index_(index)
{
    if (owner_)
        owner_->AddControl(this);
}

LightControl::~LightControl()
{
    if (owner_)
        owner_->RemoveControl(this);
}

void LightControl::Changed()
{
    if (owner_ && visible_)
        owner_->InvalidateTwips(RectTwips());
}

#define SET_GEOMETRY(field, v)                                                                                         \
    do {                                                                                                               \
        if (field == v)                                                                                                \
            return;                                                                                                    \
        Changed();                                                                                                     \
        field = v;                                                                                                     \
        Changed();                                                                                                     \
    } while (0)

void LightControl::SetLeft(float v) { SET_GEOMETRY(left_, v); }
void LightControl::SetTop(float v) { SET_GEOMETRY(top_, v); }
void LightControl::SetWidth(float v) { SET_GEOMETRY(width_, v); }
void LightControl::SetHeight(float v) { SET_GEOMETRY(height_, v); }
#undef SET_GEOMETRY

void LightControl::Move(float left, float top, float width, float height)
{
    Changed();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Changed();
}

void LightControl::Move(float left, float top) { Move(left, top, width_, height_); }

void LightControl::SetVisible(bool v)
{
    if (visible_ == v)
        return;
    if (!v)
        Changed();
    visible_ = v;
    Changed();
}

void LightControl::SetEnabled(bool v)
{
    if (enabled_ == v)
        return;
    enabled_ = v;
    Changed();
}

void LightControl::ZOrder(int position)
{
    if (!owner_)
        return;
    if (position == 0)
        owner_->BringToFront(this);
    else
        owner_->SendToBack(this);
    Changed();
}

void LightControl::Refresh()
{
    Changed();
    if (owner_)
        owner_->Refresh();
}

bool LightControl::HitTest(float x, float y) const
{
    return visible_ && !MouseTransparent && x >= left_ && y >= top_ && x < left_ + width_ && y < top_ + height_;
}

QRect LightControl::PixelRect() const
{
    const int l = TwipsToPixelsX(left_);
    const int t = TwipsToPixelsY(top_);
    const int r = TwipsToPixelsX(left_ + width_);
    const int b = TwipsToPixelsY(top_ + height_);
    return QRect(QPoint(l, t), QPoint(r - 1, b - 1));
}

void LightControl::CopyCommonFrom(const LightControl& o)
{
    left_ = o.left_;
    top_ = o.top_;
    width_ = o.width_;
    height_ = o.height_;
    enabled_ = o.enabled_;
    Tag = o.Tag;
    ToolTipText = o.ToolTipText;
    MousePointer = o.MousePointer;
    MouseIcon = o.MouseIcon;
    MouseTransparent = o.MouseTransparent;
}

namespace {
// Text keeps the fractions of its twips position, so that a shadow a fraction of a pixel
// away reads as a soft edge rather than a doubled glyph.
QRectF ExactPixelRect(const QRectF& twips)
{
    return QRectF(twips.left() / TwipsPerPixelX(), twips.top() / TwipsPerPixelY(), twips.width() / TwipsPerPixelX(),
                  twips.height() / TwipsPerPixelY());
}
} // namespace

// ---- Label ----

Label::Label(Form* owner, QString name, int index) : LightControl(owner, std::move(name), index) {}

void Label::SetCaption(const QString& c)
{
    if (caption_ == c)
        return;
    Changed();
    caption_ = c;
    Fit();
    Changed();
    if (Change)
        Change();
}

const QFont& Label::QtFont() const
{
    if (!qtFont_)
        qtFont_ = font_.ToQFont();
    return *qtFont_;
}

const QFontMetricsF& Label::Metrics() const
{
    if (!metrics_)
        metrics_.emplace(QtFont());
    return *metrics_;
}

void Label::SetFont(const FontModel& f)
{
    if (font_ == f)
        return;
    Changed();
    font_ = f;
    qtFont_.reset();
    metrics_.reset();
    Fit();
    Changed();
}

void Label::SetFontName(const QString& name)
{
    FontModel f = font_;
    f.Name = name;
    SetFont(f);
}

void Label::SetFontSize(double points)
{
    FontModel f = font_;
    f.Size = static_cast<float>(points);
    SetFont(f);
}

void Label::SetFontBold(bool on)
{
    FontModel f = font_;
    f.Bold = on;
    SetFont(f);
}

void Label::SetFontItalic(bool on)
{
    FontModel f = font_;
    f.Italic = on;
    SetFont(f);
}

void Label::SetFontUnderline(bool on)
{
    FontModel f = font_;
    f.Underline = on;
    SetFont(f);
}

void Label::SetFontStrikethrough(bool on)
{
    FontModel f = font_;
    f.Strikethrough = on;
    SetFont(f);
}

void Label::SetForeColor(qint32 c)
{
    if (foreColor_ == c)
        return;
    foreColor_ = c;
    Changed();
}

void Label::SetBackColor(qint32 c)
{
    backColor_ = c;
    Changed();
}

void Label::SetBackStyle(int v)
{
    backStyle_ = v;
    Changed();
}

void Label::SetBorderStyle(int v)
{
    if (borderStyle_ == v)
        return;
    Changed();
    borderStyle_ = v;
    Fit();
    Changed();
}

void Label::SetAlignment(int v)
{
    alignment_ = v;
    Changed();
}

void Label::SetAutoSize(bool on)
{
    if (autoSize_ == on)
        return;
    autoSize_ = on;
    Changed();
    Fit();
    Changed();
}

void Label::SetWordWrap(bool on)
{
    wordWrap_ = on;
    Fit();
    Changed();
}

void Label::Fit()
{
    if (!autoSize_)
        return;
    const QFontMetricsF& fm = Metrics();
    QString text = caption_;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QStringList lines = text.split(u'\n');
    double w = 0;
    for (const QString& l : lines)
        w = std::max(w, fm.horizontalAdvance(l));
    const double h = fm.height() * static_cast<double>(std::max<qsizetype>(1, lines.size()));
    const double border = borderStyle_ == 1 ? 2.0 : 0.0;
    // Set the fields directly: the caller already redraws the old and the new area.
    LightControl::SetWidth(static_cast<float>(PixelsToTwipsX(std::ceil(w) + border)));
    LightControl::SetHeight(static_cast<float>(PixelsToTwipsY(std::ceil(h) + border)));
}

float Label::FittedWidth(const QString& line) const
{
    const double border = borderStyle_ == 1 ? 2.0 : 0.0;
    const double w = Metrics().horizontalAdvance(line);
    return static_cast<float>(PixelsToTwipsX(std::ceil(w) + border));
}

void Label::CopyFrom(const Label& o)
{
    CopyCommonFrom(o);
    caption_ = o.caption_;
    font_ = o.font_;
    qtFont_.reset();
    metrics_.reset();
    foreColor_ = o.foreColor_;
    backColor_ = o.backColor_;
    backStyle_ = o.backStyle_;
    borderStyle_ = o.borderStyle_;
    alignment_ = o.alignment_;
    autoSize_ = o.autoSize_;
    wordWrap_ = o.wordWrap_;
}

void Label::Paint(QPainter& p) const
{
    const QRect r = PixelRect();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    if (backStyle_ == 1)
        p.fillRect(r, ColorFromValue(backColor_));
    if (borderStyle_ == 1) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    if (caption_.isEmpty())
        return;
    p.setFont(QtFont());
    int flags = Qt::AlignTop;
    flags |= alignment_ == 1 ? Qt::AlignRight : alignment_ == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    if (wordWrap_)
        flags |= Qt::TextWordWrap;
    QString text = caption_;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QRectF exact = ExactPixelRect(RectTwips());
    const QRectF inner = borderStyle_ == 1 ? exact.adjusted(1, 1, -1, -1) : exact;
    if (!Enabled()) {
        // Greyed like a disabled label: a light relief under grey text.
        p.setPen(QColor(255, 255, 255));
        p.drawText(inner.translated(1, 1), flags, text);
        p.setPen(QColor(128, 128, 128));
    } else {
        p.setPen(ColorFromValue(foreColor_));
    }
    p.drawText(inner, flags, text);
}

// ---- Image ----

Image::Image(Form* owner, QString name, int index) : LightControl(owner, std::move(name), index) {}

void Image::SetPicture(const Picture& pic)
{
    Changed();
    picture_ = pic;
    scaled_ = QImage();
    if (!stretch_ && !pic.IsEmpty()) {
        LightControl::SetWidth(static_cast<float>(PixelsToTwipsX(pic.SizePixels().width())));
        LightControl::SetHeight(static_cast<float>(PixelsToTwipsY(pic.SizePixels().height())));
    }
    Changed();
}

void Image::SetStretch(bool on)
{
    stretch_ = on;
    Changed();
}

void Image::SetBorderStyle(int v)
{
    borderStyle_ = v;
    Changed();
}

void Image::CopyFrom(const Image& o)
{
    CopyCommonFrom(o);
    picture_ = o.picture_;
    scaled_ = o.scaled_;
    stretch_ = o.stretch_;
    borderStyle_ = o.borderStyle_;
}

void Image::Paint(QPainter& p) const
{
    const QRect r = PixelRect();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    if (!picture_.IsEmpty()) {
        if (stretch_) {
            // In device pixels, so that a scaled screen draws it sharp.
            const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
            const QSize target = (QSizeF(r.size()) * dpr).toSize();
            if (scaled_.size() != target || scaled_.devicePixelRatio() != dpr)
                scaled_ = picture_.ScaledTo(target, dpr);
            p.drawImage(r.topLeft(), scaled_);
        } else {
            p.drawImage(r.topLeft(), picture_.Image());
        }
    }
    if (borderStyle_ == 1) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
}

// ---- Shape ----

Shape::Shape(Form* owner, QString name, int index) : LightControl(owner, std::move(name), index) {}

void Shape::SetBorderColor(qint32 c)
{
    borderColor_ = c;
    Changed();
}
void Shape::SetBorderWidth(int px)
{
    borderWidth_ = px;
    Changed();
}
void Shape::SetBorderStyle(int v)
{
    borderStyle_ = v;
    Changed();
}
void Shape::SetFillStyle(int v)
{
    fillStyle_ = v;
    Changed();
}
void Shape::SetFillColor(qint32 c)
{
    fillColor_ = c;
    Changed();
}

void Shape::CopyFrom(const Shape& o)
{
    CopyCommonFrom(o);
    borderColor_ = o.borderColor_;
    borderWidth_ = o.borderWidth_;
    borderStyle_ = o.borderStyle_;
    fillStyle_ = o.fillStyle_;
    fillColor_ = o.fillColor_;
}

void Shape::Paint(QPainter& p) const
{
    const QRect r = PixelRect();
    if (r.width() <= 0 || r.height() <= 0)
        return;
    if (fillStyle_ == 0)
        p.fillRect(r, ColorFromValue(fillColor_));
    if (borderStyle_ == 0)
        return;
    QPen pen(ColorFromValue(borderColor_), std::max(1, borderWidth_));
    pen.setStyle(borderStyle_ == 2 ? Qt::DashLine : borderStyle_ == 3 ? Qt::DotLine : Qt::SolidLine);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const int inset = std::max(1, borderWidth_) / 2;
    p.drawRect(r.adjusted(inset, inset, -inset - 1, -inset - 1));
}

} // namespace platform
