#include "bench_support.h"
#include "calendar/calendar_window.h"
#include "platform/clock.h"

#include <benchmark/benchmark.h>

namespace {

// From ShowMe to the end of the first timer tick's full load.
void CalendarShowToFullLoad(benchmark::State& state)
{
    bench::ProgramFolder folder;
    for (auto _ : state) {
        auto w = std::make_unique<frmAlmanorvique>();
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
