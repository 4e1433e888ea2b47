#pragma once

// The document engine: the few operations of a word processor's automation model that the
// split and merge need, behind an interface so that the engines can run on any backend (the
// LibreOffice one in word/libreoffice, or a fake in the tests).

#include <memory>
#include <vector>

#include <QString>

#include "word/error.h"

namespace pw::word {

// The proofing options that are switched off right after the office starts.
enum class Option {
    CheckGrammarAsYouType,
    CheckGrammarWithSpelling,
    SaveNormalPrompt,
    SuggestSpellingCorrections,
    CheckSpellingAsYouType,
};

enum class SaveChanges { Omitted, Save, Discard };

// Page orientation values, as whole numbers.
inline constexpr int OrientationPortrait = 0;
inline constexpr int OrientationLandscape = 1;

// A place in a document's main text. What it holds is the backend's business; positions of one
// document are ordered with Document::compare.
class Position {
public:
    struct Data {
        virtual ~Data() = default;
    };
    Position() = default;
    explicit Position(std::shared_ptr<const Data> data) : m_data(std::move(data)) {}
    bool isNull() const { return !m_data; }
    const Data* data() const { return m_data.get(); }

private:
    std::shared_ptr<const Data> m_data;
};

// Copied content, held by the office itself (never the system clipboard).
class Clip {
public:
    struct Data {
        virtual ~Data() = default;
    };
    Clip() = default;
    explicit Clip(std::shared_ptr<const Data> data) : m_data(std::move(data)) {}
    bool isNull() const { return !m_data; }
    const Data* data() const { return m_data.get(); }

private:
    std::shared_ptr<const Data> m_data;
};

// A span of a document's main text.
class Range {
public:
    virtual ~Range() = default;
    virtual Result<QString> text() = 0;  // paragraphs separated by "\n"
    virtual Result<Clip> copy() = 0;
};

// The insertion point or selection of one open document.
class Selection {
public:
    virtual ~Selection() = default;
    virtual Result<Position> start() = 0;
    virtual Result<Position> end() = 0;
    virtual Status collapseToStart() = 0;
    virtual Status wholeStory() = 0;
    // Deletes what is selected; after wholeStory() this empties the main text, tables included.
    virtual Status deleteContent() = 0;
    virtual Status paste(const Clip& clip) = 0;
    virtual Status endKey() = 0;  // to the end of the document
    virtual Status insertPageBreak() = 0;
    // The whole file (.doc, .docx, .rtf, .htm, .html, .txt) at the insertion point.
    virtual Status insertFile(const QString& path) = 0;
    // Moves to the start of the next page of the office's layout and says true; stays put on
    // the last page and says false.
    virtual Result<bool> nextPage() = 0;
};

class Document {
public:
    virtual ~Document() = default;  // an open document is closed without saving

    // Stores under path, in the format its extension names (.docx, .doc, .rtf, .odt, .pdf,
    // .txt, .htm/.html; anything else is stored as .docx). The document then lives there.
    virtual Status saveAs(const QString& path) = 0;
    // Stores again where the document lives, in the same format.
    virtual Status save() = 0;
    virtual Status close(SaveChanges saveChanges = SaveChanges::Omitted) = 0;
    virtual QString fullName() const = 0;

    // The orientation of the page style in effect at the start of the document.
    virtual Result<int> orientation() = 0;
    virtual Status setOrientation(int orientation) = 0;

    // Every automatic list label becomes literal text, in the body and in tables.
    virtual Status convertNumbersToText() = 0;

    virtual Status select() = 0;  // the whole main text becomes the selection
    virtual Selection& selection() = 0;
    // Where the range's pages begin and how they are styled is read when the range is made:
    // a range made before list numbers are written out keeps the pages as they were laid out.
    virtual Result<std::unique_ptr<Range>> range(const Position& start, const Position& end) = 0;
    // Negative when a comes before b, 0 when they are the same place, positive after.
    virtual Result<int> compare(const Position& a, const Position& b) = 0;

    // Takes back the last paste, leaving the document as it was before it. Engines without an
    // undo history say so with an error.
    virtual Status undo() {
        return fail(Error::Kind::Failed, QStringLiteral("this document keeps no undo history"));
    }

    // The main text, each paragraph ended by "\r" as a word processor counts its characters.
    virtual Result<QString> characters() = 0;

    // Where the bookmarks named prefix followed by 1, 2, ... stand, in the order of their
    // numbers, as starts of pages: one in a table stands for the start of its row. Every
    // bookmark whose name begins with prefix is removed, so that nothing copied afterwards
    // carries them. Engines without bookmarks say so with an error.
    virtual Result<std::vector<Position>> takePageStartBookmarks(const QString& prefix) {
        (void)prefix;
        return fail(Error::Kind::Failed, QStringLiteral("this document keeps no bookmarks"));
    }
};

class Application {
public:
    virtual ~Application() = default;  // quits the office if quit() was not called

    virtual Status setOption(Option option, bool value) = 0;
    virtual Status setDisplayAlerts(int level) = 0;

    virtual Result<std::unique_ptr<Document>> open(const QString& path) = 0;
    virtual Result<std::unique_ptr<Document>> add() = 0;  // a new blank document

    virtual Status quit() = 0;
    virtual bool isAlive() = 0;
};

// Starts applications; the engines get one so that tests can hand them a fake.
class ApplicationFactory {
public:
    virtual ~ApplicationFactory() = default;
    virtual Result<std::unique_ptr<Application>> create() = 0;
};

}  // namespace pw::word
