// The office behind word/: starting, stopping and losing it (never a hang, never a process left
// behind), storing and opening. The editing operations are held to the office's own pages by
// the split's tests.

#include <signal.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "tests/support/office.h"
#include "tests/support/testdocs.h"

using namespace pw;
using Kind = word::Error::Kind;

class OfficeTest : public test::OfficeTestCase {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString make(const QString& name, const test::DocBuilder& builder) {
        const QString p = path(name);
        return test::makeDocument(*m_app, builder, p) ? p : QString();
    }

private slots:
    void officesThatCannotStartFailCleanly_data() {
        QTest::addColumn<QString>("script");  // empty: no program at all
        QTest::addColumn<int>("kind");
        QTest::newRow("missing") << QString() << int(Kind::NotInstalled);
        QTest::newRow("ends at once") << "exit 1" << int(Kind::StartFailed);
        QTest::newRow("never answers") << "exec sleep 300" << int(Kind::StartFailed);
    }
    void officesThatCannotStartFailCleanly() {
        QFETCH(QString, script);
        QTemporaryDir dir;
        word::LibreOfficeOptions options{.sofficePath = dir.filePath("soffice"),
                                         .startTimeoutMs = 1500};
        if (!script.isEmpty()) {
            QVERIFY(test::writeFile(options.sofficePath, "#!/bin/sh\n" + script.toUtf8()));
            QFile::setPermissions(options.sofficePath,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QTEST(test::errorKind(word::LibreOfficeFactory(options).create()), "kind");
        QVERIFY(onlyTheHelperLeft());
    }

    // A killed office fails the later calls, and another office is not disturbed by it.
    void killedOfficeMakesLaterCallsFail() {
        QVERIFY(!make("a.docx", test::DocBuilder().paragraph("first")).isEmpty());
        const auto helper = test::officeProcesses();
        auto app = test::startOffice();
        QVERIFY(app);
        auto doc = app->open(path("a.docx"));
        QVERIFY(doc);
        auto others = m_app->open(path("a.docx"));
        QVERIFY(others);
        const auto pids = test::officeProcesses();
        QCOMPARE(pids.size(), 2);  // one process each
        for (const qint64 pid : pids)
            if (!helper.contains(pid)) ::kill(pid_t(pid), SIGKILL);
        QCOMPARE(test::errorKind((*doc)->saveAs(path("b.docx"))), int(Kind::OfficeDead));
        QCOMPARE(test::errorKind(app->open(path("a.docx"))), int(Kind::OfficeDead));
        QVERIFY(!app->isAlive());
        doc->reset();
        app.reset();
        QVERIFY(onlyTheHelperLeft());
        QCOMPARE(*(*others)->characters(), QStringLiteral("first\r"));
    }

    void saveFormatFollowsExtension_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("doc") << "f.doc" << QByteArray("\xD0\xCF\x11\xE0");
        QTest::newRow("rtf") << "f.rtf" << QByteArray("{\\rtf");
    }
    void saveFormatFollowsExtension() {
        QFETCH(QString, name);
        QFETCH(QByteArray, magic);
        const QString p = make(name, test::DocBuilder().paragraph(QStringLiteral("格式 format")));
        QFile f(p);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(magic.size()), magic);
        auto opened = m_app->open(p);
        QVERIFY(opened);
        QCOMPARE(*(*opened)->characters(), QStringLiteral("格式 format\r"));
    }

    void refusedSaveFailsAndTheOfficeLives() {
        auto fresh = m_app->add();
        QVERIFY(fresh);
        for (const QString& p : {QStringLiteral("/proc/refused.docx"), path("no/such/f.docx")})
            QCOMPARE(test::errorKind((*fresh)->saveAs(p)), int(Kind::SaveFailed));
        QVERIFY(!QFileInfo::exists(path("no")));
        QVERIFY(m_app->isAlive());
        QCOMPARE(test::errorKind((*fresh)->saveAs(path("fine.docx"))), -1);
    }

    // Junk, an empty file and text under a Word name are no documents, though the office
    // would open them as plain text.
    void badFilesFailToOpen_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("kind");
        const QByteArray junk = QByteArray("PK\x03\x04") + QByteArray(4096, '\x07');
        QTest::newRow("junk") << "junk.docx" << junk << int(Kind::NotDocument);
        QTest::newRow("empty") << "empty.docx" << QByteArray() << int(Kind::NotDocument);
        QTest::newRow("text") << "text.doc" << QByteArray("Only text.\n") << int(Kind::NotDocument);
        QTest::newRow("missing") << "missing.docx" << QByteArray("-") << int(Kind::OpenFailed);
    }
    void badFilesFailToOpen() {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        if (content != "-") QVERIFY(test::writeFile(path(name), content));
        QTEST(test::errorKind(m_app->open(path(name))), "kind");
        QVERIFY(m_app->isAlive());
    }
};

QTEST_GUILESS_MAIN(OfficeTest)
#include "tst_office.moc"
