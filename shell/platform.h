#pragma once

// What the program needs of the operating system beyond Qt: child processes it can stop for
// certain, file identity, file locks, fast folder reading, stop signals and the terminal.
// platform_posix.cpp serves it on Linux; a port to another system replaces that one file.

#include <optional>

#include <QString>
#include <QStringList>

namespace pw::platform {

// A child process in a group of its own, so that nothing it starts outlives it, and told by the
// system to die with us.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();  // kills and reaps
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // environment: variables ("NAME=value") set for the process on top of our own.
    bool start(const QString& program, const QStringList& arguments, const QStringList& environment,
               QString* error);
    bool running();
    qint64 pid() const { return m_pid; }
    // The exit code once the process has ended by itself; -1 otherwise.
    int exitCode() const { return m_exitCode; }
    // Waits up to timeoutMs for the process to end by itself.
    bool waitForExit(int timeoutMs);
    // Kills the whole group. Safe from any thread.
    void kill();
    void killAndReap();

private:
    qint64 m_pid = -1;
    bool m_reaped = true;
    int m_exitCode = -1;
};

// Kills every child process started through ChildProcess that is still there. Safe in a signal
// handler.
void killAllChildren();

// The identity of a file or folder, links followed: equal for two paths of one file.
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;
    auto operator<=>(const FileId&) const = default;
};
std::optional<FileId> fileId(const QString& path);

// The most resident memory a process has had, in kilobytes (0 for this process); none when it
// is gone or the system does not say.
std::optional<qint64> peakResidentKb(qint64 pid = 0);

// An exclusive lock on a file, held while the object lives, never waited for.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool tryLock(const QString& path);  // creates the file when needed

private:
    int m_handle = -1;
};

// Where a local pipe of the given name has its socket, as the office names it.
QString pipeSocketPath(const QString& pipeName);

// The entries of one folder, read as the system lists them, without a query per entry where
// the listing already says what an entry is.
class FolderReader {
public:
    enum class Kind { File, Folder, Other };  // links followed; a dangling one is Other

    explicit FolderReader(const QString& path);
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    bool isOpen() const { return m_dir != nullptr; }
    std::optional<FileId> id() const;
    // The next entry other than "." and ".."; false at the end.
    bool next(QString& name, Kind& kind);

private:
    void* m_dir = nullptr;
};

// Ctrl+C and SIGTERM end a run after its current part; the run polls requested(). A run that
// is still held by a load a moment later has its office work given up. A second signal stops
// the program at once, and takes its offices and its scratch folder with it.
//
// The signals are blocked in every thread and taken by a thread of their own, so no call into
// the office is cut short by one.

#include <QString>
class InterruptWatch {
public:
    struct Hooks {
        void (*abandonWork)() = nullptr;  // the run has not stopped soon after the first signal
        void (*killWork)() = nullptr;     // the second signal: before the scratch folder goes
    };

    // Call before any other thread starts: threads inherit the blocked signals. Processes the
    // program starts get the signal mask it had before.
    static void install(Hooks hooks);
    // The folder a second signal removes; set before the run starts.
    static void setScratchFolder(const QString& path);
    static bool requested();
    // The first signal received, or 0.
    static int signalNumber();
};

// The signal number of Ctrl+C, for exit statuses.
int interruptSignal();

// The columns of the terminal that standard error writes to; 0 when it is not a terminal.
int terminalColumns();

}  // namespace pw::platform
