#pragma once
// Shared pieces of the fuzz targets: the input as a file's lines, split in two at the
// first NUL byte, and a check that stops the run when it fails.
#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace fuzzinput {

QByteArray Bytes(const uint8_t* data, size_t size);
// The lines of the bytes as a file holding them reads.
QStringList Lines(const QByteArray& bytes);
// The parts before and after the first NUL; without one, both are the whole input.
std::pair<QByteArray, QByteArray> Split(const QByteArray& bytes);
// Aborts (so that the fuzzer keeps the input) when the two differ, printing both.
void ExpectSame(const QStringList& first, const QStringList& second, const char* what);
void ExpectSame(const QByteArray& first, const QByteArray& second, const char* what);

} // namespace fuzzinput
