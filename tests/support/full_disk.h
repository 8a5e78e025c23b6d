#pragma once
// A full disk for a test: the body runs in a child process whose files may not grow past
// a limit, so every write past it fails (with SIGXFSZ ignored, as EFBIG, as it would with
// ENOSPC). The parent's files and state are untouched.
#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

// The child's exit status (body's result), or -1 when it did not end normally.
inline int RunOnAFullDisk(rlim_t limit, const std::function<int()>& body)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit r{limit, limit};
        setrlimit(RLIMIT_FSIZE, &r);
        _exit(body());
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace testsupport
