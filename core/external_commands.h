#pragma once
// Running the desktop's own tools (settings commands, the opener of files and links).
// The runner is a slot: the programs use QProcess, tests install a scripted one so that
// nothing reaches the real desktop.
#include <QString>
#include <QStringList>
#include <functional>

namespace externalcommands {

struct Result {
    bool started = false;  // the program was found and started
    bool finished = false; // it ended by itself within the time-out
    int exitCode = -1;
    QString output; // standard output
    QString reason; // why it failed, in words, for messages
    bool Succeeded() const { return started && finished && exitCode == 0; }
};

inline constexpr int kDefaultTimeoutMs = 10000;

// Runs program with arguments and waits at most timeoutMs for it; a program still
// running then is killed and counts as failed.
Result Run(const QString& program, const QStringList& arguments, int timeoutMs = kDefaultTimeoutMs);
// Starts program on its own in workingFolder ("" keeps ours); on failure reason says why.
bool StartDetached(const QString& program, const QStringList& arguments, const QString& workingFolder,
                   QString* reason = nullptr);

struct Runner {
    std::function<Result(const QString& program, const QStringList& arguments, int timeoutMs)> run;
    std::function<bool(const QString& program, const QStringList& arguments, const QString& workingFolder,
                       QString* reason)>
        startDetached;
};
// An empty member keeps the real one for that call.
void SetRunner(Runner runner);

} // namespace externalcommands
