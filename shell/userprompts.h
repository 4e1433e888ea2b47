#pragma once

// What an engine may ask of the person at the screen: a message, a Yes/No question, how far the
// work has come, and whether to stop. The windows answer with message boxes, the command line
// with its flags, the tests with a script.

#include <QString>

namespace pw {

enum class MessageIcon { Information, Question, Exclamation };

// A Yes/No question with the question icon. The command line answers each kind by its flag.
struct Question {
    enum class Kind { CreateFolder, OverwriteTarget };
    Kind kind = Kind::CreateFolder;
    QString text;
    bool defaultNo = false;  // No is the default button
    QString path;            // the folder or file asked about
};

struct Progress {
    // WorkBegins and WorkEnds bracket the time the window is busy; WorkEnds comes before the
    // completion message.
    enum class Stage { WorkBegins, Step, WorkEnds };
    Stage stage = Stage::Step;
    int documentIndex = 0;  // 0-based
    int documentCount = 0;
    QString document;
    int partIndex = 0;  // a split's part, 1-based; 0 when a document starts
    int partCount = 0;  // a split's parts of this document, once planned
    QString written;    // the part just written, when one was saved

    static Progress at(Stage stage) {
        Progress p;
        p.stage = stage;
        return p;
    }
    static Progress step(int documentIndex, int documentCount, const QString& document) {
        Progress p;
        p.documentIndex = documentIndex;
        p.documentCount = documentCount;
        p.document = document;
        return p;
    }
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A message with an OK button, captioned with the application title.
    virtual void message(const QString& text, MessageIcon icon) = 0;
    // True for Yes.
    virtual bool ask(const Question& question) = 0;
    virtual void progress(const Progress&) {}
    // Polled between steps; true ends the work at the next point where it can stop.
    virtual bool cancelRequested() { return false; }
};

// Tells the prompts the work has begun, and that it has ended on every way out.
class WorkScope {
public:
    explicit WorkScope(UserPrompts& prompts) : m_prompts(prompts) {
        m_prompts.progress(Progress::at(Progress::Stage::WorkBegins));
    }
    ~WorkScope() { end(); }
    WorkScope(const WorkScope&) = delete;
    WorkScope& operator=(const WorkScope&) = delete;
    void end() {
        if (m_ended) return;
        m_ended = true;
        m_prompts.progress(Progress::at(Progress::Stage::WorkEnds));
    }

private:
    UserPrompts& m_prompts;
    bool m_ended = false;
};

}  // namespace pw
