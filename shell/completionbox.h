#pragma once

#include <memory>

#include "shell/dialogs.h"

#include <QMessageBox>

namespace pw {

QMessageBox::Icon messageBoxIcon(MessageIcon icon);

// A message box wide enough to show its whole caption, however short its text.
void fitCaption(QMessageBox& box);

// The completion box: its text with the icon, the details copyable under their button, and
// "打开文件夹", which hands the folder to pw::dialogs().openUrl.
std::unique_ptr<QMessageBox> completionBox(QWidget* parent, const Completion& completion);

}  // namespace pw
