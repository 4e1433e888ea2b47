#pragma once

#include <com/sun/star/uno/XComponentContext.hpp>

namespace pw::word::lo {

// This process's own UNO runtime, bootstrapped once from the office's type and service
// libraries; null when they cannot be found.
com::sun::star::uno::Reference<com::sun::star::uno::XComponentContext> localContext();

}  // namespace pw::word::lo
