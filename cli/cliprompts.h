#pragma once

// What the engines ask, answered without waiting: messages are printed, questions answered by
// their flags, and a refusal that would send the window's user to a field is turned into a note
// on the option to add or change.

#include <functional>

#include <QString>

#include "merge/mergerequest.h"
#include "shell/userprompts.h"
#include "split/splitrequest.h"

namespace pw::cli {

class Console;

// The questions' answers as the flags give them.
struct FlagAnswers {
    bool createFolder = false;
    bool overwrite = false;
};

class Prompts final : public UserPrompts {
public:
    Prompts(Console& console, FlagAnswers answers, std::function<bool()> interrupted);

    void message(const QString& text, MessageIcon icon) override;
    bool ask(const Question& question) override;
    void progress(const Progress& p) override;
    bool cancelRequested() override { return m_interrupted(); }

    // A line of the command line's own: what to add or change, in place of a window's dialog.
    void note(const QString& text);
    void noteRefusal(const split::SplitRefusal& refusal);
    void noteRefusal(const merge::MergeRefusal& refusal, const QString& targetText);
    // Whether the engine said anything at all.
    bool spoke() const { return m_spoke; }

private:
    Console& m_console;
    FlagAnswers m_answers;
    std::function<bool()> m_interrupted;
    bool m_spoke = false;
};

// The progress line of a split or merge step; empty for a report that needs no line.
QString progressLine(const Progress& p);

}  // namespace pw::cli
