#include "fuzz_input.h"

#include "core/text_file.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzinput {

QByteArray Bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

QStringList Lines(const QByteArray& bytes) { return textfile::SplitLines(textfile::Decode(bytes).text); }

std::pair<QByteArray, QByteArray> Split(const QByteArray& bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul < 0)
        return {bytes, bytes};
    return {bytes.left(nul), bytes.mid(nul + 1)};
}

void ExpectSame(const QByteArray& first, const QByteArray& second, const char* what)
{
    if (first == second)
        return;
    std::fprintf(stderr, "%s: the second pass changed the result\n--- first\n%s\n--- second\n%s\n", what,
                 first.toHex(' ').constData(), second.toHex(' ').constData());
    std::abort();
}

void ExpectSame(const QStringList& first, const QStringList& second, const char* what)
{
    if (first == second)
        return;
    qsizetype i = 0;
    while (i < first.size() && i < second.size() && first[i] == second[i])
        ++i;
    std::fprintf(stderr, "%s: the second pass changed line %lld of %lld/%lld\n--- first\n%s\n--- second\n%s\n", what,
                 static_cast<long long>(i), static_cast<long long>(first.size()), static_cast<long long>(second.size()),
                 i < first.size() ? first[i].toUtf8().constData() : "(none)",
                 i < second.size() ? second[i].toUtf8().constData() : "(none)");
    std::abort();
}

} // namespace fuzzinput
