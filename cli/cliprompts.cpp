#include "cli/cliprompts.h"

#include "cli/console.h"
#include "cli/helptexts.h"
#include "merge/mergetexts.h"
#include "split/splitmessages.h"

namespace pw::cli {

Dialogue::Dialogue(Console& console, FlagAnswers answers, std::function<bool()> interrupted)
    : m_console(console), m_answers(answers), m_interrupted(std::move(interrupted)) {}

void Dialogue::message(const QString& text) {
    m_spoke = true;
    m_console.lines(text);
}

bool Dialogue::askYesNo(const QString& text, bool defaultNo) {
    m_spoke = true;
    m_console.lines(text);
    QString flag;
    bool answer = !defaultNo;
    if (text == split::msg::CreateOutDir) {
        flag = QStringLiteral("--create-folder");
        answer = m_answers.createFolder;
    } else if (text == merge::texts::overwriteTarget()) {
        flag = QStringLiteral("--overwrite");
        answer = m_answers.overwrite;
    }
    if (flag.isEmpty())
        m_console.lines(ProgramName + (answer ? QStringLiteral(": answered Yes")
                                              : QStringLiteral(": answered No")));
    else if (answer)
        m_console.lines(ProgramName + QStringLiteral(": answered Yes (%1)").arg(flag));
    else
        m_console.lines(ProgramName +
                        QStringLiteral(": answered No; add %1 to answer Yes").arg(flag));
    return answer;
}

void Dialogue::note(const QString& text) {
    m_spoke = true;
    m_console.lines(ProgramName + QStringLiteral(": ") + text);
}

void Dialogue::progress(const QString& text) {
    if (!text.isEmpty()) m_console.progress(text);
}

void SplitPrompts::focusField(split::SplitField field, bool) {
    switch (field) {
        case split::SplitField::Pages:
            m_dialogue.note(
                QStringLiteral("give a page count of 1 or more with --every N, or --into N"));
            break;
        case split::SplitField::NewDocs:
            m_dialogue.note(QStringLiteral("give a count of 1 or more with --into N"));
            break;
        case split::SplitField::FirstWords:
            m_dialogue.note(QStringLiteral("give a count of 1 or more with --name chars=N"));
            break;
        case split::SplitField::OutDir:
            // The question or message before it has said what to change.
            break;
    }
}

void SplitPrompts::browseOutDir() {
    m_dialogue.note(QStringLiteral("add --out DIR"));
}

void SplitPrompts::progress(const split::SplitProgress& p) {
    m_dialogue.progress(progressLine(p));
}

void MergePrompts::runTargetDialog() {
    if (m_target.trimmed().isEmpty())
        m_dialogue.note(QStringLiteral("add --target FILE"));
    else
        m_dialogue.note(QStringLiteral("--target names a folder; give the file in it, as in "
                                       "--target %1merged.docx")
                            .arg(m_target.trimmed()));
}

void MergePrompts::progress(const merge::MergeProgress& p) {
    m_dialogue.progress(progressLine(p));
}

QString progressLine(const split::SplitProgress& p) {
    const QString document =
        QStringLiteral("document %1/%2").arg(p.documentIndex + 1).arg(p.documentCount);
    if (p.partIndex == 0) {
        // The run reports a document twice: as it starts, and once its parts are planned.
        if (p.partCount > 0) return {};
        return document + QStringLiteral(": ") + p.document;
    }
    const QString part = QStringLiteral(", part %1/%2: ").arg(p.partIndex).arg(p.partCount);
    return document + part + (p.written.isEmpty() ? QStringLiteral("not made") : p.written);
}

QString progressLine(const merge::MergeProgress& p) {
    return QStringLiteral("document %1/%2: %3").arg(p.index + 1).arg(p.count).arg(p.document);
}

}  // namespace pw::cli
