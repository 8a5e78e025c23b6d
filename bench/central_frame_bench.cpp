#include "bench_support.h"
#include "core/app_identity.h"
#include "tests/support/test_calendar.h"
#include "tests/support/test_frame.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// From the frame's creation until it is shown with its twelve month windows, each through
// its own full load, and the events of that start handled.
void CentralFrameStartWithTwelveMonths(benchmark::State& state)
{
    bench::ProgramFolder folder;
    testsupport::CopyShippedFolders(folder.Path("program"), {"Images"});
    appinfo::SetIdentity("Almanorvique Central", "AlmanorviqueCentral");
    long rssWithWindows = 0;
    for (auto _ : state) {
        auto f = std::make_unique<testsupport::TestFrame>();
        f->EnsureLoaded();
        f->timerCtrl.Fire();
        for (int i = 1; i <= 12; ++i)
            static_cast<testsupport::TestCalendar*>(f->MonthCalendar(i))->Timer1.Fire();
        QApplication::processEvents();
        benchmark::DoNotOptimize(f->FormState());
        state.PauseTiming();
        rssWithWindows = bench::CurrentRssKb();
        f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    appinfo::SetIdentity("Almanorvique", "Almanorvique");
    state.counters["rss_with_12_windows_kb"] = static_cast<double>(rssWithWindows);
    state.counters["peak_rss_kb"] = static_cast<double>(bench::PeakRssKb());
}
BENCHMARK(CentralFrameStartWithTwelveMonths)->Unit(benchmark::kMillisecond);

} // namespace
