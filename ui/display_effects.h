#pragma once
// The display routines of the multi-calendar frame's banner and background: fitting a
// picture into a picture box, moving a row of labels, colouring labels at random.
#include "control_array.h"
#include "picture_box.h"

#include <QtGlobal>
#include <cmath>
#include <functional>

namespace mduUILib {

// Stretches the box's picture over its whole inner area and keeps the result as its
// picture; a box without a picture stays as it is.
void FitPictureToBox(platform::PictureBox& box);

// Sets the tops of the controls (i = 1..Count in index order): mode 0 all at base;
// 1 one after the other, each after a wait, at base + Int(amplitude * sin(i * pi - 1 / Count));
// 2 at base + Int(amplitude * a random fraction); 3 the whole row through one period of a
// sine in 51 frames, a wait before each; 4 a wave along the row in 50 frames, a wait after
// each control; other modes move nothing. The waits block the caller.
template <class T>
void AnimateControlArray(platform::ControlArray<T>& controls, qint16 base, qint16 amplitude, qint16 delay, qint16 mode);

// Gives each control a random text colour that keeps clear of avoid.
template <class T> void RandomForeColors(platform::ControlArray<T>& controls, qint32 avoid);

// Replaces the wait between frames (a null function restores the default: draw the form,
// then sleep). Tests record the waits instead.
void SetEffectWait(std::function<void(int ms)> wait);

namespace detail {
void EffectWait(int ms, platform::Form* owner);
double RandomFraction(); // [0, 1), from a generator seeded once
// colour, or, when it lies within 500 of avoid, a colour 500 away from it that is still a
// colour (never past pure white).
qint32 ColourAvoiding(qint32 colour, qint32 avoid);
qint32 RandomColourAvoiding(qint32 avoid);
} // namespace detail

template <class T>
void AnimateControlArray(platform::ControlArray<T>& controls, qint16 base, qint16 amplitude, qint16 delay, qint16 mode)
{
    constexpr double kPi = 3.14159265358979;
    const int count = controls.Count();
    if (count == 0)
        return;
    platform::Form* owner = nullptr;
    controls.ForEach([&](int, T& c) {
        if (!owner)
            owner = c.Owner();
    });
    auto forEachOrdinal = [&](auto&& f) {
        int i = 0;
        controls.ForEach([&](int, T& c) { f(++i, c); });
    };
    switch (mode) {
    case 0:
        forEachOrdinal([&](int, T& c) { c.SetTop(base); });
        break;
    case 1:
        forEachOrdinal([&](int i, T& c) {
            detail::EffectWait(delay, owner);
            c.SetTop(static_cast<float>(base + std::floor(amplitude * std::sin(i * kPi - 1.0 / count))));
        });
        break;
    case 2:
        forEachOrdinal(
            [&](int, T& c) { c.SetTop(static_cast<float>(base + std::floor(amplitude * detail::RandomFraction()))); });
        break;
    case 3:
        for (int k = -25; k <= 25; ++k) {
            detail::EffectWait(delay, owner);
            const float top = static_cast<float>(base + amplitude * std::sin(2.0 * k * kPi / 50));
            forEachOrdinal([&](int, T& c) { c.SetTop(top); });
        }
        break;
    case 4:
        for (int k = 1; k <= 50; ++k)
            forEachOrdinal([&](int i, T& c) {
                c.SetTop(static_cast<float>(base + amplitude * std::sin(2.0 * i * 3.14 / count + k * 6.28 / 50)));
                detail::EffectWait(delay, owner);
            });
        break;
    default:
        break;
    }
}

template <class T> void RandomForeColors(platform::ControlArray<T>& controls, qint32 avoid)
{
    controls.ForEach([&](int, T& c) { c.SetForeColor(detail::RandomColourAvoiding(avoid)); });
}

} // namespace mduUILib
