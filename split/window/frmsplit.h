#pragma once

#include <memory>

#include <QWidget>

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
// values to the split run, which answers back through SplitWindowPrompts.
class frmSplit final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmSplit)

public:
    // office starts the offices of the split runs; it must outlive the window.
    explicit frmSplit(word::ApplicationFactory& office, QWidget* parent = nullptr);
    ~frmSplit() override;

    // The run's inputs as the controls hold them now.
    split::SplitRequest request() const;

    // What the split run may do to the window while it works.
    void setOutDirText(const QString& text);
    QString outDirText() const;
    void focusField(split::SplitField field, bool selectAll);
    void browseOutDir();  // the CmdOutDir action
    void setBusy(bool busy);

    // Shows the drop-down at this window's own function again, for a switch back.
    void resetFunction();
    bool isClosing() const { return m_closing; }

signals:
    // The user chose the merge window in CmbFunc.
    void mergeWindowRequested();
    // The close step has begun; the merge window must close now, before this one saves.
    void closing();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
    void save() const;
    void wireOptions();
    void onOptSplit(int index);
    void onOptOutDir(int index);
    void onMaskLengthChosen();
    void onCmbFunc(int index);
    void onCmdOp();

    std::unique_ptr<Ui::frmSplit> ui;
    word::ApplicationFactory& m_office;
    DocumentList* m_list = nullptr;
    bool m_centred = false;
    bool m_closing = false;
    bool m_running = false;
};

}  // namespace pw
