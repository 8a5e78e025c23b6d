#pragma once
// The scrolling message line as a small model of its label: the message, the shown part,
// the label's place and size, and how far the message has run. Each timer tick appends
// one character and moves the line left by that character's width until its left end
// reaches the picture's left edge; from then on every tick drops the first shown
// character, and when nothing but blanks is left the line starts over.
#include <QString>
#include <functional>

namespace messageline {

// The picture the line runs under: its left edge and width, twips.
struct Span {
    double Left = 0;
    double Width = 0;
};

struct LineState {
    QString Text;     // the whole message on one line; empty: no message runs
    QString Caption;  // what the line shows now
    int Position = 0; // characters of Text appended so far
    qint32 Step = 0;  // width of the character appended last, twips
    double Left = 0;  // the label's place and size, twips
    double Width = 0;
    bool AutoSize = true;
};

// The width, twips, that a label sized to its text takes for a caption.
using Measure = std::function<double(const QString&)>;

// Sets the caption as the label does: an auto-sized line takes the caption's width.
void SetCaption(LineState& s, const QString& caption, const Measure& measure);
// Two blanks, auto-sized, standing one line width inside the picture's right edge.
void Reset(LineState& s, const Span& picture, const Measure& measure);
// A new message from its first character; an empty one runs nothing, the line keeping
// its two blanks.
void Start(LineState& s, const QString& text, const Span& picture, const Measure& measure);
// Appends the character after position (counting from 1) and advances position; false
// when the message is through.
bool AppendChar(LineState& s, int& position, const Measure& measure);
// One tick.
void Scroll(LineState& s, const Span& picture, const Measure& measure);
// The message stopped: the line stays where it is with two blanks, sized to them, which
// a double click starts again. (Blanks across the picture would, at the next layout that
// sizes the line to its text, reach far past the window and catch the mouse there.)
void Stop(LineState& s, const Measure& measure);

} // namespace messageline
