#include "display_effects.h"

#include "core/colour_names.h"
#include "form.h"

#include <QRandomGenerator>
#include <QThread>

namespace mduUILib {
namespace {
std::function<void(int)>& Wait()
{
    static std::function<void(int)> w;
    return w;
}
} // namespace

void SetEffectWait(std::function<void(int ms)> wait) { Wait() = std::move(wait); }

namespace detail {

void EffectWait(int ms, platform::Form* owner)
{
    if (Wait()) {
        Wait()(ms);
        return;
    }
    // The caller blocks; draw the frame first so that it is seen.
    if (owner)
        owner->Refresh();
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

double RandomFraction() { return QRandomGenerator::global()->generateDouble(); }

qint32 ColourAvoiding(qint32 colour, qint32 avoid)
{
    constexpr qint64 kMargin = 500;
    constexpr qint64 kWhite = 0xFFFFFF;
    const qint64 c = colour;
    const qint64 a = avoid;
    if (c < a - kMargin || c > a + kMargin)
        return colour;
    return static_cast<qint32>(a + kMargin <= kWhite ? a + kMargin : a - kMargin);
}

qint32 RandomColourAvoiding(qint32 avoid) { return ColourAvoiding(RandomColour(), avoid); }

} // namespace detail

void FitPictureToBox(platform::PictureBox& box)
{
    const platform::Picture picture = box.GetPicture();
    if (picture.IsEmpty())
        return;
    box.SetScaleMode(platform::vbPixels);
    box.SetAutoRedraw(true);
    const QSize size = picture.SizePixels();
    box.PaintPicture(picture, 0, 0, box.ScaleWidth(), box.ScaleHeight(), 0, 0, static_cast<float>(size.width()),
                     static_cast<float>(size.height()));
    box.SetPicture(box.Image());
}

} // namespace mduUILib
