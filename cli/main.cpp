// pagewright-cli: the split and the merge from a script or a terminal, through the same engines
// and checks as the windows.

#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "cli/commandline.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/helptexts.h"
#include "cli/runsummary.h"
#include "shell/appinfo.h"
#include "shell/platform.h"
#include "word/libreoffice/libreofficefactory.h"
#include "word/officestop.h"

namespace {

void print(std::FILE* out, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace pw::cli;
    // First of all: every thread started later inherits the blocked signals.
    pw::platform::InterruptWatch::install(
        {&pw::word::abandonOfficeWork, &pw::word::killAllOffices});
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(ProgramName);
    QCoreApplication::setApplicationVersion(pw::AppVersion);

    const CommandLine command =
        parseCommandLine(QCoreApplication::arguments(), QDir::currentPath());
    switch (command.kind) {
        case CommandKind::Help:
            print(stdout, helpText(command.helpTopic));
            return exitstatus::Made;
        case CommandKind::Version:
            print(stdout, versionText());
            return exitstatus::Made;
        case CommandKind::Invalid: {
            const QString help = command.helpTopic.isEmpty()
                                     ? QStringLiteral("--help")
                                     : command.helpTopic + QStringLiteral(" --help");
            print(stderr, ProgramName + QStringLiteral(": ") + command.error + u'\n' +
                              QStringLiteral("Try '%1 %2'.\n").arg(ProgramName, help));
            return exitstatus::Refused;
        }
        case CommandKind::Split:
        case CommandKind::Merge:
            break;
    }
    // Everything the run and its offices write for themselves goes into one folder, which
    // goes at the end, or with the offices when a second signal stops the program.
    QTemporaryDir scratch(QDir::tempPath() + QStringLiteral("/pagewright-cli-XXXXXX"));
    if (scratch.isValid()) {
        qputenv("TMPDIR", QFile::encodeName(scratch.path()));
        pw::platform::InterruptWatch::setScratchFolder(scratch.path());
    }
    Console console = Console::forStandardError();
    // For an office outside the PATH and the usual install folders.
    pw::word::LibreOfficeOptions options;
    options.sofficePath = qEnvironmentVariable("PAGEWRIGHT_SOFFICE");
    pw::word::LibreOfficeFactory office(options);
    return command.kind == CommandKind::Split ? runSplitCommand(command, console, office)
                                              : runMergeCommand(command, console, office);
}
