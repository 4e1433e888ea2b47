#pragma once

// One running office: its process, profile, UNO connection and a watchdog that stops it when a
// call overruns. Every call into the office goes through Session::call, which turns whatever the
// office or the bridge throws into the engine's own Error.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>

#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/uno/Exception.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <QTemporaryDir>

#include "shell/platform.h"
#include "word/error.h"
#include "word/libreoffice/libreofficefactory.h"
#include "word/libreoffice/profileslot.h"
#include "word/libreoffice/unostring.h"

namespace pw::word::lo {

namespace css = com::sun::star;
using css::uno::Reference;

class Session {
public:
    explicit Session(LibreOfficeOptions options);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Status start();
    Status quit();
    bool alive();

    const Reference<css::frame::XDesktop2>& desktop() const { return m_desktop; }
    const Reference<css::uno::XComponentContext>& context() const { return m_context; }
    qint64 pid() const { return m_process.pid(); }

    // Writes one setting of the office's own configuration (its private profile).
    void setConfiguration(const char* node, const char* property, const css::uno::Any& value);

    // Runs f against the office; any exception becomes an Error of kind `kind` (or of the kind
    // that says the office is gone).
    template <class F>
    auto call(Error::Kind kind, F&& f) -> Result<std::invoke_result_t<F>> {
        return run(kind, false, std::forward<F>(f));
    }
    // The same for a load, which a stopped run does not wait for (see abandonOfficeWork).
    template <class F>
    auto load(Error::Kind kind, F&& f) -> Result<std::invoke_result_t<F>> {
        return run(kind, true, std::forward<F>(f));
    }

private:
    template <class F>
    auto run(Error::Kind kind, bool abandonable, F&& f) -> Result<std::invoke_result_t<F>>;
    void arm(bool abandonable);
    void disarm();
    void watch();
    Error failure(Error::Kind kind, const QString& what);
    void stopWatchdog();
    void removePipeSocket();
    void removeTemporaryFolder();

    LibreOfficeOptions m_options;
    platform::ChildProcess m_process;
    ProfileSlot m_profile;
    std::unique_ptr<QTemporaryDir> m_temporary;  // the office's TMPDIR, gone with it
    QString m_pipe;
    Reference<css::uno::XComponentContext> m_context;
    Reference<css::frame::XDesktop2> m_desktop;
    bool m_dead = true;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::chrono::steady_clock::time_point m_deadline{};
    bool m_armed = false;
    bool m_abandonable = false;
    bool m_stopping = false;
    std::atomic<bool> m_timedOut{false};
    std::atomic<bool> m_abandoned{false};
    std::thread m_watchdog;
};

template <class F>
auto Session::run(Error::Kind kind, bool abandonable, F&& f) -> Result<std::invoke_result_t<F>> {
    using T = std::invoke_result_t<F>;
    if (!alive()) return pw::unexpected(failure(Error::Kind::OfficeDead, {}));
    struct Disarm {
        Session* s;
        ~Disarm() { s->disarm(); }
    };
    arm(abandonable);
    Disarm disarmOnExit{this};
    try {
        if constexpr (std::is_void_v<T>) {
            f();
            return {};
        } else {
            return f();
        }
    } catch (const css::lang::DisposedException& e) {
        return pw::unexpected(failure(Error::Kind::OfficeDead, toQ(e.Message)));
    } catch (const css::uno::Exception& e) {
        return pw::unexpected(failure(kind, toQ(e.Message)));
    } catch (const std::exception& e) {
        return pw::unexpected(failure(kind, QString::fromLocal8Bit(e.what())));
    }
}

}  // namespace pw::word::lo
