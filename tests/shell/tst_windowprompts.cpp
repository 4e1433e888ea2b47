// The window side of an engine's prompts: message boxes over the window, and the window busy
// while the work runs, its controls given back before or after the completion message.

#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include "shell/completionbox.h"
#include "shell/translations.h"

#include "shell/dialogs.h"
#include "shell/windowprompts.h"
#include "tests/shell/fakedialogs.h"

using namespace pw;

class WindowPromptsTest : public QObject {
    Q_OBJECT

private slots:
    void busyWhileTheWorkRuns_data() {
        QTest::addColumn<bool>("controlsAfterMessage");
        QTest::newRow("split: all back before the message") << false;
        QTest::newRow("merge: controls back after it") << true;
    }
    void busyWhileTheWorkRuns() {
        QFETCH(bool, controlsAfterMessage);
        test::FakeDialogs fake;
        ScopedDialogs use(fake);
        QWidget window;
        auto* button = new QPushButton(&window);
        {
            WindowPrompts prompts(window, {button}, controlsAfterMessage);
            prompts.progress(Progress::at(Progress::Stage::WorkBegins));
            QVERIFY(!button->isEnabled());
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            prompts.progress(Progress::at(Progress::Stage::WorkEnds));
            QVERIFY(!QGuiApplication::overrideCursor());
            QCOMPARE(button->isEnabled(), !controlsAfterMessage);
            prompts.message(QStringLiteral("done"), MessageIcon::Exclamation);
            QCOMPARE(fake.messages.size(), 1);
            QCOMPARE(fake.messages[0].icon, MessageIcon::Exclamation);
            QCOMPARE(fake.parents.last().data(), &window);
            fake.yesNoAnswers << true;
            QVERIFY(prompts.ask({Question::Kind::OverwriteTarget, "q", true, {}}));
            QVERIFY(fake.questions[0].defaultNo);
        }
        QVERIFY(button->isEnabled());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // Failures make it a warning with the list as copyable details; the folder button hands the
    // folder to the desktop.
    void completionBox_data() {
        QTest::addColumn<QString>("details");
        QTest::addColumn<QString>("folder");
        QTest::newRow("clean") << QString() << QStringLiteral("/out");
        QTest::newRow("failures") << QStringLiteral("以下文件未能生成：\na\nb")
                                  << QStringLiteral("/o");
        QTest::newRow("nothing made") << QStringLiteral("x") << QString();
    }
    void completionBox() {
        QFETCH(QString, details);
        QFETCH(QString, folder);
        test::FakeDialogs fake;
        ScopedDialogs use(fake);
        const auto icon = details.isEmpty() ? MessageIcon::Information : MessageIcon::Exclamation;
        const auto box =
            pw::completionBox(nullptr, {QStringLiteral("文档分拆完成！"), details, icon, folder});
        QCOMPARE(box->icon(), details.isEmpty() ? QMessageBox::Information : QMessageBox::Warning);
        QCOMPARE(box->detailedText(), details);
        auto* open = box->findChild<QPushButton*>(QStringLiteral("CmdOpenFolder"));
        QCOMPARE(open != nullptr, !folder.isEmpty());
        if (!open) return;
        QCOMPARE(open->text(), QStringLiteral("打开文件夹"));
        open->click();
        QCOMPARE(fake.openedUrls, QList<QUrl>{QUrl::fromLocalFile(folder)});
    }

    // Qt's own texts speak Chinese like the program's.
    void standardButtonsInChinese() {
        QVERIFY2(installChineseTranslations(*qApp), "Qt's translations are not installed");
        QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
    }
};

QTEST_MAIN(WindowPromptsTest)
#include "tst_windowprompts.moc"
