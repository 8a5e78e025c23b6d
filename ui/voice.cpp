#include "voice.h"

#include <QTextToSpeech>

namespace platform {

namespace {
class SpeechVoice : public Voice {
public:
    explicit SpeechVoice(std::unique_ptr<QTextToSpeech> speech) : speech_(std::move(speech)) {}

    int Speak(const QString& text, int flags) override
    {
        // The engine always speaks in the background; purging means stopping first.
        if (flags & kPurgeBeforeSpeak)
            speech_->stop();
        speech_->say(text);
        return ++stream_;
    }

private:
    std::unique_ptr<QTextToSpeech> speech_;
    int stream_ = 0;
};
} // namespace

std::unique_ptr<Voice> CreateSystemVoice()
{
    if (QTextToSpeech::availableEngines().isEmpty())
        return nullptr;
    auto speech = std::make_unique<QTextToSpeech>();
    if (speech->state() == QTextToSpeech::Error || speech->availableVoices().isEmpty())
        return nullptr;
    return std::make_unique<SpeechVoice>(std::move(speech));
}

} // namespace platform
