// The working windows during a run: the engine on its worker thread behind the fake office,
// held at a known call so that the window can be looked at and worked step by step.

#include <atomic>

#include "merge/mergemessages.h"
#include "merge/window/frmunite.h"
#include "split/splitmessages.h"
#include "split/window/frmsplit.h"
#include "split/window/splitcompletion.h"
#include "tests/ui/uitestsupport.h"

using namespace pw;

class WindowRunsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<test::WindowCase> ui_;
    std::unique_ptr<test::FakeWordFactory> office_;
    std::unique_ptr<WorkingWindow> window_;
    QSemaphore reached_, go_;
    std::atomic<bool> armed_{false};

    template <class T>
    T* c(const char* name) const {
        return test::control<T>(*window_, name);
    }
    QString path(const QString& name) const { return ui_->dir.filePath(name); }
    QString outDir() const { return path("out"); }
    QString doc(const QString& name, int pages) const {
        QList<QStringList> content;
        for (int k = 1; k <= pages; ++k) content << QStringList{name + QString::number(k)};
        test::writeFakeDocument(path(name), test::FakeContent::fromPages(content));
        return path(name);
    }

    // Three parts of one document to split, or three documents to merge; the run is held as it
    // writes its first part or inserts its first document, and what it reported so far is shown.
    void startHeld(bool split) {
        if (split) {
            window_ = std::make_unique<frmSplit>(*office_);
            test::list(*window_).append({doc("a.docx", 3)});
            c<QLineEdit>("txtPages")->setText("1");
            c<QRadioButton>("OptOutDir1")->click();
            c<QLineEdit>("txtOutDir")->setText(outDir());
            QVERIFY(QDir().mkpath(outDir()));
        } else {
            window_ = std::make_unique<frmUnite>(*office_);
            test::list(*window_).append({doc("a.docx", 1), doc("b.docx", 1), doc("c.docx", 1)});
            c<QLineEdit>("txtUnitedFile")->setText(path("all.docx"));
        }
        window_->show();
        const QString op = split ? "saveAs" : "appendFile";
        const QString at = split ? outDir() : path("a.docx");
        armed_ = true;
        office_->state().onCall = [this, op, at](const test::FakeCall& call) {
            if (call.op == op && call.arg.startsWith(at) && armed_.exchange(false)) {
                reached_.release();
                go_.acquire();
            }
        };
        c<QPushButton>("CmdOp")->click();
        reached_.acquire();
        QCoreApplication::processEvents();
    }
    // The controls that must not be used during a run, and the one that may.
    void checkControls(bool running) {
        for (const char* name :
             {"LstFiles", "CmdFile0", "CmdFile1", "CmdFile3", "CmbFunc", "CmdOp", "Frame1"})
            QVERIFY2(c<QWidget>(name)->isEnabled() != running, name);
        QVERIFY(c<QPushButton>("CmdAbout")->isEnabled());
        QCOMPARE(c<QLabel>("lblProgress")->isVisible(), running);
        QCOMPARE(c<QProgressBar>("barProgress")->isVisible(), running);
        QCOMPARE(c<QPushButton>("CmdStop")->isVisible(), running);
    }

private slots:
    void init() {
        ui_ = std::make_unique<test::WindowCase>();
        office_ = std::make_unique<test::FakeWordFactory>();
        QVERIFY(ui_->dir.isValid());
    }
    void cleanup() {
        armed_ = false;
        go_.release();  // a run still held after a failure
        window_.reset();
        go_.tryAcquire(go_.available());
        ui_.reset();
    }

    // Progress and 取消: the run ends after the part or document in hand.
    void progressAndStop_data() { test::splitAndMergeRows(); }
    void progressAndStop() {
        QFETCH(bool, split);
        startHeld(split);
        checkControls(true);
        QVERIFY(c<QLabel>("lblProgress")
                    ->toolTip()
                    .startsWith(split
                                    ? QStringLiteral("正在拆分第 1/1 个文档：a.docx，已生成 0/3 份")
                                    : QStringLiteral("正在合并第 1/3 个文档：a.docx")));
        c<QPushButton>("CmdStop")->click();
        QVERIFY(!c<QPushButton>("CmdStop")->isEnabled());
        QVERIFY(c<QLabel>("lblProgress")->toolTip().startsWith(QStringLiteral("正在停止")));
        go_.release();
        QSignalSpy finished(window_.get(), &WorkingWindow::operationFinished);
        QVERIFY(finished.wait());
        checkControls(false);
        QCOMPARE(ui_->dialogs.completions.size(), 1);
        const Completion& done = ui_->dialogs.completions[0];
        if (split) {
            QCOMPARE(done.text, split::msg::Cancelled +
                                    QStringLiteral("\n\n共生成 1 个新文档，保存在：\n") + outDir());
            QCOMPARE(done.folder, outDir());
        } else {
            QVERIFY2(done.text.startsWith(merge::msg::Cancelled(1)), qPrintable(done.text));
            QCOMPARE(done.folder, ui_->dir.path());
            QCOMPARE(done.icon, MessageIcon::Exclamation);
            QCOMPARE(done.details.split(u'\n').size(), 3);  // the heading and both left out
        }
    }

    // Closing during a run asks first: Yes stops and then closes, saving the options; No goes on.
    // The split window is answered Yes, the merge window No.
    void closeDuringARun_data() { test::splitAndMergeRows(); }
    void closeDuringARun() {
        QFETCH(bool, split);
        const bool stop = split;
        startHeld(split);
        ui_->dialogs.yesNoAnswers << stop;
        QVERIFY(!window_->close());
        QCOMPARE(ui_->dialogs.questions.size(), 1);
        QCOMPARE(ui_->dialogs.questions[0].text,
                 QStringLiteral("文档正在处理中，是否停止处理并关闭窗口？"));
        QVERIFY(ui_->dialogs.questions[0].defaultNo);
        QSignalSpy finished(window_.get(), &WorkingWindow::operationFinished);
        QSignalSpy closing(window_.get(), &WorkingWindow::closing);
        go_.release();
        QVERIFY(stop ? closing.wait() : finished.wait());
        QCOMPARE(window_->isVisible(), !stop);
        QCOMPARE(ui_->written(), stop);
        QCOMPARE(ui_->dialogs.completions.size(), stop ? 0 : 1);
        if (stop)
            QCOMPARE(QDir(outDir()).entryList(QDir::Files).size(), 1);
        else
            QVERIFY(ui_->dialogs.completions[0].text.startsWith(merge::msg::Finished));
    }

    // The box lists every part not made, with the office's own words.
    void completionListsEveryFailure() {
        split::SplitResult r;
        r.outcome = split::SplitResult::Outcome::Completed;
        r.written = {"/out/r1.docx"};
        for (int part = 2; part <= 13; ++part)
            r.failures.append({"/src/r.docx", part, QStringLiteral("/out/r%1.docx").arg(part),
                               split::msg::ReasonSave, "disk full"});
        const Completion done = split::completion(r);
        QVERIFY(done.text.startsWith(split::msg::Finished + u'\n'));
        QCOMPARE(done.icon, MessageIcon::Exclamation);
        const QStringList lines = done.details.split(u'\n');
        QCOMPARE(lines.size(), 13);
        QCOMPARE(lines.last(), QStringLiteral("r13.docx：无法保存（disk full）"));
    }
};

QTEST_MAIN(WindowRunsTest)
#include "tst_windowruns.moc"
