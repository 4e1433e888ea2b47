#include "word/libreoffice/officeprocess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "word/officestop.h"

extern char** environ;

namespace pw::word {

namespace {

// The process groups of the offices alive now, for killAllOffices().
constexpr int MaxOffices = 64;
std::atomic<pid_t> liveGroups[MaxOffices];

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

}  // namespace

void killAllOffices() {
    for (auto& slot : liveGroups) {
        const pid_t pid = slot.load();
        if (pid > 0) ::kill(-pid, SIGKILL);
    }
}

namespace lo {

OfficeProcess::~OfficeProcess() {
    killAndReap();
}

bool OfficeProcess::start(const QString& program, const QStringList& arguments,
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

bool OfficeProcess::running() {
    if (m_reaped) return false;
    int st = 0;
    const pid_t r = waitpid(m_pid, &st, WNOHANG);
    if (r == m_pid || (r < 0 && errno == ECHILD)) {
        m_reaped = true;
        if (r == m_pid && WIFEXITED(st)) m_exitCode = WEXITSTATUS(st);
        ::kill(-m_pid, SIGKILL);  // whatever it left in its group
        forget(m_pid);
        return false;
    }
    return true;
}

bool OfficeProcess::waitForExit(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void OfficeProcess::kill() {
    if (m_pid > 0 && !m_reaped) {
        ::kill(-m_pid, SIGKILL);
        ::kill(m_pid, SIGKILL);
    }
}

void OfficeProcess::killAndReap() {
    if (m_reaped || m_pid <= 0) return;
    kill();
    int st = 0;
    while (waitpid(m_pid, &st, 0) < 0 && errno == EINTR) {
    }
    m_reaped = true;
    forget(m_pid);
}

}  // namespace lo
}  // namespace pw::word
