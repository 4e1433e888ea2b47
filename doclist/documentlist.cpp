#include "doclist/documentlist.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QDropEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QRegularExpression>

#include "doclist/droppedfiles.h"
#include "doclist/folderscan.h"
#include "doclist/frmpath.h"
#include "shell/dialogs.h"
#include "shell/filefilter.h"
#include "shell/filenames.h"

namespace pw {

namespace {

constexpr int CmdAddFiles = 0;
constexpr int CmdAddFolder = 1;
constexpr int CmdRemove = 2;
constexpr int CmdClear = 3;
constexpr int CmdMoveUp = 4;
constexpr int CmdMoveDown = 5;

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

void scanFolder(QStringList& found, const QString& folder, bool withSubfolders) {
    if (withSubfolders) {
        AddFolderDocs(found, folder);
    } else {
        AddFolderOwnDocs(found, folder);
    }
}

void numberButtons(QButtonGroup& group) {
    static const QRegularExpression name(QStringLiteral("^CmdFile(\\d+)$"));
    for (QAbstractButton* button : group.buttons()) {
        const QRegularExpressionMatch match = name.match(button->objectName());
        if (match.hasMatch()) group.setId(button, match.captured(1).toInt());
    }
}

}  // namespace

DocumentList::DocumentList(QListWidget* LstFiles, QButtonGroup* CmdFile, DocumentListKind kind)
    : QObject(LstFiles), list_(LstFiles), kind_(kind), scanner_(scanFolder) {
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->setAcceptDrops(true);
    list_->viewport()->setAcceptDrops(true);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    if (CmdFile) {
        numberButtons(*CmdFile);
        connect(CmdFile, &QButtonGroup::idClicked, this, &DocumentList::CmdFileClick);
    }
}

DocumentList::~DocumentList() = default;

QStringList DocumentList::entries() const {
    QStringList texts;
    texts.reserve(list_->count());
    for (int row = 0; row < list_->count(); ++row) texts.append(list_->item(row)->text());
    return texts;
}

int DocumentList::count() const {
    return list_->count();
}

void DocumentList::CmdFileClick(int index) {
    switch (index) {
        case CmdAddFiles:
            addFiles();
            break;
        case CmdAddFolder:
            addFolder();
            break;
        case CmdRemove:
            removeFile();
            break;
        case CmdClear:
            clearList();
            break;
        case CmdMoveUp:
            if (kind_ == DocumentListKind::Merge) moveUp();
            break;
        case CmdMoveDown:
            if (kind_ == DocumentListKind::Merge) moveDown();
            break;
        default:
            break;
    }
}

void DocumentList::addFiles() {
    static const QString filter =
        toQtFileFilter(QStringLiteral("Word文档(*.doc;*.docx)|*.doc;*.docx"));
    // Every chosen name is added, whatever the filter showed.
    append(dialogs().openFiles(owner(), QStringLiteral("新增"), filter));
}

void DocumentList::addFolder() {
    const FolderChoice choice = FrmPath::Choose(owner());
    if (choice.folder.trimmed().isEmpty()) return;
    int notAdded = 0;
    {
        const BusyCursor busy;
        QString folder = choice.folder;
        if (!folder.endsWith(PathSeparator)) folder += PathSeparator;
        QStringList found;
        scanner_(found, folder, choice.includeSubfolders);
        notAdded = appendQuietly(found);
    }
    tellNotAdded(notAdded);
}

void DocumentList::removeFile() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return;
    delete list_->takeItem(list_->row(selected.first()));
    list_->selectionModel()->clear();
}

void DocumentList::clearList() {
    if (list_->count() == 0) return;
    // No is the default: Enter pressed by mistake keeps the list.
    if (!dialogs().askYesNo(owner(), QStringLiteral("确定要清空处理列表吗？"), true)) return;
    list_->clear();
}

void DocumentList::moveUp() {
    moveSelection(-1);
}

void DocumentList::moveDown() {
    moveSelection(+1);
}

// Each selected entry whose neighbour in that direction is not selected changes places with
// it, so a run of selected entries moves as one block.
void DocumentList::moveSelection(int step) {
    const int last = list_->count() - 1;
    int moved = -1;
    const auto pass = [&](int row) {
        QListWidgetItem* entry = list_->item(row);
        QListWidgetItem* neighbour = list_->item(row + step);
        if (!entry->isSelected() || neighbour->isSelected()) return;
        const QString text = neighbour->text();
        neighbour->setText(entry->text());
        neighbour->setToolTip(entry->text());
        entry->setText(text);
        entry->setToolTip(text);
        neighbour->setSelected(true);
        entry->setSelected(false);
        moved = row + step;
    };
    if (step < 0) {
        for (int row = 1; row <= last; ++row) pass(row);
    } else {
        for (int row = last - 1; row >= 0; --row) pass(row);
    }
    if (moved >= 0) {
        list_->selectionModel()->setCurrentIndex(list_->model()->index(moved, 0),
                                                 QItemSelectionModel::NoUpdate);
    }
}

void DocumentList::dropFiles(const QMimeData& data) {
    append(DroppedDocuments(data, kind_));
}

int DocumentList::append(const QStringList& paths) {
    const int notAdded = appendQuietly(paths);
    tellNotAdded(notAdded);
    return static_cast<int>(paths.size()) - notAdded;
}

int DocumentList::appendQuietly(const QStringList& paths) {
    const qsizetype room = qMax(0, Capacity - list_->count());
    const qsizetype taken = qMin(room, paths.size());
    // The whole path in the tooltip, for one too long for the list.
    for (const QString& path : paths.first(taken))
        (new QListWidgetItem(path, list_))->setToolTip(path);
    return static_cast<int>(paths.size() - taken);
}

void DocumentList::tellNotAdded(int notAdded) const {
    if (notAdded <= 0) return;
    dialogs().message(owner(),
                      QStringLiteral("处理列表最多只能容纳%1个文件，另有%2个文件未能加入！")
                          .arg(Capacity)
                          .arg(notAdded),
                      MessageIcon::Information);
}

void DocumentList::setFolderScanner(FolderScanner scanner) {
    scanner_ = scanner ? std::move(scanner) : FolderScanner(scanFolder);
}

QWidget* DocumentList::owner() const {
    return list_->window();
}

bool DocumentList::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_ && watched != list_->viewport())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
                removeFile();
                return true;
            }
            return QObject::eventFilter(watched, event);
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData()->hasUrls()) {
                drag->acceptProposedAction();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (drop->mimeData()->hasUrls()) {
                dropFiles(*drop->mimeData());
                drop->acceptProposedAction();
            } else {
                drop->ignore();
            }
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace pw
