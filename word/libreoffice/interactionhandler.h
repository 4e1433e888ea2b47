#pragma once

#include <atomic>

#include <com/sun/star/task/XInteractionHandler.hpp>
#include <cppuhelper/implbase1.hxx>

namespace pw::word::lo {

// Answers every question the office would ask while loading (password, repair, filter
// options) with Abort, so a load fails instead of waiting for a person.
class AbortingInteractionHandler final
    : public cppu::WeakImplHelper1<com::sun::star::task::XInteractionHandler> {
public:
    void SAL_CALL
    handle(const com::sun::star::uno::Reference<com::sun::star::task::XInteractionRequest>& request)
        override;

    // How many questions were turned away: a password or repair request means the file was not
    // read, even where the office reports no error.
    int refused() const { return m_refused; }
    // One of them asked for a password.
    bool askedForPassword() const { return m_password; }

private:
    std::atomic<int> m_refused{0};
    std::atomic<bool> m_password{false};
};

}  // namespace pw::word::lo
