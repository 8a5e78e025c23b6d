#include "message_line_math.h"

#include "core/conversions.h"
#include "core/stored_text.h"

#include <cmath>

namespace messageline {

void SetCaption(LineState& s, const QString& caption, const Measure& measure)
{
    s.Caption = caption;
    if (s.AutoSize)
        s.Width = measure(caption);
}

void Reset(LineState& s, const Span& picture, const Measure& measure)
{
    s.AutoSize = true;
    SetCaption(s, QStringLiteral("  "), measure);
    s.Left = picture.Left + picture.Width - 2 * s.Width;
}

void Start(LineState& s, const QString& text, const Span& picture, const Measure& measure)
{
    // Any line break (not only CR LF, also one kept in a stored text) would break the
    // one-line strip.
    s.Text = conv::Trim(mduLib::OneLineText(text));
    s.Position = 0;
    Reset(s, picture, measure);
}

bool AppendChar(LineState& s, int& position, const Measure& measure)
{
    if (position >= s.Text.size())
        return false;
    ++position;
    SetCaption(s, s.Caption + s.Text[position - 1], measure);
    return true;
}

void Scroll(LineState& s, const Span& picture, const Measure& measure)
{
    if (s.Text.isEmpty())
        return;
    // Widths in 32 bits: a wide picture on a large screen is past 16 bits.
    const qint32 w0 = conv::ToInt32(s.Width);
    AppendChar(s, s.Position, measure);
    if (s.Width != w0)
        s.Step = conv::ToInt32(std::abs(s.Width - w0));
    if (s.Left > picture.Left)
        s.Left -= s.Step;
    else
        s.Left = picture.Left;
    const bool blank = conv::Trim(s.Caption).isEmpty();
    if (s.Left > picture.Left) {
        if (!blank)
            return;
    } else if (!blank) {
        SetCaption(s, s.Caption.mid(1), measure);
        s.Width = picture.Width;
        return;
    }
    s.Position = 0;
    Reset(s, picture, measure);
}

void Stop(LineState& s, const Measure& measure)
{
    s.Text.clear();
    s.Position = 0;
    s.AutoSize = true;
    SetCaption(s, QStringLiteral("  "), measure);
}

} // namespace messageline
