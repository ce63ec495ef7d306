#include "tools/ProcessRunner.h"

#include "tools/LogText.h"

#include <QFile>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

class UniqueFd {
public:
    explicit UniqueFd(int fd) : fd(fd) {}
    UniqueFd(const UniqueFd &) = delete;
    UniqueFd &operator=(const UniqueFd &) = delete;
    ~UniqueFd()
    {
        if (fd >= 0)
            ::close(fd); // errors on close are of no use here
    }
    int get() const { return fd; }

private:
    int fd;
};

class SpawnFileActions {
public:
    SpawnFileActions()
    {
        if (const int error = ::posix_spawn_file_actions_init(&actions))
            throwSystemError(error);
    }
    SpawnFileActions(const SpawnFileActions &) = delete;
    SpawnFileActions &operator=(const SpawnFileActions &) = delete;
    ~SpawnFileActions() { ::posix_spawn_file_actions_destroy(&actions); }
    posix_spawn_file_actions_t *get() { return &actions; }

private:
    posix_spawn_file_actions_t actions;
};

class SpawnAttributes {
public:
    SpawnAttributes()
    {
        if (const int error = ::posix_spawnattr_init(&attributes))
            throwSystemError(error);
    }
    SpawnAttributes(const SpawnAttributes &) = delete;
    SpawnAttributes &operator=(const SpawnAttributes &) = delete;
    ~SpawnAttributes() { ::posix_spawnattr_destroy(&attributes); }
    posix_spawnattr_t *get() { return &attributes; }

private:
    posix_spawnattr_t attributes;
};

void check(int error)
{
    if (error)
        throwSystemError(error);
}

// The child starts with no blocked signals and default dispositions for the ones we send or that a shell
// would reset, whatever the application installed: otherwise a terminate request could go unheard.
void resetSignals(SpawnAttributes &attributes)
{
    sigset_t none;
    sigemptyset(&none);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int sig : {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGQUIT})
        sigaddset(&defaults, sig);
    check(::posix_spawnattr_setsigmask(attributes.get(), &none));
    check(::posix_spawnattr_setsigdefault(attributes.get(), &defaults));
    check(::posix_spawnattr_setflags(attributes.get(), POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF));
}

bool isCancelled(RenderJob &job)
{
    std::lock_guard guard(job.lock);
    return job.cancelled;
}

// Waits until the child has exited without reaping it, so that `active` stays a live pid (a zombie at worst)
// until it is cleared under the lock; only then is the child reaped. A cancel can never signal a reused pid.
int waitForChild(pid_t child, RenderJob &job)
{
    siginfo_t info = {};
    while (::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    {
        std::lock_guard guard(job.lock);
        job.active = 0;
    }
    int status = 0;
    for (;;) {
        if (::waitpid(child, &status, 0) == child)
            return status;
        if (errno != EINTR)
            throwSystemError(errno); // never read a status we did not get as success
    }
}

QString failureText(const QString &log)
{
    const UniqueFd reading(::open(QFile::encodeName(log).constData(), O_RDONLY | O_CLOEXEC));
    if (reading.get() < 0)
        throwSystemError(errno);
    struct stat info = {};
    if (::fstat(reading.get(), &info) != 0)
        throwSystemError(errno);
    const off_t from = info.st_size > logWindowBytes ? info.st_size - logWindowBytes : 0;
    if (::lseek(reading.get(), from, SEEK_SET) < 0)
        throwSystemError(errno);
    QByteArray tail;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(reading.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throwSystemError(errno);
        }
        if (n == 0)
            break;
        tail.append(buffer, n);
    }
    return lastNonEmptyLine(tail).value_or(noFailureTextMessage);
}

} // namespace

void runTool(const QString &executable, const QStringList &arguments, const QString &log, RenderJob &job)
{
    if (isCancelled(job))
        throw CancellationError{};

    const QByteArray logPath = QFile::encodeName(log);
    const UniqueFd writing(::open(logPath.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (writing.get() < 0)
        throwSystemError(errno);

    SpawnFileActions actions;
    check(::posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0));
    check(::posix_spawn_file_actions_adddup2(actions.get(), writing.get(), STDERR_FILENO));
    SpawnAttributes attributes;
    resetSignals(attributes);

    const QByteArray program = QFile::encodeName(executable);
    std::vector<QByteArray> storage;
    storage.reserve(static_cast<size_t>(arguments.size()));
    for (const QString &argument : arguments)
        storage.push_back(QFile::encodeName(argument));
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.constData()));
    for (QByteArray &argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t child = 0;
    {
        // Checking, starting and publishing under one hold: a cancel either prevents the start or finds the child.
        std::lock_guard guard(job.lock);
        if (job.cancelled)
            throw CancellationError{};
        if (const int error = ::posix_spawn(&child, program.constData(), actions.get(), attributes.get(), argv.data(),
                                            environ))
            throwSystemError(error);
        job.active = child;
    }

    const int status = waitForChild(child, job);
    if (isCancelled(job))
        throw CancellationError{};
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return;
    throw ReviewError{failureText(log)};
}

void cancelRenderJob(RenderJob &job)
{
    std::lock_guard guard(job.lock);
    job.cancelled = true;
    // `active` is non-zero only while the child is unreaped, so this pid is still ours.
    if (job.active > 0)
        ::kill(job.active, SIGTERM);
}
