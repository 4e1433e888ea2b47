// Starting, quitting and losing the office: never a hang, never a process left behind.

#include <signal.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "tests/word/officetest.h"

using namespace pw;

class LifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void quitLeavesNoProcess() {
        {
            auto app = test::startOffice();
            QVERIFY(app);
            QVERIFY(app->isAlive());
            QCOMPARE(test::officeProcesses().size(), 1);
            PW_REQUIRE(app->quit());
            QVERIFY(!app->isAlive());
        }
        QVERIFY(test::waitNoOfficeProcesses(1000));
    }

    void destroyingWithoutQuitStopsTheOffice() {
        {
            auto app = test::startOffice();
            QVERIFY(app);
            auto doc = app->add();
            PW_REQUIRE(doc);
            // Neither the document nor the application is closed by hand.
        }
        QVERIFY(test::waitNoOfficeProcesses(1000));
    }

    void missingOfficeFailsCleanly() {
        word::LibreOfficeOptions options;
        options.sofficePath = QStringLiteral("/nonexistent/soffice");
        QElapsedTimer timer;
        timer.start();
        auto app = word::LibreOfficeFactory(options).create();
        QVERIFY(!app);
        QCOMPARE(app.error().kind, word::Error::Kind::NotInstalled);
        QVERIFY(timer.elapsed() < 2000);
    }

    void officeThatNeverAnswersIsStopped() {
        QTemporaryDir dir;
        const QString fake = dir.filePath("soffice");
        QFile script(fake);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nexec sleep 300\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        word::LibreOfficeOptions options;
        options.sofficePath = fake;
        options.startTimeoutMs = 1500;
        QElapsedTimer timer;
        timer.start();
        auto app = word::LibreOfficeFactory(options).create();
        QVERIFY(!app);
        QCOMPARE(app.error().kind, word::Error::Kind::StartFailed);
        QVERIFY2(timer.elapsed() < 6000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(test::waitNoOfficeProcesses(2000));
    }

    void officeThatEndsAtOnceFailsCleanly() {
        word::LibreOfficeOptions options;
        options.sofficePath = QStringLiteral("/bin/false");
        auto app = word::LibreOfficeFactory(options).create();
        QVERIFY(!app);
        QCOMPARE(app.error().kind, word::Error::Kind::StartFailed);
    }

    void killedOfficeMakesLaterCallsFailFast() {
        QTemporaryDir dir;
        auto app = test::startOffice();
        QVERIFY(app);
        test::DocBuilder builder;
        builder.paragraph(QStringLiteral("before the crash"));
        QVERIFY(test::makeDocument(*app, builder, dir.filePath("a.docx")));
        auto doc = app->open(dir.filePath("a.docx"));
        PW_REQUIRE(doc);

        const auto pids = test::officeProcesses();
        QCOMPARE(pids.size(), 1);
        ::kill(pid_t(pids.first()), SIGKILL);

        QElapsedTimer timer;
        timer.start();
        auto saved = (*doc)->saveAs(dir.filePath("b.docx"));
        QVERIFY(!saved);
        QCOMPARE(saved.error().kind, word::Error::Kind::OfficeDead);
        auto reopened = app->open(dir.filePath("a.docx"));
        QVERIFY(!reopened);
        QCOMPARE(reopened.error().kind, word::Error::Kind::OfficeDead);
        QVERIFY(!app->isAlive());
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        PW_REQUIRE(app->quit());
        QVERIFY(test::waitNoOfficeProcesses(2000));
    }

    void twoEnginesWorkAtOnce() {
        QTemporaryDir dir;
        auto first = test::startOffice();
        auto second = test::startOffice();
        QVERIFY(first && second);
        QCOMPARE(test::officeProcesses().size(), 2);
        test::DocBuilder a, b;
        a.paragraph(QStringLiteral("first engine"));
        b.paragraph(QStringLiteral("second engine"));
        QVERIFY(test::makeDocument(*first, a, dir.filePath("a.docx")));
        QVERIFY(test::makeDocument(*second, b, dir.filePath("b.docx")));
        auto docA = second->open(dir.filePath("a.docx"));
        auto docB = first->open(dir.filePath("b.docx"));
        PW_REQUIRE(docA);
        PW_REQUIRE(docB);
        QCOMPARE(*(*docA)->characters(), QStringLiteral("first engine\r"));
        QCOMPARE(*(*docB)->characters(), QStringLiteral("second engine\r"));
        PW_REQUIRE(first->quit());
        // The other engine is not disturbed by the first one going.
        QCOMPARE(*(*docA)->characters(), QStringLiteral("first engine\r"));
        PW_REQUIRE(second->quit());
        QVERIFY(test::waitNoOfficeProcesses(2000));
    }
};

QTEST_GUILESS_MAIN(LifecycleTest)
#include "tst_lifecycle.moc"
