#pragma once

// Shared by the engine tests: a real office, and the checks the tests make of it.

#include <QTest>

#include "word/libreoffice/libreofficefactory.h"

#define PW_REQUIRE(expr)                                                                \
    do {                                                                                \
        auto&& pw_result_ = (expr);                                                     \
        if (!pw_result_)                                                                \
            QFAIL(qPrintable(QStringLiteral(#expr ": ") + pw_result_.error().message)); \
    } while (false)

namespace pw::test {

// Starts the real office or fails the test: these tests never skip for a missing office.
inline std::unique_ptr<word::Application> startOffice(word::LibreOfficeOptions options = {}) {
    auto app = word::LibreOfficeFactory(std::move(options)).create();
    if (!app) {
        QTest::qFail(
            qPrintable(QStringLiteral("LibreOffice did not start: ") + app.error().message),
            __FILE__, __LINE__);
        return nullptr;
    }
    return std::move(*app);
}

}  // namespace pw::test
