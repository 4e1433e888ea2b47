#pragma once

// What the engines ask, answered without waiting: messages are printed, questions answered by
// their flags, and a dialog the window would open is reported as the option to add.

#include <functional>

#include <QString>

#include "merge/mergerequest.h"
#include "split/splitrequest.h"

namespace pw::cli {

class Console;

// The questions' answers as the flags give them.
struct FlagAnswers {
    bool createFolder = false;
    bool overwrite = false;
};

// Messages and questions, shared by both commands.
class Dialogue {
public:
    Dialogue(Console& console, FlagAnswers answers, std::function<bool()> interrupted);

    void message(const QString& text);
    bool askYesNo(const QString& text, bool defaultNo);
    // A line of the command line's own: what to add or change, in place of a window's dialog.
    void note(const QString& text);
    void progress(const QString& text);
    bool interrupted() const { return m_interrupted(); }
    // Whether the engine said anything at all.
    bool spoke() const { return m_spoke; }

private:
    Console& m_console;
    FlagAnswers m_answers;
    std::function<bool()> m_interrupted;
    bool m_spoke = false;
};

class SplitPrompts final : public split::SplitPrompts {
public:
    SplitPrompts(Dialogue& dialogue, QString outDirText)
        : m_dialogue(dialogue), m_outDir(std::move(outDirText)) {}

    void message(const QString& text, MessageIcon) override { m_dialogue.message(text); }
    bool askYesNo(const QString& text, bool defaultNo) override {
        return m_dialogue.askYesNo(text, defaultNo);
    }
    void setOutDirText(const QString& text) override { m_outDir = text; }
    QString outDirText() const override { return m_outDir; }
    void focusField(split::SplitField field, bool selectAll) override;
    void browseOutDir() override;
    void setBusy(bool) override {}
    void progress(const split::SplitProgress& p) override;
    bool cancelRequested() override { return m_dialogue.interrupted(); }

private:
    Dialogue& m_dialogue;
    QString m_outDir;
};

class MergePrompts final : public merge::MergePrompts {
public:
    MergePrompts(Dialogue& dialogue, QString targetText)
        : m_dialogue(dialogue), m_target(std::move(targetText)) {}

    void message(const QString& text, MessageIcon) override { m_dialogue.message(text); }
    bool askYesNo(const QString& text, bool defaultNo) override {
        return m_dialogue.askYesNo(text, defaultNo);
    }
    QString targetText() const override { return m_target; }
    void setTargetText(const QString& text) override { m_target = text; }
    void runTargetDialog() override;
    void setBusy(bool) override {}
    void setControlsEnabled(bool) override {}
    void progress(const merge::MergeProgress& p) override;
    bool cancelRequested() override { return m_dialogue.interrupted(); }

private:
    Dialogue& m_dialogue;
    QString m_target;
};

// The progress line of a split or merge step.
QString progressLine(const split::SplitProgress& p);
QString progressLine(const merge::MergeProgress& p);

}  // namespace pw::cli
