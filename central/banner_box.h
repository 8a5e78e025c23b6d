#pragma once
// The frame's banner box: a window over the frame's client area that carries the
// backdrop, the background picture, the title letters and the lines under them as light
// controls. Everything in it is in twips from its corner, which is the client area's.
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/picture_box.h"

#include <functional>
#include <optional>

class BannerBox : public platform::Form {
    Q_OBJECT
public:
    explicit BannerBox(QWidget* parent);

    // The box's own surface and backdrop picture; the mouse goes through it to the box.
    struct Surface : platform::PictureBox {
        using platform::PictureBox::PictureBox;
        bool HitTest(float, float) const override { return false; }
    };
    Surface surface{this, QStringLiteral("picMain")};
    platform::Image imgMain{this, QStringLiteral("imgMain")};
    platform::ControlArray<platform::Label> lblHeaderChar{this, QStringLiteral("lblHeaderChar")};
    platform::Label lblVersionLocation{this, QStringLiteral("lblVersionLocation")};
    platform::Label lblMaker{this, QStringLiteral("lblMaker")};

    // The box's own mouse events (where no control lies over it).
    platform::MouseHandlers BoxEvents;

protected:
    void Form_MouseDown(int b, int s, float x, float y) override;
    void Form_MouseMove(int b, int s, float x, float y) override;
    void Form_Click() override;
    void Form_DblClick() override;
};

// The banner's figures, apart from any window.
namespace bannerbox {

inline constexpr char kTitle[] = "Almanorvique Central";
inline constexpr char kMakerLine[] = "Made by the Almanorvique developers";
// The box's design scale is pixels; its tops of 40 and 140 pixels are kept in twips.
inline constexpr int kTitleTop = 600;
inline constexpr int kSecondLineTop = 2100;

// "Heading Variation" to a heading style: -1 rotation, 1 random, 2 up down, 3 bend down,
// 4 bend up, 0 none (also any other text; exact case).
int HeadingStyleFor(const QString& setting);

// How a style arranges the letters: AnimateControlArray's base, amplitude and mode from
// the first letter's top; none for a style that leaves the letters where they are.
struct Arrangement {
    int base;
    int amplitude;
    int mode;
};
std::optional<Arrangement> ArrangementFor(int style, int firstTop);

// The title's point size for a frame width (twips): a 400th of it, at most 200.
double TitleFontSize(double frameWidth);

// The left edge that centres a width in the frame's width.
double CentredLeft(double frameWidth, double width);

} // namespace bannerbox
