#include <QTest>

#include "split/partplan.h"

using pw::split::makePartPlan;
using pw::split::PagePart;
using pw::split::pagesPerPart;
using pw::split::SplitMode;

Q_DECLARE_METATYPE(std::vector<PagePart>)

class TestPartPlan : public QObject {
    Q_OBJECT

    static std::vector<PagePart> parts(std::initializer_list<std::pair<int, int>> ranges) {
        std::vector<PagePart> v;
        for (auto [f, l] : ranges) v.push_back({f, l});
        return v;
    }

private slots:
    void plan_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("pages");
        QTest::addColumn<std::vector<PagePart>>("expected");
        QTest::newRow("one page, every 3") << 0 << 3 << 1 << parts({{1, 1}});
        QTest::newRow("one page, into 4") << 1 << 4 << 1 << parts({{1, 1}});
        QTest::newRow("every 3 of 10") << 0 << 3 << 10 << parts({{1, 3}, {4, 6}, {7, 9}, {10, 10}});
        QTest::newRow("into 3 of 10") << 1 << 3 << 10 << parts({{1, 4}, {5, 8}, {9, 10}});
        QTest::newRow("into 4 of 10") << 1 << 4 << 10 << parts({{1, 3}, {4, 6}, {7, 9}, {10, 10}});
        QTest::newRow("into 6 of 10")
            << 1 << 6 << 10 << parts({{1, 2}, {3, 4}, {5, 6}, {7, 8}, {9, 10}});
        QTest::newRow("into 20 of 10") << 1 << 20 << 10
                                       << parts({{1, 1},
                                                 {2, 2},
                                                 {3, 3},
                                                 {4, 4},
                                                 {5, 5},
                                                 {6, 6},
                                                 {7, 7},
                                                 {8, 8},
                                                 {9, 9},
                                                 {10, 10}});
        QTest::newRow("every 25 of 10") << 0 << 25 << 10 << parts({{1, 10}});
        QTest::newRow("every 5 of 10, exact") << 0 << 5 << 10 << parts({{1, 5}, {6, 10}});
        QTest::newRow("every 2^31-1") << 0 << 2147483647 << 7 << parts({{1, 7}});
        QTest::newRow("into 2^31-1") << 1 << 2147483647 << 3 << parts({{1, 1}, {2, 2}, {3, 3}});
    }
    void plan() {
        QFETCH(int, mode);
        QFETCH(int, n);
        QFETCH(int, pages);
        QFETCH(std::vector<PagePart>, expected);
        const int per = pagesPerPart(SplitMode(mode), n, pages);
        QCOMPARE(makePartPlan(pages, per), expected);
    }

    void refusesCountsBelowOne() {
        QCOMPARE(pagesPerPart(SplitMode::EveryNPages, 0, 10), 0);
        QCOMPARE(pagesPerPart(SplitMode::IntoNDocuments, 0, 10), 0);
        QCOMPARE(pagesPerPart(SplitMode::IntoNDocuments, -2, 10), 0);
        QVERIFY(makePartPlan(10, 0).empty());
        QVERIFY(makePartPlan(10, -1).empty());
        QVERIFY(makePartPlan(0, 3).empty());
    }

    void largeDocumentEveryPage() {
        const auto plan = makePartPlan(300, 1);
        QCOMPARE(plan.size(), size_t(300));
        QCOMPARE(plan.back(), (PagePart{300, 300}));
    }
};

QTEST_APPLESS_MAIN(TestPartPlan)
#include "tst_partplan.moc"
