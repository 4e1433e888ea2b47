#pragma once

#include <QString>

#include "word/expected.h"

namespace pw::word {

// The one error type that leaves the document engine; no backend exception crosses it.
struct Error {
    enum class Kind {
        NotInstalled,  // no office program was found
        StartFailed,   // the office did not start or did not answer in time
        OfficeDead,    // the office process has gone (crashed, killed, quit)
        Timeout,       // a call took longer than its deadline; the office was stopped
        OpenFailed,    // a document could not be loaded (missing, damaged, protected)
        Password,      // a document could not be loaded without its password
        NotDocument,   // the file is no word-processing document (junk, text under a Word name)
        SaveFailed,    // a document could not be written
        Failed,        // any other refused operation
    };
    Kind kind = Kind::Failed;
    QString message;
};

template <class T>
using Result = Expected<T, Error>;
using Status = Expected<void, Error>;

inline Unexpected<Error> fail(Error::Kind kind, QString message) {
    return {Error{kind, std::move(message)}};
}

}  // namespace pw::word
