#include "shell/frmabout.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyle>
#include <QUrl>

#include "shell/appinfo.h"
#include "shell/dialogs.h"
#include "ui_frmabout.h"

namespace pw {

namespace {

constexpr int IconSize = 32;

// A click is a left-button release over the label that was pressed.
bool isClick(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const auto* label = qobject_cast<QWidget*>(watched);
    return mouse->button() == Qt::LeftButton && label &&
           label->rect().contains(mouse->position().toPoint());
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::frmAbout>()) {
    ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(AppTitle);

    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    ui->Image1->setPixmap(icon.pixmap(IconSize, IconSize));

    ui->lblVersion->setText(AppTitle + AppVersion);
    ui->Label1->setText(QStringLiteral("技术支持：") + SupportAddress);
    ui->lblPage->setText(QStringLiteral("主页：") + HomePage);
    ui->Label1->installEventFilter(this);
    ui->lblPage->installEventFilter(this);
    connect(ui->CmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

frmAbout::~frmAbout() = default;

void frmAbout::Show(QWidget* parent) {
    frmAbout about(parent);
    dialogs().showModal(about);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (isClick(watched, event)) {
        if (watched == ui->Label1) {
            dialogs().openUrl(QUrl(QStringLiteral("mailto:") + SupportAddress));
        } else if (watched == ui->lblPage) {
            dialogs().openUrl(QUrl(HomePage));
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pw
