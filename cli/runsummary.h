#pragma once

// How a run ended, as an exit status and as the --json summary.

#include <QJsonObject>

#include "merge/mergerequest.h"
#include "split/splitrequest.h"

namespace pw::cli {

namespace exitstatus {
inline constexpr int Made = 0;      // everything asked for was made
inline constexpr int Failures = 1;  // the run went through, something listed as failed
inline constexpr int Refused = 2;   // a check refused the input; nothing started
inline constexpr int NoOffice = 3;  // the office could not be started
// An interrupted run ends with 128 + the signal's number, as the shell reports a killed one.
int interrupted(int signal);
}  // namespace exitstatus

int exitStatus(const split::SplitResult& result, int signal);
int exitStatus(const merge::MergeResult& result, int signal);

QJsonObject summary(const split::SplitResult& result, int exitStatus, double seconds);
QJsonObject summary(const merge::MergeResult& result, int exitStatus, double seconds);

}  // namespace pw::cli
