#include "bench_support.h"
#include "system/clock.h"
#include "tests/support/test_calendar.h"
#include "ui/twips.h"
#include "ui/window_shape.h"

#include <QImage>

#include <benchmark/benchmark.h>

namespace {

// From ShowMe to the end of the first timer tick's full load.
void CalendarShowToFullLoad(benchmark::State& state)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        auto w = std::make_unique<testsupport::TestCalendar>();
        w->ShowMe(0, QDate(2026, 3, 15));
        w->Timer1.Fire();
        benchmark::DoNotOptimize(w->FormState());
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_kb"] = static_cast<double>(bench::PeakRssKb());
}
BENCHMARK(CalendarShowToFullLoad)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// A window through its full load, for the month and layout figures.
std::unique_ptr<testsupport::TestCalendar> RunningWindow()
{
    auto w = std::make_unique<testsupport::TestCalendar>();
    w->ShowMe(0, QDate(2026, 3, 15));
    w->Timer1.Fire();
    return w;
}

// One month forward: the grid filled, formatted, laid out and repainted.
void MoveMonthForward(benchmark::State& state)
{
    bench::ProgramFolder folder;
    auto w = RunningWindow();
    int step = 1;
    for (auto _ : state) {
        w->MoveMonth(step);
        step = -step; // stay within the loaded years
    }
}
BENCHMARK(MoveMonthForward)->Unit(benchmark::kMicrosecond);

// The whole page laid out again, as after a resize.
void FullReLayout(benchmark::State& state)
{
    bench::ProgramFolder folder;
    auto w = RunningWindow();
    for (auto _ : state)
        w->SetCalendarLayout();
}
BENCHMARK(FullReLayout)->Unit(benchmark::kMicrosecond);

} // namespace

namespace {

// One running tick with the clock and a scrolling message: the idle cost of the window.
void RunningTickWithMessage(benchmark::State& state)
{
    bench::ProgramFolder folder;
    auto w = RunningWindow();
    w->StartScrollingMessage(QStringLiteral("Market in town  Buy apples, bread and a birthday card for Ann"));
    for (auto _ : state)
        w->Timer1_Timer();
}
BENCHMARK(RunningTickWithMessage)->Unit(benchmark::kMicrosecond);

// The first start as a user sees it, to the first paint: the shipped month picture, page
// and backdrop.
void CalendarShowToFullLoadWithPictures(benchmark::State& state)
{
    bench::ProgramFolder folder(true);
    for (auto _ : state) {
        auto w = std::make_unique<testsupport::TestCalendar>();
        w->ShowMe(0, QDate(2026, 3, 15));
        w->Timer1.Fire();
        // The first paint decodes the pictures at their slots' sizes.
        QImage screen(w->size(), QImage::Format_RGB32);
        w->render(&screen);
        benchmark::DoNotOptimize(screen.constBits());
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    state.counters["peak_rss_kb"] = static_cast<double>(bench::PeakRssKb());
}
BENCHMARK(CalendarShowToFullLoadWithPictures)->Unit(benchmark::kMillisecond);

// A month move with the pictures shown, painted as the screen would paint it.
void MoveMonthWithPictures(benchmark::State& state)
{
    bench::ProgramFolder folder(true);
    auto w = RunningWindow();
    QImage screen(w->size(), QImage::Format_RGB32);
    int step = 1;
    for (auto _ : state) {
        w->MoveMonth(step);
        w->render(&screen);
        step = -step;
    }
}
BENCHMARK(MoveMonthWithPictures)->Unit(benchmark::kMicrosecond);

// The see-through mask of a large transparent window, recomputed as after a month move.
void TransparentMask1600x1000(benchmark::State& state)
{
    bench::ProgramFolder folder(true);
    auto w = RunningWindow();
    w->Move(0, 0, platform::PixelsToTwipsX(1600), platform::PixelsToTwipsY(1000));
    w->ApplySetting("Window Title Bar", "No", "");
    w->ApplySetting("Window Background Colours", "Transparent", "");
    w->SetCalendarLayout();
    for (auto _ : state)
        mduAPILib::RefreshTransparentMask(*w);
    state.counters["width_px"] = w->width();
    state.counters["height_px"] = w->height();
}
BENCHMARK(TransparentMask1600x1000)->Unit(benchmark::kMillisecond);

} // namespace
