// The windows and the start-up with the real LibreOffice. Only the message boxes are answered
// by the test; the documents reach the lists by drops, the values by typing.

#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

#include "app/mdlmain.h"
#include "app/workingwindows.h"
#include "merge/window/frmunite.h"
#include "shell/dialogs.h"
#include "split/window/frmsplit.h"
#include "tests/shell/fakedialogs.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "tests/ui/uitestsupport.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;
using pw::test::control;

namespace {

void dropFiles(QWidget& window, const QStringList& paths) {
    auto* list = control<QListWidget>(window, "LstFiles");
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
    data.setUrls(urls);
    // The drop goes to the widget the drag entered last.
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list->viewport(), &drop);
    if (list->count() == 0) qWarning("the drop added nothing");
}

void type(QWidget& window, const char* box, const QString& text) {
    auto* b = control<QLineEdit>(window, box);
    b->selectAll();
    QTest::keyClick(b, Qt::Key_Backspace);
    QTest::keyClicks(b, text);
}

QString mainText(word::ApplicationFactory& office, const QString& path) {
    auto app = office.create();
    if (!app) return QStringLiteral("<no office: %1>").arg(app.error().message);
    auto doc = (*app)->open(path);
    if (!doc) return QStringLiteral("<cannot open: %1>").arg(doc.error().message);
    auto text = (*doc)->characters();
    return text ? *text : QStringLiteral("<no text>");
}

}  // namespace

class WindowsOfficeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::IsolatedSettings> settings_;
    std::unique_ptr<test::FakeDialogs> dialogs_;
    std::unique_ptr<ScopedDialogs> useDialogs_;
    QTemporaryDir work_;
    word::LibreOfficeFactory office_;

    bool makeDocs(const QList<QPair<QString, test::DocBuilder>>& docs) {
        auto app = office_.create();
        if (!app) {
            qWarning("office did not start: %s", qPrintable(app.error().message));
            return false;
        }
        bool ok = true;
        for (const auto& [path, doc] : docs) ok &= test::makeDocument(**app, doc, path);
        return ok;
    }

private slots:
    void initTestCase() {
        QVERIFY(work_.isValid());
        QVERIFY2(!word::findSoffice().isEmpty(), "LibreOffice is not installed");
    }
    void init() {
        settings_ = std::make_unique<test::IsolatedSettings>();
        dialogs_ = std::make_unique<test::FakeDialogs>();
        useDialogs_ = std::make_unique<ScopedDialogs>(*dialogs_);
    }
    void cleanup() {
        useDialogs_.reset();
        QVERIFY(test::waitNoOfficeProcesses());
    }

    void startUpWithAnOffice() {
        WorkingWindows windows(office_);
        QVERIFY(MdlMain(windows, office_));
        QVERIFY(dialogs_->messages.isEmpty());
        QCOMPARE(windows.visibleWindow(), windows.split());
        // The probe has been told to quit before the user can work.
        QVERIFY(test::waitNoOfficeProcesses());
    }

    void splitFromTheWindow() {
        const QString source = work_.filePath("Report.docx");
        test::DocBuilder doc;
        for (int page = 1; page <= 6; ++page) {
            if (page > 1) doc.pageBreak();
            doc.paragraph(QStringLiteral("Page %1 marker. ").arg(page) +
                          test::sampleParagraph(page));
        }
        QVERIFY(makeDocs({{source, doc}}));
        const QString out = work_.filePath("parts");
        QVERIFY(QDir().mkpath(out));

        frmSplit window(office_);
        window.show();
        dropFiles(window, {source});
        type(window, "txtPages", "2");
        control<QRadioButton>(window, "OptNewDocName0")->click();
        control<QRadioButton>(window, "OptOutDir1")->click();
        type(window, "txtOutDir", out);
        QVERIFY(test::pressCmdOp(window));

        QVERIFY(dialogs_->messages.isEmpty());
        QCOMPARE(dialogs_->completions.size(), 1);
        QVERIFY(dialogs_->completions[0].text.startsWith(QStringLiteral("文档分拆完成！\n")));
        QCOMPARE(dialogs_->completions[0].folder, QDir(out).absolutePath());
        QCOMPARE(QDir(out).entryList(QDir::Files, QDir::Name),
                 QStringList({"Report1页-2页.docx", "Report3页-4页.docx", "Report5页-6页.docx"}));
        const QString second = mainText(office_, out + QStringLiteral("/Report3页-4页.docx"));
        QVERIFY2(second.contains("Page 3 marker") && !second.contains("Page 5 marker"),
                 qPrintable(second));
        // The window is ready for the next run.
        QVERIFY(control<QPushButton>(window, "CmdOp")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(control<QListWidget>(window, "LstFiles")->count(), 1);
    }

    void mergeFromTheWindow() {
        const QString first = work_.filePath("first.docx");
        const QString second = work_.filePath("second.doc");
        QVERIFY(makeDocs({{first, test::DocBuilder().paragraph("Alpha part of the merge.")},
                          {second, test::DocBuilder().paragraph("Omega part of the merge.")}}));
        const QString target = work_.filePath("merged.docx");

        frmUnite window(office_);
        window.show();
        dropFiles(window, {second, first});
        type(window, "txtUnitedFile", target);
        control<QCheckBox>(window, "ChkPageBreak")->setChecked(true);
        QVERIFY(test::pressCmdOp(window));

        QCOMPARE(dialogs_->completions.size(), 1);
        QVERIFY(dialogs_->completions[0].text.startsWith(QStringLiteral("文档合并完成！\n")));
        QCOMPARE(dialogs_->completions[0].icon, MessageIcon::Information);
        QCOMPARE(dialogs_->completions[0].folder, work_.path());
        QVERIFY(QFile::exists(target));
        const QString text = mainText(office_, target);
        const auto omega = text.indexOf(QStringLiteral("Omega part"));
        const auto alpha = text.indexOf(QStringLiteral("Alpha part"));
        QVERIFY2(omega >= 0 && alpha > omega, qPrintable(text));  // in list order
        QVERIFY(control<QPushButton>(window, "CmdOp")->isEnabled());
        QVERIFY(control<QCheckBox>(window, "ChkPageBreak")->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());

        // Merging again onto the same target asks first; No leaves it as it is.
        const QByteArray before = test::fileHash(target);
        dialogs_->yesNoAnswers << false;
        QVERIFY(test::pressCmdOp(window));
        QCOMPARE(dialogs_->questions.size(), 1);
        QCOMPARE(dialogs_->questions[0].text, QStringLiteral("输出的文件已经存在，是否覆盖？"));
        QVERIFY(dialogs_->questions[0].defaultNo);
        QCOMPARE(test::fileHash(target), before);
    }
};

QTEST_MAIN(WindowsOfficeTest)
#include "tst_windowsoffice.moc"
