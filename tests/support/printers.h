// How a failing check prints Qt values: a QString as its text (and so a QStringList as
// a list of texts) and a QByteArray as its bytes in quotes, not as the bytes of the
// object or a list of characters. Every test program gets this header first
// (tests/CMakeLists.txt), so that each of its files prints the same way.
#pragma once

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << ::testing::PrintToString(std::string(b.constData(), static_cast<size_t>(b.size())));
}
