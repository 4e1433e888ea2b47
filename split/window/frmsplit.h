#pragma once

#include <memory>

#include "shell/workingwindow.h"

#include "split/splitrequest.h"

class QButtonGroup;

namespace Ui {
class frmSplit;
}

namespace pw::word {
class ApplicationFactory;
}

namespace pw {

class DocumentList;

// The split window: the documents to split and every option of a split run. CmdOp hands its
// values to the split run and applies a refusal to the controls.
class frmSplit final : public WorkingWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplit)

public:
    // office starts the offices of the split runs; it must outlive the window.
    explicit frmSplit(word::ApplicationFactory& office, QWidget* parent = nullptr);
    ~frmSplit() override;

    // The run's inputs as the controls hold them now.
    split::SplitRequest request() const;

    // Shows the drop-down at this window's own function again, for a switch back.
    void resetFunction();

signals:
    // The user chose the merge window in CmbFunc.
    void mergeWindowRequested();

private:
    void load();
    void save() const override;
    void wireOptions();
    void onOptSplit(int index);
    void onOptOutDir(int index);
    void onMaskLengthChosen();
    void onCmbFunc(int index);
    void onCmdOp();
    void browseOutDir();  // the CmdOutDir action
    void applyRefusal(const split::SplitRefusal& refusal);

    std::unique_ptr<Ui::frmSplit> ui;
    word::ApplicationFactory& m_office;
    DocumentList* m_list = nullptr;
};

}  // namespace pw
