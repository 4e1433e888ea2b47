#pragma once

#include <QObject>

class QLineEdit;

namespace pw::split {

// Lets only the digits 0-9 through as typed characters; backspace and the navigation and editing
// keys pass too. Pasting by shortcut counts as a typed character and is dropped. Text that
// arrives another way (context menu, drag) is left to the run's own checks.
class DigitFilter final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DigitFilter)

public:
    explicit DigitFilter(QLineEdit* box);

signals:
    // Every typed character except backspace, whether it was kept or dropped.
    void characterTyped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace pw::split
