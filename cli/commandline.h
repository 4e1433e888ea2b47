#pragma once

// The command line of pagewright-cli, read into the same requests the windows fill from their
// controls, plus the answers to the questions a window would ask.

#include <QString>
#include <QStringList>

#include "merge/mergerequest.h"
#include "split/splitrequest.h"

namespace pw::cli {

enum class CommandKind { Invalid, Help, Version, Split, Merge };

struct CommandLine {
    CommandKind kind = CommandKind::Invalid;
    QString error;      // what is wrong with an Invalid command line
    QString helpTopic;  // "split", "merge", or empty for the program as a whole
    split::SplitRequest split;
    merge::MergeRequest merge;
    bool createFolder = false;  // Yes to "create the output folder?"
    bool overwrite = false;     // Yes to "overwrite the target?"
    bool json = false;
};

// arguments as main() got them, program name first. Relative paths are taken from workingDir.
CommandLine parseCommandLine(const QStringList& arguments, const QString& workingDir);

}  // namespace pw::cli
