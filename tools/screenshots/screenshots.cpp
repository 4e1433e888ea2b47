// Saves a picture of each window of the program into the folder given as the only argument.
// Settings are kept in a temporary folder, so the user's own options are neither used nor
// changed. Run it through tools/screenshots.sh.

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/mdlmain.h"
#include "app/workingwindows.h"
#include "merge/window/frmunite.h"
#include "shell/appinfo.h"
#include "shell/frmabout.h"
#include "split/window/frmsplit.h"
#include "word/documentengine.h"

namespace {

// The windows are only looked at; no operation runs.
class NoOffice final : public pw::word::ApplicationFactory {
public:
    pw::word::Result<std::unique_ptr<pw::word::Application>> create() override {
        return pw::word::fail(pw::word::Error::Kind::NotInstalled, QStringLiteral("screenshots"));
    }
};

bool save(QWidget& window, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    QTextStream(stdout) << (saved ? "saved " : "could not save ") << path << '\n';
    return saved;
}

void fillList(QWidget& window, const QStringList& paths) {
    auto* list = window.findChild<QListWidget*>(QStringLiteral("LstFiles"));
    for (const QString& p : paths) list->addItem(p);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: pw_screenshots FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) return 1;
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    pw::setUpApplication(app);

    NoOffice office;
    pw::WorkingWindows windows(office);
    bool ok = true;

    windows.showSplit();
    fillList(*windows.split(), {QStringLiteral("/home/user/文档/年度报告.docx"),
                                QStringLiteral("/home/user/文档/Contract 2026.doc")});
    ok &= save(*windows.split(), folder, QStringLiteral("frmSplit"));

    windows.showUnite();
    fillList(*windows.unite(), {QStringLiteral("/home/user/文档/第一章.docx"),
                                QStringLiteral("/home/user/文档/第二章.docx"),
                                QStringLiteral("/home/user/文档/notes.rtf")});
    ok &= save(*windows.unite(), folder, QStringLiteral("frmUnite"));

    pw::frmAbout about;
    about.show();
    ok &= save(about, folder, QStringLiteral("frmAbout"));

    QMessageBox box(QMessageBox::Information, pw::AppTitle, pw::NoOfficeMessage, QMessageBox::Ok);
    box.show();
    ok &= save(box, folder, QStringLiteral("noOffice"));
    return ok ? 0 : 1;
}
