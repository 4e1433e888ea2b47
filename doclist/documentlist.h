#pragma once

// The document list of a working window, bound to the controls its .ui places:
//   - LstFiles, a QListWidget (single selection; drops are taken here),
//   - CmdFile, a QButtonGroup of QPushButtons named CmdFile0, CmdFile1, ... whose ids are set
//     from those names: 0 add files, 1 add folder, 2 remove, 3 clear, and on the merge list
//     4 move up, 5 move down.
// The window creates one in its constructor and reads entries() for its engine:
//
//     files_ = new pw::DocumentList(ui->LstFiles, ui->CmdFile, pw::DocumentListKind::Merge);
//     request.documents = files_->entries();
//
// The object lives as a child of LstFiles. Dialogs and message boxes go through pw::dialogs(),
// the folder question through FrmPath (shown with pw::dialogs().showModal).

#include <functional>

#include <QObject>
#include <QStringList>

#include "doclist/documenttypes.h"

class QButtonGroup;
class QListWidget;
class QMimeData;
class QWidget;

namespace pw {

class DocumentList final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DocumentList)

public:
    // Entry indexes are 16-bit signed numbers wherever the engines count them.
    static constexpr int Capacity = 32767;

    // Fills found with the documents of folder (which ends with "/"), with or without its
    // subfolders. Replaceable so that a test can watch what happens around a scan.
    using FolderScanner =
        std::function<void(QStringList& found, const QString& folder, bool withSubfolders)>;

    // CmdFile may be null for a list without buttons.
    DocumentList(QListWidget* LstFiles, QButtonGroup* CmdFile, DocumentListKind kind);
    ~DocumentList() override;

    QStringList entries() const;
    int count() const;
    DocumentListKind kind() const { return kind_; }

    // The click of CmdFile(index); an index the list's kind has no command for does nothing.
    void CmdFileClick(int index);
    void addFiles();
    void addFolder();
    void removeFile();
    void clearList();
    void moveUp();
    void moveDown();
    // A drop on LstFiles; the control's drop events end here.
    void dropFiles(const QMimeData& data);

    // Appends at the end, up to Capacity; tells the user how many did not fit. Returns how
    // many were added.
    int append(const QStringList& paths);

    void setFolderScanner(FolderScanner scanner);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* owner() const;
    // Without the message: how many did not fit.
    int appendQuietly(const QStringList& paths);
    void tellNotAdded(int notAdded) const;
    void moveSelection(int step);

    QListWidget* list_;
    DocumentListKind kind_;
    FolderScanner scanner_;
};

}  // namespace pw
