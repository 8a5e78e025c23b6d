#pragma once
// The clock's and the message line's state: what the clock was last written from, where
// the hand holds it, and the line as its last step left it.
#include "calendar/clock_format.h"
#include "calendar/message_line_math.h"

#include <QPointF>
#include <QString>
#include <optional>

namespace calendarform {

struct ClockState {
    std::optional<clockformat::ClockPattern> Pattern; // "Clock Format" translated
    // What the clock was last written from: the second, the settings and the text.
    qint64 Second = 0;
    quint64 Revision = 0;
    QString Text;
    std::optional<QPointF> Grab; // where the closed hand holds the clock, twips
    messageline::LineState MessageLine;
};

} // namespace calendarform
