#include "ui/controls.h"
#include "ui/form.h"
#include "ui/window_shape.h"

#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

// A 1600 x 1000 pixel page: white around a picture, a grid of day numbers in between.
QImage CalendarLikeImage()
{
    QImage img(1600, 1000, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(100, 80, 1400, 420, QColor(40, 90, 160));
    p.setPen(Qt::black);
    QFont f("Arial");
    f.setPixelSize(36);
    p.setFont(f);
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 7; ++col)
            p.drawText(150 + col * 200, 580 + row * 70, QString::number(row * 7 + col + 1));
    return img;
}

// The see-through mask of one painted window.
void TransparentMaskOfImage(benchmark::State& state)
{
    const QImage img = CalendarLikeImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(mduAPILib::OpaqueRegion(img).rectCount());
}
BENCHMARK(TransparentMaskOfImage)->Unit(benchmark::kMillisecond);

// The same through the window: drawing it and setting the mask.
void TransparentMaskOfWindow(benchmark::State& state)
{
    platform::Form form(QStringLiteral("frmBench"));
    form.SetBackColor(0xFFFFFF);
    form.resize(1600, 1000);
    platform::Label box(&form, QStringLiteral("lblBox"));
    box.Move(1500, 1200, 21000, 6300);
    box.SetBackStyle(1);
    box.SetBackColor(0xA05A28);
    mduAPILib::MakeWhiteTransparent(form);
    bool moved = false;
    for (auto _ : state) {
        box.SetLeft(moved ? 1500 : 1515); // what the window shows changes each time
        moved = !moved;
        mduAPILib::RefreshTransparentMask(form);
    }
}
BENCHMARK(TransparentMaskOfWindow)->Unit(benchmark::kMillisecond);

} // namespace
