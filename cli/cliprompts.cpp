#include "cli/cliprompts.h"

#include "cli/console.h"
#include "cli/helptexts.h"

namespace pw::cli {

Prompts::Prompts(Console& console, FlagAnswers answers, std::function<bool()> interrupted)
    : m_console(console), m_answers(answers), m_interrupted(std::move(interrupted)) {}

void Prompts::message(const QString& text, MessageIcon) {
    m_spoke = true;
    m_console.lines(text);
}

bool Prompts::ask(const Question& question) {
    m_spoke = true;
    m_console.lines(question.text);
    const bool create = question.kind == Question::Kind::CreateFolder;
    const QString flag = create ? QStringLiteral("--create-folder") : QStringLiteral("--overwrite");
    const bool answer = create ? m_answers.createFolder : m_answers.overwrite;
    if (answer)
        m_console.lines(ProgramName + QStringLiteral(": answered Yes (%1)").arg(flag));
    else
        m_console.lines(ProgramName +
                        QStringLiteral(": answered No; add %1 to answer Yes").arg(flag));
    return answer;
}

void Prompts::progress(const Progress& p) {
    const QString line = progressLine(p);
    if (!line.isEmpty()) m_console.progress(line);
}

void Prompts::note(const QString& text) {
    m_spoke = true;
    m_console.lines(ProgramName + QStringLiteral(": ") + text);
}

void Prompts::noteRefusal(const split::SplitRefusal& refusal) {
    switch (refusal.field) {
        case split::SplitField::Pages:
            note(QStringLiteral("give a page count of 1 or more with --every N, or --into N"));
            break;
        case split::SplitField::NewDocs:
            note(QStringLiteral("give a count of 1 or more with --into N"));
            break;
        case split::SplitField::FirstWords:
            note(QStringLiteral("give a count of 1 or more with --name chars=N"));
            break;
        case split::SplitField::OutDir:
            // Otherwise the question or message before it has said what to change.
            if (refusal.browse) note(QStringLiteral("add --out DIR"));
            break;
        case split::SplitField::None:
            break;
    }
}

void Prompts::noteRefusal(const merge::MergeRefusal& refusal, const QString& targetText) {
    if (!refusal.browse) return;
    if (targetText.trimmed().isEmpty())
        note(QStringLiteral("add --target FILE"));
    else
        note(QStringLiteral("--target names a folder; give the file in it, as in "
                            "--target %1merged.docx")
                 .arg(targetText.trimmed()));
}

QString progressLine(const Progress& p) {
    if (p.stage != Progress::Stage::Step) return {};
    const QString document =
        QStringLiteral("document %1/%2").arg(p.documentIndex + 1).arg(p.documentCount);
    if (p.partIndex == 0) {
        // A split reports a document twice: as it starts, and once its parts are planned.
        if (p.partCount > 0) return {};
        return document + QStringLiteral(": ") + p.document;
    }
    const QString part = QStringLiteral(", part %1/%2: ").arg(p.partIndex).arg(p.partCount);
    return document + part + (p.written.isEmpty() ? QStringLiteral("not made") : p.written);
}

}  // namespace pw::cli
