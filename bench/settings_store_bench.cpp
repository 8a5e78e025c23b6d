#include "bench_support.h"
#include "core/settings_store.h"
#include "core/style_files.h"
#include "core/text_file.h"

#include <QFileInfo>
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

// A settings file of 16 MB (long values, as a pasted text gives) loaded and written back;
// peak_rss_kb is the process's, so run it alone (--benchmark_filter) for a true figure.
void LoadAndSave16MBFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("huge.ini");
    const QString value(500, u'x');
    QStringList lines;
    for (int i = 1; i <= 32000; ++i)
        lines << QStringLiteral("Key %1=").arg(i) + value;
    textfile::WriteLines(path, lines);
    lines.clear();
    const long before = bench::CurrentRssKb();
    for (auto _ : state) {
        mduLib::PropertyTable t(1);
        mduLib::LoadIniFile(path, t);
        benchmark::DoNotOptimize(mduLib::SaveIniFile(t, path));
    }
    state.counters["file_kb"] = static_cast<double>(QFileInfo(path).size() / 1024);
    state.counters["rss_before_kb"] = static_cast<double>(before);
    state.counters["peak_rss_kb"] = static_cast<double>(bench::PeakRssKb());
}
BENCHMARK(LoadAndSave16MBFile)->Unit(benchmark::kMillisecond);

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
