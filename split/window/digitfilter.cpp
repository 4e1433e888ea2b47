#include "split/window/digitfilter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace pw::split {

namespace {

bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool allDigits(const QString& text) {
    for (const QChar c : text) {
        if (!isAsciiDigit(c)) return false;
    }
    return true;
}

enum class KeyKind { Passes, Digits, Dropped };

KeyKind classify(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return KeyKind::Passes;
        default:
            break;
    }
    if (key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Cut)) return KeyKind::Dropped;
    const QString text = key.text();
    if (text.isEmpty()) return KeyKind::Passes;  // arrows, Home, End: no character
    // Shortcuts such as select-all and copy change no text.
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return KeyKind::Passes;
    return allDigits(text) ? KeyKind::Digits : KeyKind::Dropped;
}

}  // namespace

DigitFilter::DigitFilter(QLineEdit* box) : QObject(box) {
    box->installEventFilter(this);
}

bool DigitFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const KeyKind kind = classify(*static_cast<QKeyEvent*>(event));
        if (kind == KeyKind::Passes) return false;
        emit characterTyped();
        return kind == KeyKind::Dropped;
    }
    if (event->type() == QEvent::InputMethod) {
        // Characters from an input method (full-width digits among them) are filtered one by one.
        auto* im = static_cast<QInputMethodEvent*>(event);
        const QString commit = im->commitString();
        if (commit.isEmpty()) return false;
        QString kept;
        for (const QChar c : commit) {
            if (isAsciiDigit(c)) kept.append(c);
        }
        emit characterTyped();
        if (kept != commit) {
            im->setCommitString(kept, im->replacementStart(), im->replacementLength());
        }
        return false;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pw::split
