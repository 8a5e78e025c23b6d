#include "stored_text.h"

namespace mduLib {
namespace {
// Each line break (CR LF as one, a CR or LF of its own, a kept one) becomes with.
QString ReplaceLineBreaks(const QString& text, const QString& with)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' || c == u'\n' || c == kStoredLineBreak) {
            out += with;
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(kStoredLineBreak);
}
} // namespace

QString StoredLineText(const QString& text)
{
    return HasLineBreak(text) ? ReplaceLineBreaks(text, QString(kStoredLineBreak)) : text;
}

QString TypedText(const QString& stored)
{
    if (!stored.contains(kStoredLineBreak))
        return stored;
    return QString(stored).replace(kStoredLineBreak, QLatin1String("\r\n"));
}

QString OneLineText(const QString& text)
{
    return HasLineBreak(text) ? ReplaceLineBreaks(text, QStringLiteral(" ")) : text;
}

} // namespace mduLib
