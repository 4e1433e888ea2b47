#include "word/libreoffice/interactionhandler.h"

#include <com/sun/star/task/PasswordRequest.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionDisapprove.hpp>
#include <com/sun/star/task/XInteractionRequest.hpp>

namespace pw::word::lo {

namespace css = com::sun::star;

void AbortingInteractionHandler::handle(
    const css::uno::Reference<css::task::XInteractionRequest>& request) {
    ++m_refused;
    // Word's and the office's own password requests all derive from this one.
    css::task::PasswordRequest password;
    if (request->getRequest() >>= password) m_password = true;
    const auto continuations = request->getContinuations();
    for (const auto& c : continuations) {
        css::uno::Reference<css::task::XInteractionAbort> abort(c, css::uno::UNO_QUERY);
        if (abort.is()) {
            abort->select();
            return;
        }
    }
    for (const auto& c : continuations) {
        css::uno::Reference<css::task::XInteractionDisapprove> no(c, css::uno::UNO_QUERY);
        if (no.is()) {
            no->select();
            return;
        }
    }
}

}  // namespace pw::word::lo
