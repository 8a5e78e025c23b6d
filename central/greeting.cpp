// The spoken greeting: its text, and the frame's speech operations.
#include "greeting.h"
#include "frame_greeting_state.h"
#include "frame_window.h"

#include "core/settings_store.h"
#include "core/text_utilities.h"
#include "system/clock.h"
#include "ui/event_guard.h"
#include "ui/voice.h"

#include <QApplication>

namespace greeting {

QString TimeOfDay(const QTime& time)
{
    const int hour = time.hour();
    if (hour < 12)
        return QStringLiteral("Morning");
    return hour > 18 ? QStringLiteral("Evening") : QStringLiteral("Afternoon");
}

QString DateSeparator(const QLocale& locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    for (qsizetype i = 1; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (!c.isLetter() && format.at(i - 1).isLetter())
            return QString(c);
    }
    return QStringLiteral("/");
}

QString FillStartMessage(const QString& text, const QDateTime& now, const QLocale& locale)
{
    QString out = text;
    const QString date = QLatin1String(kDatePlaceholder);
    if (out.contains(date)) {
        const QString sep = DateSeparator(locale);
        const QDate d = now.date();
        const QString formatted = QStringLiteral("%1%2%3%2%4")
                                      .arg(d.month(), 2, 10, QLatin1Char('0'))
                                      .arg(sep)
                                      .arg(d.day(), 2, 10, QLatin1Char('0'))
                                      .arg(d.year(), 4, 10, QLatin1Char('0'));
        out = mduLib::ReplaceFirst(out, date, formatted);
    }
    const QString timeOfDay = QLatin1String(kTimeOfDayPlaceholder);
    if (out.contains(timeOfDay))
        out = mduLib::ReplaceFirst(out, timeOfDay, TimeOfDay(now.time()));
    return out;
}

} // namespace greeting

namespace {
std::function<std::unique_ptr<platform::Voice>()>& VoiceFactory()
{
    static std::function<std::unique_ptr<platform::Voice>()> factory;
    return factory;
}
} // namespace

void frmMain::SetVoiceFactory(std::function<std::unique_ptr<platform::Voice>()> factory)
{
    VoiceFactory() = std::move(factory);
}

platform::Voice* frmMain::VoiceObject()
{
    // Made the first time something is said: a speech engine holds megabytes and a sound
    // connection that most runs never use.
    if (!greeting_->VoiceMade) {
        greeting_->VoiceMade = true;
        platform::Guarded(
            "voice", [&] { greeting_->Voice = VoiceFactory() ? VoiceFactory()() : platform::CreateSystemVoice(); });
    }
    return greeting_->Voice.get();
}

void frmMain::SpeakStartMsg()
{
    const QString text = mduLib::GetValue(QStringLiteral("Start Message"), CentralSettings());
    if (text.isEmpty() || text == QLatin1String("0"))
        return;
    SpeakMessage(greeting::FillStartMessage(text, platform::Now(), QLocale()), 0, 0);
}

void frmMain::SpeakMessage(const QString& strMsg, int intSpeechFlag, int intForce)
{
    // The application's active form: the active month window when the frame is active.
    QWidget* active = QApplication::activeWindow();
    if (!active)
        return;
    if (active == this)
        if (platform::Form* child = ActiveChild())
            active = child;
    if (intForce == 0 && active != this)
        return;
    if (strMsg.isEmpty() || !VoiceObject())
        return;
    try {
        greeting_->Voice->Speak(strMsg, intSpeechFlag >= 1 ? intSpeechFlag : platform::Voice::kAsync);
    } catch (const std::exception&) {
        // a failing voice stays silent
    }
}

void frmMain::PurgeSpeech(int intForce)
{
    SpeakMessage(QStringLiteral("."), platform::Voice::kPurgeBeforeSpeak, intForce);
}
