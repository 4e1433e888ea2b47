#pragma once

// Shared by the engine tests: a real office, and the checks the tests make of it.

#include <QTest>

#include "tests/support/testenv.h"
#include "word/libreoffice/libreofficefactory.h"

namespace pw::test {

// The kind of error a call failed with, as a number; -1 when it worked.
template <class R>
int errorKind(const R& result) {
    return result ? -1 : int(result.error().kind);
}

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

// A test with one office of its own running throughout, to make and read its documents; no
// office process of the test may outlive it.
class OfficeTestCase : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<word::Application> m_app;

    // Waits for every office process of this test but the helper's to be gone.
    static bool onlyTheHelperLeft() { return waitNoOfficeProcesses(15000, 0, 1); }

protected slots:
    void initTestCase() {
        m_app = startOffice();
        QVERIFY(m_app);
    }
    void cleanupTestCase() {
        m_app.reset();
        QVERIFY(waitNoOfficeProcesses());
    }
};

}  // namespace pw::test
