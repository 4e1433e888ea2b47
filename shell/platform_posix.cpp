#include "shell/platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include <QDir>
#include <QFile>

extern char** environ;

namespace pw::platform {

namespace {

// The process groups of the children alive now, for killAllChildren().
constexpr int MaxChildren = 64;
std::atomic<pid_t> liveGroups[MaxChildren];

void remember(pid_t pid) {
    for (auto& slot : liveGroups) {
        pid_t none = 0;
        if (slot.compare_exchange_strong(none, pid)) return;
    }
}

void forget(pid_t pid) {
    for (auto& slot : liveGroups) {
        pid_t expected = pid;
        if (slot.compare_exchange_strong(expected, 0)) return;
    }
}

// The parent's environment with the given variables put in or replaced.
std::vector<QByteArray> environmentWith(const QStringList& changes) {
    std::vector<QByteArray> out;
    QList<QByteArray> names;
    for (const QString& c : changes) names.append(c.toLocal8Bit().split('=').first() + '=');
    for (char** e = environ; e && *e; ++e) {
        const QByteArray entry(*e);
        bool replaced = false;
        for (const QByteArray& n : names) replaced = replaced || entry.startsWith(n);
        if (!replaced) out.push_back(entry);
    }
    for (const QString& c : changes) out.push_back(c.toLocal8Bit());
    return out;
}

FileId idOf(const struct stat& info) {
    return {quint64(info.st_dev), quint64(info.st_ino)};
}

}  // namespace

void killAllChildren() {
    for (auto& slot : liveGroups) {
        const pid_t pid = slot.load();
        if (pid > 0) ::kill(-pid, SIGKILL);
    }
}

ChildProcess::~ChildProcess() {
    killAndReap();
}

bool ChildProcess::start(const QString& program, const QStringList& arguments,
                         const QStringList& environment, QString* error) {
    std::vector<QByteArray> storage;
    storage.push_back(program.toLocal8Bit());
    for (const QString& a : arguments) storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& s : storage) argv.push_back(s.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> envStorage = environmentWith(environment);
    std::vector<char*> envp;
    for (QByteArray& s : envStorage) envp.push_back(s.data());
    envp.push_back(nullptr);
    const pid_t parent = getpid();

    // A pipe that closes on a successful exec tells the parent whether exec worked.
    int status[2];
    if (pipe2(status, O_CLOEXEC) != 0) {
        *error = QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        *error = QString::fromLocal8Bit(strerror(errno));
        close(status[0]);
        close(status[1]);
        return false;
    }
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != parent) _exit(127);
        const int devnull = open("/dev/null", O_RDWR);
        if (devnull >= 0) {
            dup2(devnull, 0);
            dup2(devnull, 1);
            dup2(devnull, 2);
        }
        execve(argv[0], argv.data(), envp.data());
        const int e = errno;
        (void)!write(status[1], &e, sizeof e);
        _exit(127);
    }
    close(status[1]);
    int childErrno = 0;
    const ssize_t n = read(status[0], &childErrno, sizeof childErrno);
    close(status[0]);
    m_pid = pid;
    m_reaped = false;
    m_exitCode = -1;
    remember(pid);
    if (n > 0) {
        killAndReap();
        *error = QString::fromLocal8Bit(strerror(childErrno));
        return false;
    }
    return true;
}

bool ChildProcess::running() {
    if (m_reaped) return false;
    const auto pid = pid_t(m_pid);
    int st = 0;
    const pid_t r = waitpid(pid, &st, WNOHANG);
    if (r == pid || (r < 0 && errno == ECHILD)) {
        m_reaped = true;
        if (r == pid && WIFEXITED(st)) m_exitCode = WEXITSTATUS(st);
        ::kill(-pid, SIGKILL);  // whatever it left in its group
        forget(pid);
        return false;
    }
    return true;
}

bool ChildProcess::waitForExit(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void ChildProcess::kill() {
    if (m_pid > 0 && !m_reaped) {
        ::kill(-pid_t(m_pid), SIGKILL);
        ::kill(pid_t(m_pid), SIGKILL);
    }
}

void ChildProcess::killAndReap() {
    if (m_reaped || m_pid <= 0) return;
    kill();
    int st = 0;
    while (waitpid(pid_t(m_pid), &st, 0) < 0 && errno == EINTR) {
    }
    m_reaped = true;
    forget(pid_t(m_pid));
}

std::optional<FileId> fileId(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) return std::nullopt;
    return idOf(info);
}

std::optional<qint64> peakResidentKb(qint64 pid) {
    QFile status(pid > 0 ? QStringLiteral("/proc/%1/status").arg(pid)
                         : QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return std::nullopt;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("VmHWM:")) continue;
        bool ok = false;
        const qint64 kb = line.mid(6).trimmed().split(' ').value(0).toLongLong(&ok);
        if (ok) return kb;
    }
    return std::nullopt;
}

FileLock::~FileLock() {
    if (m_handle >= 0) close(m_handle);
}

bool FileLock::tryLock(const QString& path) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    if (m_handle >= 0) close(m_handle);
    m_handle = fd;
    return true;
}

QString pipeSocketPath(const QString& pipeName) {
    return QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(getuid()).arg(pipeName);
}

FolderReader::FolderReader(const QString& path)
    : m_dir(opendir(QFile::encodeName(path).constData())) {}

FolderReader::~FolderReader() {
    if (m_dir) closedir(static_cast<DIR*>(m_dir));
}

std::optional<FileId> FolderReader::id() const {
    struct stat info {};
    if (!m_dir || fstat(dirfd(static_cast<DIR*>(m_dir)), &info) != 0) return std::nullopt;
    return idOf(info);
}

bool FolderReader::next(QString& name, Kind& kind) {
    if (!m_dir) return false;
    DIR* dir = static_cast<DIR*>(m_dir);
    while (const dirent* entry = readdir(dir)) {
        const char* n = entry->d_name;
        if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
        name = QFile::decodeName(n);
        if (entry->d_type == DT_DIR) {
            kind = Kind::Folder;
        } else if (entry->d_type == DT_REG) {
            kind = Kind::File;
        } else if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN) {
            kind = Kind::Other;
        } else {
            struct stat info {};
            if (fstatat(dirfd(dir), n, &info, 0) != 0)
                kind = Kind::Other;
            else
                kind = S_ISDIR(info.st_mode)   ? Kind::Folder
                       : S_ISREG(info.st_mode) ? Kind::File
                                               : Kind::Other;
        }
        return true;
    }
    return false;
}

// --- stop signals ---

namespace stops {

// How long the current part may take after the first signal before its office work is given up.
constexpr auto Grace = std::chrono::seconds(2);

std::atomic<int> received{0};
InterruptWatch::Hooks hooks;
std::atomic<const QString*> scratchFolder{nullptr};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");
sigset_t watched;
sigset_t inherited;  // the mask before install(), given back to child processes

void restoreMaskInChild() {
    pthread_sigmask(SIG_SETMASK, &inherited, nullptr);
}

// Everything below runs in a signal handler too: async-signal-safe calls only.
void say(const char* text) {
    (void)!::write(STDERR_FILENO, text, std::strlen(text));
}

// Only the watching thread, outside any handler, may clean up: that is no async-signal-safe work.
void cleanUp() {
    if (hooks.killWork) hooks.killWork();
    const QString* folder = scratchFolder.load();
    if (!folder) return;
    // A killed office may still be writing for a moment.
    for (int attempt = 0; attempt < 20 && QDir(*folder).exists(); ++attempt) {
        QDir(*folder).removeRecursively();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

[[noreturn]] void stopNow(int signal, bool watcher) {
    say("\npagewright-cli: stopped\n");
    if (watcher) cleanUp();
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigaction(signal, &fallback, nullptr);
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, signal);
    pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
    raise(signal);
    _exit(128 + signal);
}

void onSignal(int signal, bool watcher) {
    int none = 0;
    if (!received.compare_exchange_strong(none, signal)) stopNow(signal, watcher);
    say("\npagewright-cli: interrupted, stopping after the current part "
        "(press Ctrl+C again to stop at once)\n");
}

void installHandler() {
    struct sigaction action {};
    action.sa_handler = [](int signal) { onSignal(signal, false); };
    action.sa_flags = SA_RESTART;
    sigfillset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

// A second signal within the grace time, or 0.
int waitGrace() {
    const auto end = std::chrono::steady_clock::now() + Grace;
    for (;;) {
        const auto left = end - std::chrono::steady_clock::now();
        if (left <= std::chrono::nanoseconds(0)) return 0;
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        const timespec wait{time_t(ns / 1000000000), long(ns % 1000000000)};
        const int signal = sigtimedwait(&watched, nullptr, &wait);
        if (signal > 0) return signal;
        if (errno != EINTR) return 0;
    }
}

void watch() {
    int signal = 0;
    while (sigwait(&watched, &signal) != 0) {
    }
    onSignal(signal, true);
    if (const int again = waitGrace()) onSignal(again, true);
    // Still running: a load holds the run, and may for minutes.
    if (hooks.abandonWork) hooks.abandonWork();
    for (;;) {
        if (sigwait(&watched, &signal) == 0) onSignal(signal, true);
    }
}

}  // namespace stops

void InterruptWatch::install(Hooks given) {
    stops::hooks = given;
    sigemptyset(&stops::watched);
    sigaddset(&stops::watched, SIGINT);
    sigaddset(&stops::watched, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stops::watched, &stops::inherited);
    pthread_atfork(nullptr, nullptr, stops::restoreMaskInChild);
    // For a thread that unblocks them on its own: the signal then sets the same flag.
    stops::installHandler();
    std::thread(stops::watch).detach();
}

void InterruptWatch::setScratchFolder(const QString& path) {
    stops::scratchFolder = new QString(path);  // kept for the life of the program
}

bool InterruptWatch::requested() {
    return stops::received.load() != 0;
}

int InterruptWatch::signalNumber() {
    return stops::received.load();
}

// --- the terminal ---

int interruptSignal() {
    return SIGINT;
}

int terminalColumns() {
    winsize size{};
    if (isatty(STDERR_FILENO) != 1) return 0;
    return ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? int(size.ws_col) : 80;
}

}  // namespace pw::platform
