#pragma once
// A picture box: a picture shown at its own size from the top left corner over a
// background colour, and a drawing surface (PaintPicture) whose result is kept and can be
// taken as a picture (Image). Light, like the other controls, so that labels can sit on it.
#include "controls.h"

namespace platform {

enum ScaleModeValue { vbTwips = 1, vbPixels = 3 };

class PictureBox : public LightControl {
public:
    PictureBox(Form* owner, QString name, int index = -1);

    const Picture& GetPicture() const { return picture_; }
    // Replaces the picture and whatever was drawn; the box keeps its size.
    void SetPicture(const Picture& p);
    qint32 BackColor() const { return backColor_; }
    void SetBackColor(qint32 c);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single
    void SetBorderStyle(int v);
    bool AutoRedraw() const { return autoRedraw_; }
    void SetAutoRedraw(bool on) { autoRedraw_ = on; }
    int ScaleMode() const { return scaleMode_; }
    void SetScaleMode(int mode) { scaleMode_ = mode == vbPixels ? vbPixels : vbTwips; }

    // The inner area (inside the border) in ScaleMode units.
    float ScaleWidth() const;
    float ScaleHeight() const;
    QSize InnerSizePixels() const;

    // Draws the source part of pic stretched onto the destination part of the box; all
    // coordinates in ScaleMode units. What is drawn stays until the picture changes.
    void PaintPicture(const Picture& pic, float x, float y, float width, float height, float srcX, float srcY,
                      float srcWidth, float srcHeight);
    // What the box shows now (background, picture and drawing) as a picture.
    Picture Image() const;

    void CopyFrom(const PictureBox& other);
    void Paint(QPainter& p) const override;

private:
    // Background and picture, at the inner size; whole is the picture in full when the
    // caller has it decoded already.
    QImage Surface(const QImage& whole = QImage()) const;
    double ToPixelsX(float v) const;
    double ToPixelsY(float v) const;

    Picture picture_;
    QImage drawn_; // the kept drawing; null while nothing was drawn
    qint32 backColor_ = static_cast<qint32>(0x8000000F);
    int borderStyle_ = 1;
    bool autoRedraw_ = false;
    int scaleMode_ = vbTwips;
};

} // namespace platform
