#include "bench_support.h"
#include "core/settings_store.h"
#include "core/style_files.h"
#include "core/text_file.h"

#include <benchmark/benchmark.h>

namespace {

void LoadIniFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("big.ini");
    QStringList lines;
    for (int i = 1; i <= 32767; ++i)
        lines << QStringLiteral("Caption:%1/%2=Entry number %3,with,options").arg(i % 28 + 1).arg(i % 12 + 1).arg(i);
    textfile::WriteLines(path, lines);
    for (auto _ : state) {
        mduLib::PropertyTable t(1);
        benchmark::DoNotOptimize(mduLib::LoadIniFile(path, t));
    }
    state.SetItemsProcessed(state.iterations() * 32767);
    state.counters["peak_rss_kb"] = static_cast<double>(bench::PeakRssKb());
}
BENCHMARK(LoadIniFile)->Unit(benchmark::kMillisecond);

void GetPropOfTheLastKey(benchmark::State& state)
{
    mduLib::PropertyTable t(500);
    for (int i = 1; i <= 500; ++i) {
        t[i].Key = QStringLiteral("Setting Number %1").arg(i);
        t[i].Value = QStringLiteral("Value %1,option a,option b").arg(i);
    }
    const QString key = QStringLiteral("setting number 500");
    for (auto _ : state)
        benchmark::DoNotOptimize(mduLib::GetProp(key, t));
}
BENCHMARK(GetPropOfTheLastKey)->Unit(benchmark::kMicrosecond);

// A style of 32,767 keys chosen over a settings table that holds half of them.
void LoadStyleOf32767Keys(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Big.ini");
    QStringList lines;
    for (int i = 1; i <= 32767; ++i)
        lines << QStringLiteral("Style Key %1=%2").arg(i).arg(i);
    textfile::WriteLines(path, lines);
    for (auto _ : state) {
        state.PauseTiming();
        mduLib::PropertyTable t(16000);
        for (int i = 1; i <= 16000; ++i) {
            t[i].Key = QStringLiteral("style key %1").arg(i * 2);
            t[i].Value = QStringLiteral("0");
        }
        state.ResumeTiming();
        benchmark::DoNotOptimize(mduLib::LoadStyleFile(path, t));
    }
}
BENCHMARK(LoadStyleOf32767Keys)->Unit(benchmark::kMillisecond);

} // namespace
