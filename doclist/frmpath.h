#pragma once

// The folder-choice window of the add-folder command. There is one for the whole program, so
// what one working window leaves in it after OK is what the other finds; Cancel or the close
// box leave it fresh (empty folder, box clear).

#include <memory>

#include <QDialog>
#include <QString>

namespace Ui {
class FrmPath;
}

namespace pw {

struct FolderChoice {
    QString folder;                  // txtFolder as typed or browsed; empty after Cancel
    bool includeSubfolders = false;  // ChkSubdir
};

class FrmPath final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmPath)

public:
    ~FrmPath() override;

    // The program's one window, created on first use and gone with the application.
    static FrmPath& instance();
    // Shows it modally (through pw::dialogs().showModal), centred on owner's window, and reads
    // its folder and tick when the showing ends.
    static FolderChoice Choose(QWidget* owner);

    FolderChoice choice() const;

public slots:
    void reject() override;  // Cancel and the close box: back to the fresh state

private:
    explicit FrmPath(QWidget* parent = nullptr);
    void browse();

    std::unique_ptr<Ui::FrmPath> ui;
};

}  // namespace pw
