// What every window shares: file names, the stored options, the About window,
// and the window side of an engine's prompts.

#include "merge/window/mergewindowsettings.h"
#include "shell/completionbox.h"
#include "shell/filenames.h"
#include "shell/frmabout.h"
#include "shell/settingsstore.h"
#include "shell/translations.h"
#include "shell/windowprompts.h"
#include "shell/windowsettings.h"
#include "split/window/splitwindowsettings.h"
#include "tests/shell/fakedialogs.h"

using namespace pw;

class ShellTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::WindowCase> ui_;
    std::unique_ptr<SettingsStore> store_;

private slots:
    void init() {
        ui_.reset();  // the dialogs' scope ends before the next begins
        ui_ = std::make_unique<test::WindowCase>();
        QVERIFY(ui_->dir.isValid());
        store_ = std::make_unique<SettingsStore>(ui_->dir.path());
    }

    void pathParts_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("ext");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("base");
        const struct {
            const char *path, *ext, *folder, *base;
        } rows[] = {{"/docs/Report.old.DOC", ".DOC", "/docs/", "Report.old"},
                    {"/docs/Report", "/docs/Report", "/docs/", "Report"},
                    {"/a.b/Report", ".b/Report", "/a.b/", "Report"},
                    {"Report.docx", ".docx", "", "Report"},
                    {"/docs/.docx", ".docx", "/docs/", ""}};
        for (const auto& r : rows)
            QTest::addRow("%s", r.path)
                << QString(r.path) << QString(r.ext) << QString(r.folder) << QString(r.base);
    }
    void pathParts() {
        QFETCH(QString, path);
        QTEST(GetFileExt(path), "ext");
        QTEST(GetFileFolder(path), "folder");
        QTEST(GetFileBaseName(path), "base");
    }

    void fileNameText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("allowed");
        for (const char* ok : {"", "章", "a:b", "a\x01"}) QTest::addRow("%s", ok) << ok << true;
        for (QChar c : QStringLiteral("\\|\t\uFF1F\u3000"))
            QTest::addRow("code %x", c.unicode()) << QString(c) << false;
        QTest::newRow("inside a word") << "第一章 总则" << false;
    }
    void fileNameText() {
        QFETCH(QString, text);
        QTEST(IsFileNameText(text), "allowed");
    }

    // Kept as text in the application's INI file: the split window writes its options and
    // StartForm, an empty box stored empty and blanks kept.
    void settingsWritten() {
        saveSplitWindowSettings(*store_, {.optSplit = 1,
                                          .txtPages = "",
                                          .txtNewDocs = " 3 ",
                                          .cmbMaskLength = 6,
                                          .optNewDocName = 4,
                                          .optOutDir = 1});
        QSettings file(ui_->file(), QSettings::IniFormat);
        file.beginGroup("Controls");
        QStringList written;
        for (const QString& key : file.allKeys()) written << key + '=' + file.value(key).toString();
        QCOMPARE(written,
                 QStringList({"CmbNewNameMaskLength=6", "OptNewDocName=4", "OptOutDir=1",
                              "OptSplit=1", "StartForm=0", "txtNewDocs= 3 ", "txtPages="}));
        QCOMPARE(readSplitWindowSettings(*store_).txtNewDocs, QString(" 3 "));
    }

    // As a user might have edited the file: OptNewDocName is read as text, two-way options and
    // StartForm take any number but 0 as the second, other positions and check states as 0.
    void settingsRead_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        // Each key, then what each stored text reads as: text=read.
        const QStringList table = {"OptNewDocName 7=1 03=1 3=3 0=0", "OptSplit -1=1 abc=0",
                                   "CmbNewNameMaskLength 7=7 8=0 -1=0", "ChkPageBreak 1=1 2=0",
                                   "StartForm -3=1 abc=0"};
        for (const QString& line : table) {
            const QStringList words = line.split(' ');
            for (const QString& pair : words.mid(1))
                QTest::addRow("%s %s", qPrintable(words[0]), qPrintable(pair))
                    << words[0] << pair.section('=', 0, 0) << pair.section('=', 1);
        }
    }
    void settingsRead() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QSettings(ui_->file(), QSettings::IniFormat).setValue("Controls/" + key, value);
        const SplitWindowSettings split = readSplitWindowSettings(*store_);
        const QHash<QString, QString> read{
            {"OptNewDocName", QString::number(split.optNewDocName)},
            {"OptSplit", QString::number(split.optSplit)},
            {"CmbNewNameMaskLength", QString::number(split.cmbMaskLength)},
            {"ChkPageBreak", readMergeWindowSettings(*store_).chkPageBreak ? "1" : "0"},
            {"StartForm", QString::number(readStartForm(*store_))}};
        QTEST(read.value(key), "expected");
    }

    // The links open through the seam on a left click; OK closes the window shown modal over its
    // opener.
    void about() {
        frmAbout about;
        QVERIFY(!about.findChild<QLabel*>("Image1")->pixmap().isNull());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        for (const char* label : {"Label1", "lblPage", "lblVersion"})
            QTest::mouseClick(about.findChild<QLabel*>(label), Qt::LeftButton);
        QTest::mouseClick(about.findChild<QLabel*>("Label1"), Qt::RightButton);
        QCOMPARE(ui_->dialogs.openedUrls, QList<QUrl>({QUrl("mailto:support@pagewright.example"),
                                                       QUrl("https://pagewright.example/")}));
        QVERIFY(about.isVisible());

        QWidget opener;
        bool modal = false;
        ui_->dialogs.onModal = [&](QDialog& dialog) {
            modal = dialog.isModal();
            dialog.findChild<QPushButton*>("CmdOK")->click();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        };
        frmAbout::Show(&opener);
        QCOMPARE(ui_->dialogs.modalWindows, QStringList({"frmAbout"}));
        QCOMPARE(ui_->dialogs.parents.value(0).data(), &opener);
        QVERIFY(modal);
        QVERIFY(opener.findChildren<frmAbout*>().isEmpty());
    }

    // The busy pointer is shown while the work runs; messages and questions go over the window.
    void windowPrompts() {
        QWidget window;
        WindowPrompts prompts(window, {}, false);
        prompts.progress(Progress::at(Progress::Stage::WorkBegins));
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        prompts.progress(Progress::at(Progress::Stage::WorkEnds));
        QVERIFY(!QGuiApplication::overrideCursor());
        prompts.message("done", MessageIcon::Exclamation);
        QCOMPARE(ui_->dialogs.messages.value(0).icon, MessageIcon::Exclamation);
        ui_->dialogs.yesNoAnswers << true;
        QVERIFY(prompts.ask({Question::Kind::OverwriteTarget, "q", true, {}}));
        QVERIFY(ui_->dialogs.questions.value(0).defaultNo);
        QCOMPARE(ui_->dialogs.parents, QList<QPointer<QWidget>>({&window, &window}));
    }

    // Failures make it a warning with the list as copyable details; the folder button hands the
    // folder to the desktop. Qt's own buttons speak Chinese.
    void completionBox_data() {
        QTest::addColumn<QString>("details");
        QTest::addColumn<QString>("folder");
        QTest::newRow("clean") << QString() << "/out";
        QTest::newRow("failures, nothing made") << "以下文件未能生成：\na" << QString();
    }
    void completionBox() {
        QFETCH(QString, details);
        QFETCH(QString, folder);
        QVERIFY2(installChineseTranslations(*qApp), "Qt's translations are not installed");
        const auto icon = details.isEmpty() ? MessageIcon::Information : MessageIcon::Exclamation;
        const auto box = pw::completionBox(nullptr, {"文档分拆完成！", details, icon, folder});
        QCOMPARE(box->icon(), details.isEmpty() ? QMessageBox::Information : QMessageBox::Warning);
        QCOMPARE(box->detailedText(), details);
        QMessageBox question(QMessageBox::Question, "t", "q", QMessageBox::Cancel);
        QCOMPARE(question.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
        auto* open = box->findChild<QPushButton*>("CmdOpenFolder");
        QCOMPARE(open != nullptr, !folder.isEmpty());
        if (!open) return;
        QCOMPARE(open->text(), QStringLiteral("打开文件夹"));
        open->click();
        QCOMPARE(ui_->dialogs.openedUrls, QList<QUrl>{QUrl::fromLocalFile(folder)});
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
