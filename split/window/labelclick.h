#pragma once

#include <QObject>

class QWidget;

namespace pw::split {

// Reports a left click (press and release over the widget) on a label, which has no signal of
// its own for it.
class LabelClick final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LabelClick)

public:
    explicit LabelClick(QWidget* label);

signals:
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool m_pressed = false;
};

}  // namespace pw::split
