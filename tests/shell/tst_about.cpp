#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "shell/appinfo.h"
#include "shell/dialogs.h"
#include "shell/frmabout.h"
#include "tests/shell/fakedialogs.h"

using pw::test::FakeDialogs;

class AboutTest : public QObject {
    Q_OBJECT

private slots:
    // The version comes from the program's own; the links look like links and show whole.
    void versionAndLinks() {
        pw::frmAbout about;
        QCOMPARE(about.findChild<QLabel*>("lblVersion")->text(), QString("Pagewright1.3"));
        QVERIFY(!about.findChild<QLabel*>("Image1")->pixmap().isNull());
        QCOMPARE(about.minimumSize(), about.maximumSize());
        const auto* mail = about.findChild<QLabel*>("Label1");
        QVERIFY(mail->fontMetrics().horizontalAdvance(mail->text()) <= mail->width());
        for (const char* link : {"Label1", "lblPage"}) {
            const auto* label = about.findChild<QLabel*>(link);
            QVERIFY(label->font().underline());
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    // The links go to the opener and the window stays open.
    void linksOpenThroughTheSeam() {
        FakeDialogs fake;
        pw::ScopedDialogs use(fake);
        pw::frmAbout about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.findChild<QLabel*>("Label1"), Qt::LeftButton);
        QTest::mouseClick(about.findChild<QLabel*>("lblPage"), Qt::LeftButton);
        QCOMPARE(fake.openedUrls, QList<QUrl>({QUrl("mailto:support@pagewright.example"),
                                               QUrl("https://pagewright.example/")}));
        QVERIFY(about.isVisible());
        // Other labels and other buttons open nothing.
        QTest::mouseClick(about.findChild<QLabel*>("lblVersion"), Qt::LeftButton);
        QTest::mouseClick(about.findChild<QLabel*>("Label1"), Qt::RightButton);
        QCOMPARE(fake.openedUrls.size(), 2);
    }

    void showIsModalOverItsOpenerAndOkCloses() {
        FakeDialogs fake;
        pw::ScopedDialogs use(fake);
        QWidget opener;
        int result = -1;
        bool wasModal = false;
        fake.onModal = [&](QDialog& dialog) {
            wasModal = dialog.isModal();
            dialog.findChild<QPushButton*>("CmdOK")->click();
            result = dialog.result();
        };
        pw::frmAbout::Show(&opener);
        QCOMPARE(fake.modalWindows, QStringList({"frmAbout"}));
        QCOMPARE(fake.parents.value(0).data(), &opener);
        QVERIFY(wasModal);
        QCOMPARE(result, int(QDialog::Accepted));
        // Nothing of it is left behind.
        QVERIFY(opener.findChildren<pw::frmAbout*>().isEmpty());
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
