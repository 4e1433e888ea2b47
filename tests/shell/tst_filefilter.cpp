#include <QtTest>

#include "shell/filefilter.h"

class FileFilterTest : public QObject {
    Q_OBJECT

private slots:
    void pairsBecomeQtFilters_data() {
        QTest::addColumn<QString>("paired");
        QTest::addColumn<QString>("qt");
        QTest::newRow("open dialog") << "Word文档(*.doc;*.docx)|*.doc;*.docx"
                                     << "Word文档(*.doc;*.docx) (*.doc *.docx)";
        QTest::newRow("save dialog") << "合并到新文档(*.doc;*.docx)|*.doc;*.docx"
                                     << "合并到新文档(*.doc;*.docx) (*.doc *.docx)";
        QTest::newRow("two entries") << "Word|*.doc|All|*.*"
                                     << "Word (*.doc);;All (*.*)";
        QTest::newRow("no patterns") << "Everything"
                                     << "Everything";
        QTest::newRow("empty pattern") << "Word|*.doc;;*.rtf"
                                       << "Word (*.doc *.rtf)";
    }
    void pairsBecomeQtFilters() {
        QFETCH(QString, paired);
        QFETCH(QString, qt);
        QCOMPARE(pw::toQtFileFilter(paired), qt);
    }
};

QTEST_GUILESS_MAIN(FileFilterTest)
#include "tst_filefilter.moc"
