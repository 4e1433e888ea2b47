#pragma once

// The split run's questions answered from a script, and everything it said kept for checking.

#include <QList>
#include <QString>
#include <QStringList>

#include "split/splitrequest.h"

namespace pw::test {

class ScriptedPrompts final : public split::SplitPrompts {
public:
    struct Message {
        QString text;
        MessageIcon icon;
    };
    struct Focus {
        split::SplitField field;
        bool selectAll;
    };

    QList<Message> messages;
    QStringList questions;
    QList<bool> answers;  // taken in order; No when they run out
    QList<Focus> focus;
    QString outDir;
    int browses = 0;
    QList<bool> busy;
    QList<split::SplitProgress> progressSeen;
    int cancelAfterParts = -1;  // cancelRequested() true once this many parts were reported

    void message(const QString& text, MessageIcon icon) override { messages.append({text, icon}); }
    bool askYesNo(const QString& text, bool) override {
        questions.append(text);
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void setOutDirText(const QString& text) override { outDir = text; }
    QString outDirText() const override { return outDir; }
    void focusField(split::SplitField field, bool selectAll) override {
        focus.append({field, selectAll});
    }
    void browseOutDir() override { ++browses; }
    void setBusy(bool on) override { busy.append(on); }
    void progress(const split::SplitProgress& p) override { progressSeen.append(p); }
    bool cancelRequested() override {
        if (cancelAfterParts < 0) return false;
        int parts = 0;
        for (const auto& p : progressSeen) parts += p.partIndex > 0 ? 1 : 0;
        return parts >= cancelAfterParts;
    }
};

}  // namespace pw::test
