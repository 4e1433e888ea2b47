#pragma once

// A stand-in for a working window: LstFiles and the CmdFile buttons, as a .ui places them.

#include <QButtonGroup>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>

#include "doclist/documentlist.h"

namespace pw::test {

class ListWindow {
public:
    explicit ListWindow(DocumentListKind kind) {
        list = new QListWidget(&window);
        list->setObjectName("LstFiles");
        group = new QButtonGroup(&window);
        group->setObjectName("CmdFile");
        const int buttons = kind == DocumentListKind::Merge ? 6 : 4;
        // Added out of order: the ids come from the names.
        for (int i = buttons - 1; i >= 0; --i) {
            auto* button = new QPushButton(&window);
            button->setObjectName(QString("CmdFile%1").arg(i));
            group->addButton(button);
        }
        files = new DocumentList(list, group, kind);
    }

    QPushButton* button(int index) {
        return window.findChild<QPushButton*>(QString("CmdFile%1").arg(index));
    }
    void fill(const QStringList& entries) { list->addItems(entries); }
    QStringList entries() const { return files->entries(); }
    void select(int row) { list->setCurrentRow(row); }
    int selectedRow() const {
        const auto rows = list->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }

    QWidget window;
    QListWidget* list;
    QButtonGroup* group;
    DocumentList* files;
};

}  // namespace pw::test
