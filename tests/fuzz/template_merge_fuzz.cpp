// The settings template merge: the user's file (before the first NUL) merged with the
// template (after it); merging the result with the same template again changes nothing.
#include "core/settings_templates.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto [user, templ] = fuzzinput::Split(fuzzinput::Bytes(data, size));
    const QStringList userLines = fuzzinput::Lines(user);
    const QStringList templLines = fuzzinput::Lines(templ);
    for (const auto style : {mduLib::MergeStyle::Settings, mduLib::MergeStyle::Dates}) {
        const QStringList once = mduLib::MergeLines(userLines, templLines, style);
        fuzzinput::ExpectSame(once, mduLib::MergeLines(once, templLines, style), "merge");
    }
    return 0;
}
