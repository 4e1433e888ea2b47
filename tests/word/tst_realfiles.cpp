// Every document of the shared bug-report collection either opens or fails with an error: no
// hang, no question waiting for an answer, and no file changed.

#include <QDir>
#include <QTest>

#include "tests/support/office.h"
#include "tests/support/testenv.h"

using namespace pw;

class RealFilesTest : public QObject {
    Q_OBJECT

private slots:
    void everyFileOpensOrFailsCleanly() {
        const QString fixtures = test::fixturesDir();
        if (fixtures.isEmpty())
            QSKIP("../shared/fixtures is absent: the real documents are not here");
        const QDir dir(fixtures + QStringLiteral("/poi"));
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        QVERIFY(!files.isEmpty());

        word::LibreOfficeOptions options;
        options.callTimeoutMs = 60000;
        auto app = test::startOffice(options);
        QVERIFY(app);
        int opened = 0, refused = 0, restarts = 0;
        for (const QString& name : files) {
            const QString path = dir.filePath(name);
            const QByteArray before = test::fileHash(path);
            auto doc = app->open(path);
            if (doc) {
                ++opened;
                QVERIFY2(bool((*doc)->characters()) || !app->isAlive(), qPrintable(name));
            } else {
                ++refused;
                QVERIFY2(!doc.error().message.isEmpty(), qPrintable(name));
            }
            QCOMPARE(test::fileHash(path), before);
            if (!app->isAlive()) {
                // A file that brings the office down costs only itself.
                ++restarts;
                app = test::startOffice(options);
                QVERIFY(app);
            }
        }
        qInfo("%d opened, %d refused, %d office restarts", opened, refused, restarts);
        QVERIFY(opened > files.size() / 2);
        QVERIFY(refused > 0);  // the collection holds encrypted and damaged files on purpose
        app.reset();
        QVERIFY(test::waitNoOfficeProcesses());
    }
};

QTEST_GUILESS_MAIN(RealFilesTest)
#include "tst_realfiles.moc"
