#pragma once

#include <memory>

#include <QObject>

class QWidget;

namespace pw::word {
class ApplicationFactory;
}

namespace pw {

class frmSplit;
class frmUnite;

// The two working windows of a run: each is created and loads the first time it is shown, a
// switch hides one and shows the other, and closing either closes the other first.
class WorkingWindows final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WorkingWindows)

public:
    // office starts the offices of the operations; it must outlive the windows.
    explicit WorkingWindows(word::ApplicationFactory& office, QObject* parent = nullptr);
    ~WorkingWindows() override;

    void showSplit();
    void showUnite();
    // Null while the window has not been loaded in this run.
    frmSplit* split() const { return m_split.get(); }
    frmUnite* unite() const { return m_unite.get(); }
    // The window on the screen, or null.
    QWidget* visibleWindow() const;

private:
    frmSplit& loadSplit();
    frmUnite& loadUnite();
    void switchToUnite();
    void switchToSplit();

    word::ApplicationFactory& m_office;
    std::unique_ptr<frmSplit> m_split;
    std::unique_ptr<frmUnite> m_unite;
};

}  // namespace pw
