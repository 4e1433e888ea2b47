#pragma once

#include <sys/types.h>

#include <QString>
#include <QStringList>

namespace pw::word::lo {

// One office process, in a process group of its own so that nothing it starts outlives it, and
// told by the kernel to die with us.
class OfficeProcess {
public:
    OfficeProcess() = default;
    ~OfficeProcess();
    OfficeProcess(const OfficeProcess&) = delete;
    OfficeProcess& operator=(const OfficeProcess&) = delete;

    // environment: variables ("NAME=value") set for the process on top of our own.
    bool start(const QString& program, const QStringList& arguments, const QStringList& environment,
               QString* error);
    bool running();
    pid_t pid() const { return m_pid; }
    // The exit code once the process has ended by itself; -1 otherwise.
    int exitCode() const { return m_exitCode; }
    // Waits up to timeoutMs for the process to end by itself.
    bool waitForExit(int timeoutMs);
    // Kills the whole group and reaps the process. Safe from any thread for the signal part.
    void kill();
    void killAndReap();

private:
    pid_t m_pid = -1;
    bool m_reaped = true;
    int m_exitCode = -1;
};

}  // namespace pw::word::lo
