// The settings store's load and save: saving a loaded file and saving that again must
// give the same bytes the second time.
#include "core/settings_store.h"
#include "core/text_file.h"
#include "fuzz_input.h"

namespace {
QByteArray LoadAndSave(const QByteArray& bytes)
{
    const textfile::DecodedText decoded = textfile::Decode(bytes);
    mduLib::PropertyTable t(1);
    textfile::LineEnd lineEnd = textfile::LineEnd::CrLf;
    mduLib::LoadIniLines(textfile::SplitLines(decoded.text, &lineEnd), t);
    t.SetFileEncoding(decoded.encoding);
    t.SetFileLineEnd(lineEnd);
    return textfile::LinesBytes(mduLib::IniFileLines(t), t.FileEncoding(), t.FileLineEnd());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray once = LoadAndSave(fuzzinput::Bytes(data, size));
    fuzzinput::ExpectSame(once, LoadAndSave(once), "load and save");
    return 0;
}
