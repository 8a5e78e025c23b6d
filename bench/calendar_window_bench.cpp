#include "bench_support.h"
#include "tests/support/test_calendar.h"
#include "system/clock.h"

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

} // namespace
