#pragma once

#include <memory>

#include <QDialog>

namespace Ui {
class frmAbout;
}

namespace pw {

// The about window: title, version and the two links to the maker. Links go to
// pw::dialogs().openUrl; a link that cannot be opened changes nothing.
class frmAbout final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAbout)

public:
    explicit frmAbout(QWidget* parent = nullptr);
    ~frmAbout() override;

    // What CmdAbout does: a fresh window, modal over parent (through pw::dialogs().showModal),
    // gone when this returns.
    static void Show(QWidget* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::unique_ptr<Ui::frmAbout> ui;
};

}  // namespace pw
