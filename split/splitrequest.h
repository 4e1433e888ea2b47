#pragma once

// What the split run is asked to do and what it reports: the split window fills the request from
// its controls, the command line from its flags.

#include <optional>

#include <QList>
#include <QString>
#include <QStringList>
#include <QThread>

#include "shell/userprompts.h"
#include "split/partnaming.h"
#include "split/partplan.h"

namespace pw::split {

// Whose pages a document is cut at: Word's own, as a .docx saved by Word records them, or the
// office's layout. Auto takes Word's where the file records them completely.
enum class Pagination { Auto, Word, Office };

// Where the parts go.
enum class OutputRule { BesideSource, ChosenFolder };

struct SplitRequest {
    QStringList documents;  // in list order
    SplitMode mode = SplitMode::EveryNPages;
    QString pagesText;    // N of EveryNPages, as typed
    QString newDocsText;  // N of IntoNDocuments, as typed
    NamingMode naming = NamingMode::PartNumber;
    QString firstWordsText = QStringLiteral("20");  // N of FirstCharacters, as typed
    QString maskLengthText = QStringLiteral("2");   // digits of PaddedSequence, as shown
    OutputRule output = OutputRule::BesideSource;
    QString outDirText;  // the chosen folder, as typed
    Pagination pagination = Pagination::Auto;
    // Offices at work at once, each on its own documents; the results are as with one.
    int jobs = QThread::idealThreadCount();
};

// The text boxes a refusal may send the user back to.
enum class SplitField { None, Pages, NewDocs, FirstWords, OutDir };

// A failed check: nothing was started. The message (none for a page count of 0) has been shown;
// the window then focuses the field, or with browse runs the field's browse action.
struct SplitRefusal {
    enum class Check {
        NoDocuments,
        OutDirMissing,
        OutDirDeclined,
        OutDirNotCreated,
        OutDirNotWritable,
        PagesZero,
        PagesMissing,
        PagesInvalid,
        NewDocsMissing,
        NewDocsInvalid,
        FirstWordsMissing,
        FirstWordsInvalid,
        MaskLengthInvalid,
        NoScratchFolder,
    };
    Check check = Check::NoDocuments;
    QString message;
    MessageIcon icon = MessageIcon::Information;
    SplitField field = SplitField::None;
    bool selectAll = false;
    bool browse = false;
};

struct SplitFailure {
    QString source;
    int part = 0;    // 0 when the whole document failed
    QString target;  // the file that was not made, when known
    QString reason;
    QString detail;  // the office's own words, when it gave any
};

struct SourcePages {
    QString source;
    int pages = 0;
    Pagination pagination = Pagination::Office;  // Word or Office: whose pages these are
    bool operator==(const SourcePages&) const = default;
};

struct SplitResult {
    enum class Outcome { Refused, OfficeFailed, Completed, Cancelled };
    Outcome outcome = Outcome::Refused;
    QStringList written;
    QList<SplitFailure> failures;
    QList<SourcePages> pageCounts;  // per source that could be opened
    QString completionMessage;      // as shown to the user, when the run went through
    std::optional<SplitRefusal> refusal;
    // The chosen folder as the run took it, ending with the separator, once its check was
    // reached; the window shows it in its box.
    QString outDirText;
};

}  // namespace pw::split
