// The path and file-name helpers, on the tables they are defined by.

#include <QTest>

#include "shell/filenames.h"

using namespace pw;

class FileNamesTest : public QObject {
    Q_OBJECT

private slots:
    void extension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("docx") << "/docs/Report.docx"
                              << ".docx";
        QTest::newRow("two dots, own case") << "/docs/Report.old.DOC"
                                            << ".DOC";
        QTest::newRow("archive") << "/docs/archive.tar.gz"
                                 << ".gz";
        QTest::newRow("no dot") << "/docs/Report"
                                << "/docs/Report";
        QTest::newRow("dot in folder only") << "/a.b/Report"
                                            << ".b/Report";
        QTest::newRow("empty") << ""
                               << "";
    }
    void extension() {
        QFETCH(QString, path);
        QTEST(GetFileExt(path), "expected");
    }

    void folder_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("file") << "/docs/Report.docx"
                              << "/docs/";
        QTest::newRow("bare name") << "Report.docx"
                                   << "";
        QTest::newRow("root") << "/"
                              << "/";
        QTest::newRow("folder text") << "/docs/sub/"
                                     << "/docs/sub/";
    }
    void folder() {
        QFETCH(QString, path);
        QTEST(GetFileFolder(path), "expected");
    }

    void baseName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("expected");
        QTest::newRow("two dots") << "/docs/Report.old.docx"
                                  << "Report.old";
        QTest::newRow("only dot first") << "/docs/.docx"
                                        << "";
        QTest::newRow("no separator") << "Report.docx"
                                      << "Report";
        QTest::newRow("chinese") << "/文档/第一章.doc"
                                 << "第一章";
        // Not defined by the callers: the name is given whole.
        QTest::newRow("dot only in folder") << "/my.docs/Report"
                                            << "Report";
        QTest::newRow("no dot") << "/docs/Report"
                                << "Report";
    }
    void baseName() {
        QFETCH(QString, path);
        QTEST(GetFileBaseName(path), "expected");
    }

    void fileNameText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("chinese character") << "章" << true;
        QTest::newRow("colon passes") << "a:b" << true;
        QTest::newRow("other control passes") << "a\x01" << true;
        const QString refused = QStringLiteral("\\/;*?\"<>|\r\n\t ");
        for (QChar c : refused)
            QTest::newRow(qPrintable(QStringLiteral("code %1").arg(c.unicode())))
                << QString(c) << false;
        const QString fullWidth =
            QStringLiteral("\uFF3C\uFF0F\uFF1B\uFF0A\uFF1F\uFF02\uFF1C\uFF1E\uFF5C\u3000");
        for (QChar c : fullWidth)
            QTest::newRow(qPrintable(QStringLiteral("full-width %1").arg(c.unicode(), 4, 16)))
                << QString(c) << false;
        QTest::newRow("inside a word") << "第一章 总则" << false;
    }
    void fileNameText() {
        QFETCH(QString, text);
        QTEST(IsFileNameText(text), "expected");
    }
};

QTEST_GUILESS_MAIN(FileNamesTest)
#include "tst_filenames.moc"
