// Starting, stopping and losing the office: never a hang, never a process left behind.

#include <signal.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "tests/support/office.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"

using namespace pw;
using Kind = word::Error::Kind;

class LifecycleTest : public QObject {
    Q_OBJECT

private slots:
    void officesThatCannotStartFailCleanly_data() {
        QTest::addColumn<QString>("script");  // empty: no program at all
        QTest::addColumn<QString>("program");
        QTest::addColumn<int>("kind");
        QTest::newRow("missing") << ""
                                 << "/nonexistent/soffice" << int(Kind::NotInstalled);
        QTest::newRow("ends at once") << ""
                                      << "/bin/false" << int(Kind::StartFailed);
        QTest::newRow("never answers") << "exec sleep 300"
                                       << "" << int(Kind::StartFailed);
    }
    void officesThatCannotStartFailCleanly() {
        QFETCH(QString, script);
        QFETCH(QString, program);
        QFETCH(int, kind);
        QTemporaryDir dir;
        word::LibreOfficeOptions options{.sofficePath = program, .startTimeoutMs = 1500};
        if (!script.isEmpty()) {
            options.sofficePath = dir.filePath("soffice");
            QVERIFY(test::writeFile(options.sofficePath, "#!/bin/sh\n" + script.toUtf8()));
            QFile::setPermissions(options.sofficePath,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        auto app = word::LibreOfficeFactory(options).create();
        QVERIFY(!app);
        QCOMPARE(int(app.error().kind), kind);
        QVERIFY(test::waitNoOfficeProcesses(2000));
    }

    void killedOfficeMakesLaterCallsFail() {
        QTemporaryDir dir;
        auto app = test::startOffice();
        QVERIFY(app);
        QVERIFY(
            test::makeDocument(*app, test::DocBuilder().paragraph("x"), dir.filePath("a.docx")));
        auto doc = app->open(dir.filePath("a.docx"));
        PW_REQUIRE(doc);
        const auto pids = test::officeProcesses();
        QCOMPARE(pids.size(), 1);
        ::kill(pid_t(pids.first()), SIGKILL);
        auto saved = (*doc)->saveAs(dir.filePath("b.docx"));
        QVERIFY(!saved);
        QCOMPARE(saved.error().kind, Kind::OfficeDead);
        auto reopened = app->open(dir.filePath("a.docx"));
        QVERIFY(!reopened);
        QCOMPARE(reopened.error().kind, Kind::OfficeDead);
        QVERIFY(!app->isAlive());
        doc->reset();
        app.reset();
        QVERIFY(test::waitNoOfficeProcesses(2000));
    }

    void twoOfficesWorkAtOnce() {
        QTemporaryDir dir;
        auto first = test::startOffice();
        auto second = test::startOffice();
        QVERIFY(first && second && first->isAlive());
        QCOMPARE(test::officeProcesses().size(), 2);  // one process each
        QVERIFY(test::makeDocument(*first, test::DocBuilder().paragraph("first"),
                                   dir.filePath("a.docx")));
        auto doc = second->open(dir.filePath("a.docx"));
        PW_REQUIRE(doc);
        first.reset();
        // The other office is not disturbed by the first one going.
        QCOMPARE(*(*doc)->characters(), QStringLiteral("first\r"));
        doc->reset();
        second.reset();
        QVERIFY(test::waitNoOfficeProcesses(2000));
    }
};

QTEST_GUILESS_MAIN(LifecycleTest)
#include "tst_lifecycle.moc"
