// The window side of an engine's prompts: message boxes over the window, and the window busy
// while the work runs, its controls given back before or after the completion message.

#include <QPushButton>
#include <QtTest>

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
};

QTEST_MAIN(WindowPromptsTest)
#include "tst_windowprompts.moc"
