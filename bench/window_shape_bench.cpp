#include "ui/controls.h"
#include "ui/form.h"
#include "ui/window_shape.h"

#include <QCoreApplication>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

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

// One second of a clock on a large see-through window: its caption changes and the
// window's see-through area follows for the clock's rectangle only.
void TransparentClockSecond(benchmark::State& state)
{
    platform::Form form(QStringLiteral("frmBench"));
    form.SetBackColor(0xFFFFFF);
    form.resize(1600, 1000);
    std::vector<std::unique_ptr<platform::Label>> days;
    for (int i = 0; i < 42; ++i) { // a month of day numbers, a shape of many rectangles
        auto& day = days.emplace_back(std::make_unique<platform::Label>(&form, QStringLiteral("lblDate"), i));
        day->SetBackStyle(0);
        day->SetFontSize(20);
        day->SetAutoSize(true);
        day->Move(1500 + (i % 7) * 2800, 4000 + (i / 7) * 1400);
        day->SetCaption(QString::number(i % 31 + 1));
    }
    platform::Label clock(&form, QStringLiteral("lblClock"));
    clock.SetBackStyle(0);
    clock.SetAutoSize(true);
    clock.SetFontSize(12);
    clock.Move(18000, 600);
    form.show();
    mduAPILib::MakeWhiteTransparent(form);
    int second = 0;
    for (auto _ : state) {
        clock.SetCaption(QStringLiteral("10:41:%1").arg(second++ % 60, 2, 10, QLatin1Char('0')));
        QCoreApplication::processEvents(); // the see-through area follows, the window paints
    }
    state.counters["mask_rects"] = form.mask().rectCount();
}
BENCHMARK(TransparentClockSecond)->Unit(benchmark::kMicrosecond);

} // namespace
