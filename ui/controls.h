#pragma once
// Light controls (labels, images, shapes): windowless, drawn by their form in z-order,
// keeping every property themselves. Positions and sizes are twips from the form's
// client origin; the form's code reads back exactly what it wrote.
#include "core/text_format_target.h"
#include "picture.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPainter;

namespace platform {

class Form;

enum MousePointerValue {
    vbDefault = 0,
    vbArrow = 1,
    vbCrosshair = 2,
    vbIbeam = 3,
    vbSizePointer = 5,
    vbSizeNESW = 6,
    vbSizeNS = 7,
    vbSizeNWSE = 8,
    vbSizeWE = 9,
    vbUpArrow = 10,
    vbHourglass = 11,
    vbNoDrop = 12,
    vbArrowHourglass = 13,
    vbArrowQuestion = 14,
    vbSizeAll = 15,
    vbCustom = 99,
};

struct FontModel {
    QString Name = QStringLiteral("Arial");
    float Size = 8.25f; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    QFont ToQFont() const;
    bool operator==(const FontModel&) const = default;
};

struct MouseHandlers {
    std::function<void(int button, int shift, float x, float y)> MouseDown, MouseMove, MouseUp;
    std::function<void()> Click, DblClick;
};

class LightControl {
public:
    LightControl(Form* owner, QString name, int index);
    virtual ~LightControl();
    LightControl(const LightControl&) = delete;
    LightControl& operator=(const LightControl&) = delete;

    Form* Owner() const { return owner_; }
    const QString& Name() const { return name_; }
    int Index() const { return index_; }

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    virtual void SetLeft(float v);
    virtual void SetTop(float v);
    virtual void SetWidth(float v);
    virtual void SetHeight(float v);
    void Move(float left, float top, float width, float height);
    void Move(float left, float top);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);

    QString Tag;
    QString ToolTipText;
    int MousePointer = vbDefault;
    QImage MouseIcon;
    // A decoration the mouse passes through to what lies under it.
    bool MouseTransparent = false;

    // 0 brings the control to the front, 1 sends it to the back.
    void ZOrder(int position = 0);
    // Redraws the control at once (even under the update lock nothing is lost: the
    // form draws when the lock is released).
    void Refresh();

    MouseHandlers Events;

    QRectF RectTwips() const { return {left_, top_, width_, height_}; }
    virtual bool HitTest(float x, float y) const; // twips in the form's client area
    virtual void Paint(QPainter& p) const = 0;    // p works in pixels

protected:
    void Changed();          // the drawing may differ: redraw old and new area
    QRect PixelRect() const; // the control's area in whole pixels
    void CopyCommonFrom(const LightControl& other);

private:
    Form* owner_;
    QString name_;
    int index_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
};

class Label : public LightControl, public mduAlmanorvqueLib::TextFormatTarget {
public:
    Label(Form* owner, QString name, int index = -1);

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);

    const FontModel& Font() const { return font_; }
    void SetFont(const FontModel& f);
    void SetFontName(const QString& name) override;
    void SetFontSize(double points) override;
    void SetFontBold(bool on) override;
    void SetFontItalic(bool on) override;
    void SetFontUnderline(bool on) override;
    void SetFontStrikethrough(bool on) override;

    qint32 ForeColor() const { return foreColor_; }
    void SetForeColor(qint32 c) override;
    qint32 BackColor() const { return backColor_; }
    void SetBackColor(qint32 c);
    int BackStyle() const { return backStyle_; } // 0 transparent, 1 opaque
    void SetBackStyle(int v);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single
    void SetBorderStyle(int v);
    int Alignment() const { return alignment_; } // 0 left, 1 right, 2 centre
    void SetAlignment(int v);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool on);
    // The width, twips, that AutoSize gives a one-line caption in the label's font.
    float FittedWidth(const QString& line) const;

    // Runs after the caption's text changed.
    std::function<void()> Change;

    void CopyFrom(const Label& other);
    void Paint(QPainter& p) const override;

private:
    void Fit(); // AutoSize: the size follows caption and font at once
    // The Qt font and its metrics, made once per font: a label redrawn on every tick
    // must not resolve its font again each time.
    const QFont& QtFont() const;
    const QFontMetricsF& Metrics() const;
    QString caption_;
    FontModel font_;
    mutable std::optional<QFont> qtFont_;
    mutable std::optional<QFontMetricsF> metrics_;
    qint32 foreColor_ = 0;
    qint32 backColor_ = 0xFFFFFF;
    int backStyle_ = 1;
    int borderStyle_ = 0;
    int alignment_ = 0;
    bool autoSize_ = false;
    bool wordWrap_ = false;
};

class Image : public LightControl {
public:
    Image(Form* owner, QString name, int index = -1);

    const Picture& GetPicture() const { return picture_; }
    // Without Stretch the control takes the picture's size.
    void SetPicture(const Picture& p);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int v);

    void CopyFrom(const Image& other);
    void Paint(QPainter& p) const override;

private:
    Picture picture_;
    bool stretch_ = false;
    int borderStyle_ = 0;
    // The picture scaled to the control's size: scaled once, drawn on every paint.
    mutable QImage scaled_;
};

// A drawn frame; it lets the mouse through to what lies under it.
class Shape : public LightControl {
public:
    Shape(Form* owner, QString name, int index = -1);

    qint32 BorderColor() const { return borderColor_; }
    void SetBorderColor(qint32 c);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int px);
    int BorderStyle() const { return borderStyle_; } // 0 transparent, 1 solid, 2 dash, 3 dot
    void SetBorderStyle(int v);
    int FillStyle() const { return fillStyle_; } // 0 solid, 1 transparent
    void SetFillStyle(int v);
    qint32 FillColor() const { return fillColor_; }
    void SetFillColor(qint32 c);

    void CopyFrom(const Shape& other);
    bool HitTest(float, float) const override { return false; }
    void Paint(QPainter& p) const override;

private:
    qint32 borderColor_ = 0;
    int borderWidth_ = 1;
    int borderStyle_ = 1;
    int fillStyle_ = 1;
    qint32 fillColor_ = 0;
};

} // namespace platform
