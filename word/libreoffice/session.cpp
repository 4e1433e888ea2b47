#include "word/libreoffice/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QThread>

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/bridge/UnoUrlResolver.hpp>
#include <com/sun/star/bridge/XUnoUrlResolver.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/ucb/ContentProviderInfo.hpp>
#include <com/sun/star/ucb/UniversalContentBroker.hpp>
#include <com/sun/star/ucb/XContentProviderManager.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>
#include <cppuhelper/bootstrap.hxx>

#include "word/libreoffice/localcontext.h"
#include "word/officestop.h"

namespace pw::word {

namespace {
std::atomic<bool> workAbandoned{false};
}  // namespace

void abandonOfficeWork() {
    workAbandoned = true;
}

bool officeWorkAbandoned() {
    return workAbandoned.load();
}

void killAllOffices() {
    platform::killAllChildren();  // the offices are the only children started
}

namespace lo {

namespace {

std::atomic<int> instanceCounter{0};

// How often a running load looks whether the run has been stopped.
constexpr auto AbandonPoll = std::chrono::milliseconds(100);

// Every part the office writes as Word XML takes a fresh 1 MB buffer per XML stream. With the C
// library's default limits each buffer is handed back to the system when freed and faulted in
// again for the next, which was half of the office's time on a small part. Freed memory is kept
// for reuse instead; settings the user gave for the office are kept.
QString officeAllocatorTuning() {
    QString tunables =
        QStringLiteral("glibc.malloc.mmap_threshold=16777216:glibc.malloc.trim_threshold=67108864");
    const QString own = qEnvironmentVariable("GLIBC_TUNABLES");
    if (!own.isEmpty()) tunables += u':' + own;
    return QStringLiteral("GLIBC_TUNABLES=") + tunables;
}

// Keeps the office off the network: a document from a stranger must not make it fetch linked
// pictures, objects or templates, nor wait on them. Links stay in the documents as links.
void keepOffNetwork(Session& session) {
    session.setConfiguration("/org.openoffice.Office.Common/Security/Scripting",
                             "BlockUntrustedRefererLinks", css::uno::Any(true));
    // Content the office copies for itself (a part's pasted pictures) belongs to no file, so
    // nothing is untrusted there: the office is also left without any way onto the network.
    Reference<css::ucb::XContentProviderManager> broker(
        css::ucb::UniversalContentBroker::create(session.context()), css::uno::UNO_QUERY_THROW);
    static const char* const remote[] = {"http", "dav", "ftp", "cmis", "smb"};
    for (const css::ucb::ContentProviderInfo& info : broker->queryContentProviders()) {
        const QString scheme = toQ(info.Scheme).toLower();
        for (const char* r : remote) {
            if (scheme.contains(QLatin1String(r))) {
                broker->deregisterContentProvider(info.ContentProvider, info.Scheme);
                break;
            }
        }
    }
}

// A node of the office's settings, to read and change.
Reference<css::beans::XPropertySet> settingsNode(
    const Reference<css::uno::XComponentContext>& context, const OUString& node) {
    css::beans::NamedValue path;
    path.Name = "nodepath";
    path.Value <<= node;
    css::uno::Sequence<css::uno::Any> args(1);
    args.getArray()[0] <<= path;
    return Reference<css::beans::XPropertySet>(
        css::configuration::theDefaultProvider::get(context)->createInstanceWithArguments(
            "com.sun.star.configuration.ConfigurationUpdateAccess", args),
        css::uno::UNO_QUERY_THROW);
}

// An office that takes its profile for one of an older version tests its drawing for seconds
// at every start: nothing here ever records the version, so it is recorded once, by us.
void markProfileCurrent(Session& session) {
    Reference<css::beans::XPropertySet> product =
        settingsNode(session.context(), "/org.openoffice.Setup/Product");
    OUString current, last;
    product->getPropertyValue("ooSetupVersion") >>= current;
    product->getPropertyValue("ooSetupLastVersion") >>= last;
    if (current.isEmpty() || current == last) return;
    product->setPropertyValue("ooSetupLastVersion", css::uno::Any(current));
    Reference<css::util::XChangesBatch>(product, css::uno::UNO_QUERY_THROW)->commitChanges();
}

QString pipeName() {
    // Unique to this process and this engine: two programs, or two engines, never share one.
    return QStringLiteral("pagewright_%1_%2_%3")
        .arg(QCoreApplication::applicationPid())
        .arg(instanceCounter.fetch_add(1))
        .arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
}

// The program that really runs the office, so that its process is the one we watch.
QString officeBinary(const QString& soffice) {
    const QFileInfo script(QFileInfo(soffice).canonicalFilePath());
    const QString bin = script.absolutePath() + QStringLiteral("/soffice.bin");
    return QFileInfo(bin).isExecutable() ? bin : script.absoluteFilePath();
}

}  // namespace

Session::Session(LibreOfficeOptions options) : m_options(std::move(options)) {}

Session::~Session() {
    if (!m_dead) (void)quit();
    m_desktop.clear();
    m_context.clear();
    m_process.killAndReap();
    removePipeSocket();
    removeTemporaryFolder();
    stopWatchdog();
}

// The office's temporary files, its lu*.tmp folders among them, stay behind when it was killed.
void Session::removeTemporaryFolder() {
    if (!m_process.running()) m_temporary.reset();
}

// A stopped office leaves the socket of its pipe behind.
void Session::removePipeSocket() {
    if (m_pipe.isEmpty() || m_process.running()) return;
    const QString socket = platform::pipeSocketPath(m_pipe);
    if (QFileInfo(socket).exists() && !QFileInfo(socket).isFile()) QFile::remove(socket);
}

Status Session::start() {
    const QString soffice = findSoffice(m_options.sofficePath);
    if (soffice.isEmpty())
        return fail(Error::Kind::NotInstalled,
                    QStringLiteral("LibreOffice (soffice) was not found"));

    Reference<css::uno::XComponentContext> local = localContext();
    if (!local.is())
        return fail(Error::Kind::StartFailed,
                    QStringLiteral("the UNO runtime could not be started here"));

    if (officeWorkAbandoned())
        return fail(Error::Kind::StartFailed, QStringLiteral("the run was interrupted"));
    QString error;
    if (!m_profile.acquire(&error)) return fail(Error::Kind::StartFailed, error);
    // The office's temporary files go into a folder of its own, inside ours.
    const QString parent = QDir::tempPath();
    m_temporary =
        std::make_unique<QTemporaryDir>(parent + QStringLiteral("/pagewright-office-XXXXXX"));
    if (!m_temporary->isValid())
        return fail(Error::Kind::StartFailed, QStringLiteral("no temporary folder in %1: %2")
                                                  .arg(parent, m_temporary->errorString()));
    const QStringList environment = {QStringLiteral("TMPDIR=") + m_temporary->path(),
                                     officeAllocatorTuning()};

    const QString pipe = pipeName();
    m_pipe = pipe;
    const QString profileUrl = QUrl::fromLocalFile(m_profile.path()).toString(QUrl::FullyEncoded);
    const QStringList args = {QStringLiteral("--headless"),
                              QStringLiteral("--invisible"),
                              QStringLiteral("--norestore"),
                              QStringLiteral("--nologo"),
                              QStringLiteral("--nodefault"),
                              QStringLiteral("--nolockcheck"),
                              QStringLiteral("-env:UserInstallation=") + profileUrl,
                              QStringLiteral("--accept=pipe,name=%1;urp;").arg(pipe)};

    // The office restarts itself once (exit code 81) after it has set up a new profile.
    constexpr int RestartRequested = 81;
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (!m_process.start(officeBinary(soffice), args, environment, &error))
            return fail(Error::Kind::StartFailed,
                        QStringLiteral("%1 could not be started: %2").arg(soffice, error));
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(m_options.startTimeoutMs);
        try {
            Reference<css::bridge::XUnoUrlResolver> resolver =
                css::bridge::UnoUrlResolver::create(local);
            const OUString url =
                toU(QStringLiteral("uno:pipe,name=%1;urp;StarOffice.ComponentContext").arg(pipe));
            while (!m_context.is()) {
                try {
                    m_context.set(resolver->resolve(url), css::uno::UNO_QUERY_THROW);
                } catch (const css::uno::Exception&) {
                    if (!m_process.running() || officeWorkAbandoned() ||
                        std::chrono::steady_clock::now() >= deadline)
                        break;
                    QThread::msleep(50);
                }
            }
            if (m_context.is()) m_desktop = css::frame::Desktop::create(m_context);
        } catch (const css::uno::Exception& e) {
            error = toQ(e.Message);
            m_context.clear();
        }
        if (m_desktop.is()) break;
        if (officeWorkAbandoned()) {
            m_process.killAndReap();
            m_context.clear();
            return fail(Error::Kind::StartFailed, QStringLiteral("the run was interrupted"));
        }
        const bool exited = !m_process.running();
        const bool restart = exited && m_process.exitCode() == RestartRequested;
        m_process.killAndReap();
        m_context.clear();
        if (restart) continue;
        if (!exited || attempt >= 2) {
            return fail(Error::Kind::StartFailed,
                        exited ? QStringLiteral("LibreOffice ended before it answered")
                               : QStringLiteral("LibreOffice did not answer within %1 s")
                                     .arg(m_options.startTimeoutMs / 1000));
        }
        m_profile.wipe();  // an office that dies at once may have a broken profile: retry clean
    }
    try {
        // No lock files beside the documents: a source folder is never written to, and a
        // stopped office leaves nothing behind there.
        setConfiguration("/org.openoffice.Office.Common/Misc", "UseDocumentOOoLockFile",
                         css::uno::Any(false));
        setConfiguration("/org.openoffice.Office.Common/Misc", "UseDocumentSystemFileLocking",
                         css::uno::Any(false));
        setConfiguration("/org.openoffice.Office.Common/Misc", "UseLocking", css::uno::Any(false));
        // No proofing while documents are worked on: it costs time and changes nothing.
        setConfiguration("/org.openoffice.Office.Linguistic/SpellChecking", "IsSpellAuto",
                         css::uno::Any(false));
        setConfiguration("/org.openoffice.Office.Linguistic/GrammarChecking", "IsAutoCheck",
                         css::uno::Any(false));
        keepOffNetwork(*this);
    } catch (const css::uno::Exception& e) {
        m_process.killAndReap();
        m_desktop.clear();
        m_context.clear();
        return fail(Error::Kind::StartFailed, toQ(e.Message));
    }
    try {
        markProfileCurrent(*this);
    } catch (const css::uno::Exception&) {
        // Only the next start's speed depends on it.
    }
    m_dead = false;
    m_timedOut = false;
    m_stopping = false;
    m_watchdog = std::thread([this] { watch(); });
    return {};
}

void Session::setConfiguration(const char* node, const char* property, const css::uno::Any& value) {
    Reference<css::beans::XPropertySet> access =
        settingsNode(m_context, OUString::createFromAscii(node));
    access->setPropertyValue(OUString::createFromAscii(property), value);
    Reference<css::util::XChangesBatch>(access, css::uno::UNO_QUERY_THROW)->commitChanges();
}

bool Session::alive() {
    if (m_dead) return false;
    if (!m_process.running()) m_dead = true;
    return !m_dead;
}

Status Session::quit() {
    if (m_dead) {
        m_process.killAndReap();
        removePipeSocket();
        removeTemporaryFolder();
        stopWatchdog();
        return {};
    }
    {
        // terminate() may not return when the office goes away under it; the watchdog covers it.
        std::lock_guard lock(m_mutex);
        m_deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(m_options.quitTimeoutMs);
        m_armed = true;
    }
    m_wake.notify_all();
    try {
        m_desktop->terminate();
    } catch (const css::uno::Exception&) {
        // The office usually drops the connection while it goes: that is the expected end.
    }
    disarm();
    m_desktop.clear();
    m_context.clear();
    if (!m_process.waitForExit(m_options.quitTimeoutMs)) m_process.killAndReap();
    m_process.killAndReap();  // reaps, and clears the group of anything left
    removePipeSocket();
    removeTemporaryFolder();
    m_dead = true;
    stopWatchdog();
    return {};
}

void Session::arm(bool abandonable) {
    std::lock_guard lock(m_mutex);
    m_deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(m_options.callTimeoutMs);
    m_armed = true;
    m_abandonable = abandonable;
    m_wake.notify_all();
}

void Session::disarm() {
    std::lock_guard lock(m_mutex);
    m_armed = false;
}

void Session::watch() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_armed) {
            m_wake.wait(lock);
            continue;
        }
        if (m_abandonable) {
            // A load of a stopped run is not waited for: it may be held by a slow document.
            m_wake.wait_until(lock,
                              std::min(m_deadline, std::chrono::steady_clock::now() + AbandonPoll));
            if (m_armed && m_abandonable && officeWorkAbandoned()) {
                m_abandoned = true;
                m_armed = false;
                m_process.kill();
                continue;
            }
        } else {
            m_wake.wait_until(lock, m_deadline);
        }
        if (m_armed && std::chrono::steady_clock::now() >= m_deadline) {
            // A call that overruns means a hung office: stop it, and the call returns with an
            // error once its connection drops.
            m_timedOut = true;
            m_armed = false;
            m_process.kill();
        }
    }
}

void Session::stopWatchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_watchdog.joinable()) m_watchdog.join();
}

Error Session::failure(Error::Kind kind, const QString& what) {
    if (m_abandoned) {
        m_dead = true;
        return {Error::Kind::OfficeDead,
                QStringLiteral("LibreOffice was stopped because the run was interrupted")};
    }
    if (m_timedOut) {
        m_dead = true;
        return {Error::Kind::Timeout,
                QStringLiteral("LibreOffice did not finish within %1 s and was stopped")
                    .arg(m_options.callTimeoutMs / 1000)};
    }
    if (kind == Error::Kind::OfficeDead || !alive()) {
        m_dead = true;
        return {Error::Kind::OfficeDead, QStringLiteral("LibreOffice is no longer running")};
    }
    return {kind, what.isEmpty() ? QStringLiteral("LibreOffice refused the operation") : what};
}

}  // namespace lo
}  // namespace pw::word
