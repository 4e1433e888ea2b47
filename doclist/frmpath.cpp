#include "doclist/frmpath.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStyle>

#include "doclist/clsgetpath.h"
#include "shell/dialogs.h"
#include "ui_frmpath.h"

namespace pw {

namespace {

QPointer<FrmPath> sharedWindow;

// Widgets must go before the application does.
void discardSharedWindow() {
    delete sharedWindow.data();
}

}  // namespace

FrmPath::FrmPath(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::FrmPath>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("选择目录："));
    ui->CmdFolder->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    connect(ui->CmdFolder, &QPushButton::clicked, this, &FrmPath::browse);
    connect(ui->CmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CmdCancel, &QPushButton::clicked, this, &FrmPath::reject);
}

FrmPath::~FrmPath() = default;

FrmPath& FrmPath::instance() {
    if (!sharedWindow) {
        // Only the application's end deletes it, so this runs once per application.
        qAddPostRoutine(discardSharedWindow);
        sharedWindow = new FrmPath;
    }
    return *sharedWindow;
}

FolderChoice FrmPath::Choose(QWidget* owner) {
    FrmPath& window = instance();
    if (owner) {
        const QWidget* ownerWindow = owner->window();
        window.move(ownerWindow->frameGeometry().center() - window.rect().center());
    }
    dialogs().showModal(window);
    return window.choice();
}

FolderChoice FrmPath::choice() const {
    return {ui->txtFolder->text(), ui->ChkSubdir->isChecked()};
}

void FrmPath::reject() {
    ui->txtFolder->clear();
    ui->ChkSubdir->setChecked(false);
    QDialog::reject();
}

void FrmPath::browse() {
    // Written also when empty: a cancelled browser empties the box.
    ui->txtFolder->setText(BrowseForFolder(this, ui->txtFolder->text()));
}

}  // namespace pw
