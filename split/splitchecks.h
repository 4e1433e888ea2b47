#pragma once

// The checks made before the office starts: the first that fails refuses the run. They ask their
// questions through the prompts and show nothing themselves.

#include <optional>

#include "split/partnaming.h"
#include "split/partplan.h"
#include "split/splitrequest.h"

namespace pw::split {

// What the run works with once its request has passed the checks.
struct SplitSettings {
    QStringList documents;
    SplitMode mode = SplitMode::EveryNPages;
    int count = 1;  // N of the split mode, at least 1
    NamingRule naming;
    bool ownFolder = true;  // each part beside its source
    QString outDir;         // ends with the separator when !ownFolder
    Pagination pagination = Pagination::Auto;
};

// A count as typed: empty, not a whole number in 0..2^31-1, or its value.
struct CountText {
    enum class State { Empty, Invalid, Value } state = State::Empty;
    int value = 0;
};
CountText readCount(const QString& text);

struct CheckedRequest {
    std::optional<SplitSettings> settings;  // or else refusal says why not
    SplitRefusal refusal;
    QString outDirText;  // as SplitResult::outDirText
};

// May create the output folder, as the user agreed.
CheckedRequest checkRequest(const SplitRequest& request, UserPrompts& prompts);

// Whether a file can be made in folder (ending with the separator): a probe file tells what
// rights alone do not (a read-only disk, the superuser).
bool canWriteIn(const QString& folder);

}  // namespace pw::split
