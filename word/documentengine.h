#pragma once

// The office as the split and merge use it: open a document hidden, find where its pages
// begin, copy a span of it, empty a document and paste into it, append a file, store it. The
// LibreOffice backend lives in word/libreoffice; the tests use a fake.

#include <memory>
#include <vector>

#include <QString>

#include "word/error.h"

namespace pw::word {

// Page orientation values, as whole numbers.
inline constexpr int OrientationPortrait = 0;
inline constexpr int OrientationLandscape = 1;

// A value the backend hands out and takes back; what it holds is the backend's business.
template <class Tag>
class Handle {
public:
    struct Data {
        virtual ~Data() = default;
    };
    Handle() = default;
    explicit Handle(std::shared_ptr<const Data> data) : m_data(std::move(data)) {}
    bool isNull() const { return !m_data; }
    const Data* data() const { return m_data.get(); }

private:
    std::shared_ptr<const Data> m_data;
};

// A place in a document's main text.
using Position = Handle<struct PositionTag>;
// A span of a document's main text, chosen but not yet copied.
using Range = Handle<struct RangeTag>;
// Copied content, held by the office itself (never the system clipboard).
using Clip = Handle<struct ClipTag>;

// Where the pages of a document's main text begin, in order, the first at the text's start;
// end is the end of the text.
struct PageStarts {
    std::vector<Position> starts;
    Position end;
};

class Document {
public:
    virtual ~Document() = default;  // an open document is closed without saving

    // Stores under path, in the format its extension names (.docx, .doc, .rtf, .odt, .pdf,
    // .txt, .htm/.html; anything else is stored as .docx). The document then lives there.
    virtual Status saveAs(const QString& path) = 0;
    // Stores again where the document lives, in the same format.
    virtual Status save() = 0;

    // The orientation of the page style in effect at the start of the document.
    virtual Result<int> orientation() = 0;
    virtual Status setOrientation(int orientation) = 0;
    // Every automatic list label becomes literal text, in the body and in tables.
    virtual Status convertNumbersToText() = 0;

    // Where the pages begin. With an empty prefix, as the office lays them out: a page on
    // which no new text begins (a picture or a row running on) belongs to the page before it.
    // Otherwise at the text's start and at the bookmarks named prefix followed by 1, 2, ..., in
    // the order of their numbers; one in a table stands for the start of its row. Every
    // bookmark whose name begins with prefix is then removed, so that nothing copied afterwards
    // carries them, and the bookmarks must follow one another strictly inside the main text.
    virtual Result<PageStarts> pageStarts(const QString& bookmarkPrefix) = 0;

    // Where the range's pages begin and how they are styled is read when the range is chosen:
    // one chosen before list numbers are written out keeps the pages as they were laid out.
    virtual Result<Range> range(const Position& start, const Position& end) = 0;
    virtual Result<Clip> copy(const Range& range) = 0;
    // Whether the text holds tracked changes. A copy leaves tracked deletions out, so the parts
    // of such a document are cut out of it instead: keepOnly, store, undo.
    virtual Result<bool> hasTrackedChanges() = 0;
    // Removes the main text outside the range, as one step that undo() takes back; the range's
    // first page keeps its style and number. Nothing is left changed when it fails.
    virtual Status keepOnly(const Range& range) = 0;
    // Empties the main text, tables and anchored shapes included.
    virtual Status empty() = 0;
    // At the end of the main text; into an empty document the clip comes with its first
    // page's style and number.
    virtual Status paste(const Clip& clip) = 0;
    // Takes back the last paste or keepOnly, leaving the document as it was before it.
    virtual Status undo() = 0;
    // The main text, each paragraph ended by "\r" as a word processor counts its characters.
    virtual Result<QString> characters() = 0;

    // A page break at the end of the main text, so that what comes next starts a page.
    virtual Status appendPageBreak() = 0;
    // The whole file (.doc, .docx, .rtf, .htm, .html, .txt) at the end of the main text.
    virtual Status appendFile(const QString& path) = 0;
};

// One running office, never visible, with no proofing and no question that could stop a run.
class Application {
public:
    virtual ~Application() = default;  // quits the office

    virtual Result<std::unique_ptr<Document>> open(const QString& path) = 0;
    virtual Result<std::unique_ptr<Document>> add() = 0;  // a new blank document
    virtual bool isAlive() = 0;
};

// Starts offices; the engines get one so that tests can hand them a fake.
class ApplicationFactory {
public:
    virtual ~ApplicationFactory() = default;
    virtual Result<std::unique_ptr<Application>> create() = 0;
};

}  // namespace pw::word
