// The year file's preparation: a year file (before the first NUL) prepared with a newer
// special-dates template (after it), and a file made from the template; preparing either
// again with the same template changes nothing.
#include "core/year_dates.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [own, templ] = fuzzinput::Split(fuzzinput::Bytes(data, size));
    const QStringList templLines = fuzzinput::Lines(templ);
    // Years with Easters, among them one whose Easter Monday is 25 April.
    static const char* const years[] = {"2026", "2011", "2038"};
    const QString year = QString::fromLatin1(years[size % 3]);
    using mduAlmanorvqueLib::PreparedYearLines;
    const QStringList merged = PreparedYearLines(fuzzinput::Lines(own), templLines, year);
    fuzzinput::ExpectSame(merged, PreparedYearLines(merged, templLines, year), "merge into a year file");
    const QStringList made = mduAlmanorvqueLib::NewYearLines(templLines, year);
    const QStringList remade = PreparedYearLines(made, templLines, year);
    fuzzinput::ExpectSame(remade, PreparedYearLines(remade, templLines, year), "merge into a new year file");
    return 0;
}
