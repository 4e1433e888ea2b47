#pragma once

#include <memory>

#include "shell/workingwindow.h"

#include "merge/mergerequest.h"

namespace Ui {
class frmUnite;
}

namespace pw::word {
class ApplicationFactory;
}

namespace pw {

class DocumentList;

// The merge window: the documents to merge, in order, the target file and the page-break
// option. CmdOp hands its values to the merge and shows what it made of the target name.
class frmUnite final : public WorkingWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmUnite)

public:
    // office starts the offices of the merges; it must outlive the window.
    explicit frmUnite(word::ApplicationFactory& office, QWidget* parent = nullptr);
    ~frmUnite() override;

    // The merge's inputs as the controls hold them now.
    merge::MergeRequest request() const;

    // Shows the drop-down at this window's own function again, for a switch back.
    void resetFunction();

signals:
    // The user chose the split window in CmbFunc.
    void splitWindowRequested();

private:
    void load();
    void save() const override;
    void onCmbFunc(int index);
    void onCmdOp();
    void runTargetDialog();  // the CmdUnitedFile action

    std::unique_ptr<Ui::frmUnite> ui;
    word::ApplicationFactory& m_office;
    DocumentList* m_list = nullptr;
};

}  // namespace pw
