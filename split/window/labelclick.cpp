#include "split/window/labelclick.h"

#include <QMouseEvent>
#include <QWidget>

namespace pw::split {

LabelClick::LabelClick(QWidget* label) : QObject(label) {
    label->installEventFilter(this);
}

bool LabelClick::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        m_pressed = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        const bool inside = widget->rect().contains(mouse->position().toPoint());
        if (m_pressed && mouse->button() == Qt::LeftButton && inside) emit clicked();
        m_pressed = false;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pw::split
