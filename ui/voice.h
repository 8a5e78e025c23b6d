#pragma once
// A speech voice: speaks a text, asynchronously, on the platform's default voice. Where
// no speech engine is installed there is no voice at all, and callers stay silent.
#include <QString>
#include <QStringList>
#include <memory>

namespace platform {

class Voice {
public:
    // The speak flags the callers pass: 1 return at once, 2 drop what is still queued.
    static constexpr int kAsync = 1;
    static constexpr int kPurgeBeforeSpeak = 2;

    virtual ~Voice() = default;
    // Answers a stream number (0 when nothing was spoken), which callers may ignore.
    virtual int Speak(const QString& text, int flags) = 0;
};

// The platform's voice, or none where no engine has a voice.
std::unique_ptr<Voice> CreateSystemVoice();

// A voice that only writes down what it was asked to say (tests, and a silent run).
class RecordingVoice : public Voice {
public:
    int Speak(const QString& text, int flags) override
    {
        Spoken << text;
        Flags.push_back(flags);
        return static_cast<int>(Spoken.size());
    }
    QStringList Spoken;
    std::vector<int> Flags;
};

} // namespace platform
