#pragma once

// What the split run is asked to do, and what it asks of its caller: the split window fills the
// request from its controls and answers the prompts; the command line does the same from flags.

#include <QList>
#include <QString>
#include <QStringList>

#include "shell/userprompts.h"

namespace pw::split {

// Whose pages a document is cut at: Word's own, as a .docx saved by Word records them, or the
// office's layout. Auto takes Word's where the file records them completely.
enum class Pagination { Auto, Word, Office };

struct SplitRequest {
    QStringList documents;                          // LstFiles, index 0 first
    int splitMode = 0;                              // OptSplit: 0 every N pages, 1 into N documents
    QString pagesText;                              // txtPages
    QString newDocsText;                            // txtNewDocs
    int namingMode = 1;                             // OptNewDocName: 0 to 4
    QString firstWordsText = QStringLiteral("20");  // txtFirstWords
    QString maskLengthText = QStringLiteral("2");   // the item shown in CmbNewNameMaskLength
    int outDirMode = 0;  // OptOutDir: 0 the source's folder, 1 outDirText
    QString outDirText;  // txtOutDir
    Pagination pagination = Pagination::Auto;
};

// The text boxes the run may focus.
enum class SplitField { Pages, NewDocs, FirstWords, OutDir };

struct SplitProgress {
    int documentIndex = 0;  // 0-based
    int documentCount = 0;
    QString document;
    int partIndex = 0;  // 1-based; 0 when a document starts
    int partCount = 0;
    QString written;  // the file just written, when a part was saved
};

class SplitPrompts : public UserPrompts {
public:
    // The box's whole text as it now stands (the run appends a separator to txtOutDir).
    virtual void setOutDirText(const QString& text) = 0;
    virtual QString outDirText() const = 0;
    // Focus the box; with selectAll its whole text is selected.
    virtual void focusField(SplitField field, bool selectAll) = 0;
    // Runs the output-folder browse, as pressing CmdOutDir does.
    virtual void browseOutDir() = 0;
    // CmdOp disabled and the wait cursor while busy.
    virtual void setBusy(bool busy) = 0;
    virtual void progress(const SplitProgress&) {}
    // Polled between parts; true ends the run after the current part.
    virtual bool cancelRequested() { return false; }
};

struct SplitFailure {
    QString source;
    int part = 0;    // 0 when the whole document failed
    QString target;  // the file that was not made, when known
    QString reason;
    QString detail;  // the office's own words, when it gave any
};

// Where a run's time went, in milliseconds, summed over all documents and parts.
struct SplitTimings {
    qint64 officeStart = 0;  // start and options
    qint64 blankCopy = 0;    // open, empty and store of the blank copies
    qint64 openSource = 0;   // the opening that is cut, numbers turned into text
    qint64 pageMap = 0;
    qint64 copy = 0;       // the part's range copied
    qint64 openBlank = 0;  // each fresh opening of the blank copy
    qint64 paste = 0;
    qint64 save = 0;  // naming and store
    qint64 close = 0;
    qint64 quit = 0;
    qint64 total = 0;
    int parts = 0;
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
    SplitTimings timings;
};

}  // namespace pw::split
