#include <QTest>

#include "split/partplan.h"

using namespace pw::split;

class TestPartPlan : public QObject {
    Q_OBJECT

private slots:
    void plan_data() {
        QTest::addColumn<int>("mode");  // 0 every n pages, 1 into n documents
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("expected");  // first-last of each part
        QTest::newRow("one page, every 3") << 0 << 3 << 1 << "1-1";
        QTest::newRow("one page, into 4") << 1 << 4 << 1 << "1-1";
        QTest::newRow("every 3 of 10") << 0 << 3 << 10 << "1-3 4-6 7-9 10-10";
        QTest::newRow("every 5 of 10, exact") << 0 << 5 << 10 << "1-5 6-10";
        QTest::newRow("every 25 of 10") << 0 << 25 << 10 << "1-10";
        QTest::newRow("into 3 of 10") << 1 << 3 << 10 << "1-4 5-8 9-10";
        QTest::newRow("into 4 of 10") << 1 << 4 << 10 << "1-3 4-6 7-9 10-10";
        QTest::newRow("into 6 of 10") << 1 << 6 << 10 << "1-2 3-4 5-6 7-8 9-10";
        QTest::newRow("into 20 of 3") << 1 << 20 << 3 << "1-1 2-2 3-3";
        QTest::newRow("every 2^31-1") << 0 << 2147483647 << 7 << "1-7";
        QTest::newRow("into 2^31-1") << 1 << 2147483647 << 3 << "1-1 2-2 3-3";
        QTest::newRow("every 0") << 0 << 0 << 10 << "";
        QTest::newRow("into 0") << 1 << 0 << 10 << "";
        QTest::newRow("into -2") << 1 << -2 << 10 << "";
        QTest::newRow("no pages") << 0 << 3 << 0 << "";
    }
    void plan() {
        QFETCH(int, mode);
        QFETCH(int, n);
        QFETCH(int, pages);
        QFETCH(QString, expected);
        QStringList got;
        for (const PagePart& p : makePartPlan(pages, pagesPerPart(SplitMode(mode), n, pages)))
            got << QStringLiteral("%1-%2").arg(p.first).arg(p.last);
        QCOMPARE(got.join(u' '), expected);
    }
};

QTEST_APPLESS_MAIN(TestPartPlan)
#include "tst_partplan.moc"
