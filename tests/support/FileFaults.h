#pragma once

// Faults of the file system for the tests of the outputs, made by the kernel rather than by hooks
// in the code: a file size limit (RLIMIT_FSIZE) makes every write past it fail as a full disk
// does, or, with its signal left to act, ends the process in the middle of the write as a kill
// does.

#include <QtGlobal>
#include <functional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// For the time of a scope, no file of the process may grow past `bytes`: the write that would
// fails (EFBIG), as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes) {
#ifdef Q_OS_UNIX
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
#else
        Q_UNUSED(bytes);
#endif
    }
    ~FileSizeLimit() {
#ifdef Q_OS_UNIX
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
#endif
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    static bool available() {
#ifdef Q_OS_UNIX
        return true;
#else
        return false;
#endif
    }

private:
#ifdef Q_OS_UNIX
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
#endif
};

// Runs `work` in a child process that is killed (SIGKILL, no clean-up of any kind) by the first
// write that takes a file past `bytes`. Answers true when the child was killed that way, false
// when it ended on its own. The caller must hold no open archive: the child must not share it.
inline bool killedAtFileSize(qint64 bytes, const std::function<void()>& work) {
#ifdef Q_OS_UNIX
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, [](int) { kill(getpid(), SIGKILL); });
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
        work();
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return false;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
#else
    Q_UNUSED(bytes);
    Q_UNUSED(work);
    return false;
#endif
}
