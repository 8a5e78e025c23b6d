// How a failing check prints Qt values: a QString as its text (and so a QStringList as
// a list of texts), a QByteArray as its bytes in quotes, a QColor as #aarrggbb and a
// QSize as WxH, not as the bytes of the object or a list of characters. Every test program gets this header first
// (tests/CMakeLists.txt), so that each of its files prints the same way.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

inline void PrintTo(const QByteArray& b, std::ostream* os)
{
    *os << ::testing::PrintToString(std::string(b.constData(), static_cast<size_t>(b.size())));
}

inline void PrintTo(const QColor& c, std::ostream* os) { *os << c.name(QColor::HexArgb).toStdString(); }

inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << 'x' << s.height(); }
