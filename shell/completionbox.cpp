#include "shell/completionbox.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include "shell/appinfo.h"

namespace pw {

QMessageBox::Icon messageBoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
    }
    return QMessageBox::Information;
}

void fitCaption(QMessageBox& box) {
    // The window manager cuts a caption wider than the box; room for it and its buttons.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label")))
        label->setMinimumWidth(box.fontMetrics().horizontalAdvance(box.windowTitle()) + 160);
}

std::unique_ptr<QMessageBox> completionBox(QWidget* parent, const Completion& completion) {
    auto box = std::make_unique<QMessageBox>(messageBoxIcon(completion.icon), AppTitle,
                                             completion.text, QMessageBox::Ok, parent);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (!completion.details.isEmpty()) box->setDetailedText(completion.details);
    if (!completion.folder.isEmpty()) {
        QPushButton* open = box->addButton(QStringLiteral("打开文件夹"), QMessageBox::ActionRole);
        open->setObjectName(QStringLiteral("CmdOpenFolder"));
        const QString folder = completion.folder;
        QObject::connect(open, &QPushButton::clicked, box.get(),
                         [folder] { dialogs().openUrl(QUrl::fromLocalFile(folder)); });
    }
    box->setDefaultButton(QMessageBox::Ok);
    fitCaption(*box);
    return box;
}

}  // namespace pw
