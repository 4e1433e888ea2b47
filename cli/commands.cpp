#include "cli/commands.h"

#include <cstdio>

#include <QElapsedTimer>
#include <QJsonDocument>

#include "cli/cliprompts.h"
#include "cli/console.h"
#include "cli/helptexts.h"
#include "cli/runsummary.h"
#include "merge/mergerun.h"
#include "shell/platform.h"
#include "split/splitrun.h"

namespace pw::cli {

namespace {

void printJson(const QJsonObject& summary) {
    const QByteArray text = QJsonDocument(summary).toJson(QJsonDocument::Indented);
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    std::fflush(stdout);
}

FlagAnswers answersOf(const CommandLine& command) {
    return {command.createFolder, command.overwrite};
}

}  // namespace

int runSplitCommand(const CommandLine& command, Console& console,
                    word::ApplicationFactory& office) {
    QElapsedTimer clock;
    clock.start();
    Prompts prompts(console, answersOf(command), &platform::InterruptWatch::requested);
    const split::SplitResult result = split::runSplit(command.split, prompts, office);
    if (result.refusal) prompts.noteRefusal(*result.refusal);
    const int status = exitStatus(result, platform::InterruptWatch::signalNumber());
    // The window ends a run of every 0 pages without a word; a script needs one.
    if (result.outcome == split::SplitResult::Outcome::Refused && !prompts.spoke())
        console.lines(ProgramName + QStringLiteral(": nothing to split: the page count is 0"));
    if (result.outcome == split::SplitResult::Outcome::Cancelled)
        console.lines(ProgramName +
                      QStringLiteral(": interrupted; %1 file(s) made").arg(result.written.size()));
    if (command.json) printJson(summary(result, status, double(clock.elapsed()) / 1000.0));
    return status;
}

int runMergeCommand(const CommandLine& command, Console& console,
                    word::ApplicationFactory& office) {
    QElapsedTimer clock;
    clock.start();
    Prompts prompts(console, answersOf(command), &platform::InterruptWatch::requested);
    const merge::MergeResult result = merge::runMerge(command.merge, prompts, office);
    if (result.refusal) prompts.noteRefusal(*result.refusal, command.merge.targetText);
    const int status = exitStatus(result, platform::InterruptWatch::signalNumber());
    if (result.outcome == merge::MergeResult::Outcome::Cancelled)
        console.lines(ProgramName + QStringLiteral(": interrupted; %1 document(s) merged into %2")
                                        .arg(result.merged.size())
                                        .arg(result.target));
    if (command.json) printJson(summary(result, status, double(clock.elapsed()) / 1000.0));
    return status;
}

}  // namespace pw::cli
