#pragma once

// The merge's prompts answered by a script; everything the merge asks or shows is written to
// an event list, in order.

#include <functional>

#include <QList>
#include <QStringList>

#include "merge/mergerequest.h"

namespace pw::test {

class ScriptedPrompts final : public merge::MergePrompts {
public:
    explicit ScriptedPrompts(QStringList& events) : m_events(events) {}

    void message(const QString& text, MessageIcon icon) override {
        messages.append(text);
        icons.append(icon);
        m_events.append(QStringLiteral("message"));
    }
    bool askYesNo(const QString& text, bool defaultNo) override {
        questions.append(text);
        askedWithNoDefault = defaultNo;
        m_events.append(QStringLiteral("ask"));
        return answer;
    }
    QString targetText() const override { return target; }
    void setTargetText(const QString& text) override {
        target = text;
        m_events.append(QStringLiteral("setTarget"));
    }
    void runTargetDialog() override {
        ++dialogs;
        m_events.append(QStringLiteral("dialog"));
    }
    void setBusy(bool on) override {
        busy = on;
        m_events.append(on ? QStringLiteral("busy") : QStringLiteral("idle"));
    }
    void setControlsEnabled(bool enabled) override {
        controlsEnabled = enabled;
        m_events.append(enabled ? QStringLiteral("enable") : QStringLiteral("disable"));
    }
    void progress(const merge::MergeProgress& p) override {
        progressed.append(p.index);
        if (onProgress) onProgress(p);
    }
    bool cancelRequested() override { return cancelAfter >= 0 && progressed.size() >= cancelAfter; }

    QString target;
    bool answer = false;
    int cancelAfter = -1;  // passes begun before the cancel button is pressed
    std::function<void(const merge::MergeProgress&)> onProgress;

    QStringList messages;
    QList<MessageIcon> icons;
    QStringList questions;
    bool askedWithNoDefault = false;
    int dialogs = 0;
    bool busy = false;
    bool controlsEnabled = true;
    QList<int> progressed;

private:
    QStringList& m_events;
};

}  // namespace pw::test
