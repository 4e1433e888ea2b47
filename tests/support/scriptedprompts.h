#pragma once

// An engine's questions answered from a script, and everything it said kept for checking.

#include <functional>

#include <QStringList>

#include "shell/userprompts.h"

namespace pw::test {

class ScriptedPrompts final : public UserPrompts {
public:
    ScriptedPrompts() = default;
    // Also logs "message", "ask", "busy" and "idle" to events, in order.
    explicit ScriptedPrompts(QStringList& events) : m_events(&events) {}

    void message(const QString& text, MessageIcon icon) override {
        messages.append(text);
        icons.append(icon);
        log(QStringLiteral("message"));
    }
    bool ask(const Question& q) override {
        questions.append(q);
        log(QStringLiteral("ask"));
        return answer;
    }
    void progress(const Progress& p) override {
        if (p.stage != Progress::Stage::Step) {
            busy.append(p.stage == Progress::Stage::WorkBegins);
            log(busy.last() ? QStringLiteral("busy") : QStringLiteral("idle"));
            return;
        }
        steps.append(p);
        if (onProgress) onProgress(p);
    }
    bool cancelRequested() override { return cancelWhen && cancelWhen(); }

    bool answer = false;
    std::function<void(const Progress&)> onProgress;
    std::function<bool()> cancelWhen;

    QStringList messages;
    QList<MessageIcon> icons;
    QList<Question> questions;
    QList<bool> busy;  // true as the work begins, false as it ends
    QList<Progress> steps;

private:
    void log(const QString& event) {
        if (m_events) m_events->append(event);
    }
    QStringList* m_events = nullptr;
};

}  // namespace pw::test
