#include "text_utilities.h"

#include "conversions.h"
#include "text_file.h"

namespace mduLib {

double MaxValue(double a, qint32 b) { return a <= b ? static_cast<double>(b) : a; }
double MinValue(double a, qint32 b) { return a >= b ? static_cast<double>(b) : a; }

bool IsYes(const QString& text) { return conv::Trim(text).toLower() != QLatin1String("no"); }

bool WriteTextFile(const QString& text, const QString& path)
{
    return textfile::WriteText(path, text + QStringLiteral("\r\n"));
}

} // namespace mduLib
