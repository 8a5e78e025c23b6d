#include "stored_text.h"

#include "text_utilities.h"

namespace mduLib {

QString StoredLineText(const QString& text)
{
    if (!text.contains(u'\r') && !text.contains(u'\n'))
        return text;
    // CR LF first, so that a pair gives one blank, not two.
    QString out = JoinLines(text);
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    return out;
}

} // namespace mduLib
