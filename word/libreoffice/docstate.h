#pragma once

// What the backend holds of one open document, handed to each of the files that work on it.

#include <memory>
#include <vector>

#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>

#include "word/documentengine.h"
#include "word/libreoffice/session.h"
#include "word/libreoffice/spancopy.h"

namespace pw::word::lo {

struct DocState {
    DocState(std::shared_ptr<Session> session, Reference<css::frame::XModel> model,
             QString fullName);

    std::shared_ptr<Session> session;
    Reference<css::frame::XModel> model;
    Reference<css::text::XTextDocument> text;
    Reference<css::text::XText> body;
    Reference<css::frame::XController> controller;
    Reference<css::text::XTextViewCursor> view;
    QString fullName;
    bool recordsChanges = false;                    // as the file was loaded
    bool layoutHeld = false;                        // controllers locked while files are appended
    bool placedTablesSettled = false;               // see keepPlacedTablesInText
    rtl::OUString firstPageShared;                  // see keepStartPage
    std::vector<rtl::OUString> cutMarks;            // the bookmarks set at the ends of spans to cut
    std::vector<std::weak_ptr<SpanPlan>> unmarked;  // spans to cut whose ends are not yet set
    // What was read of the text for copying; stale once the text changes.
    TableNeighbours neighbours;
    HiddenTextShown hidden;
    NoteNumbers notes;
    // The end of the span planned last and its place, which the next span begins at.
    Reference<css::text::XTextRange> lastEnd;
    TablePlace lastEndPlace;

    void textChanged() {
        neighbours.read = false;
        notes.forget();
        lastEnd.clear();
    }
};

struct LoPosition final : Position::Data {
    explicit LoPosition(Reference<css::text::XTextRange> r) : range(std::move(r)) {}
    Reference<css::text::XTextRange> range;
};

// Throws for a position of another backend.
Reference<css::text::XTextRange> rangeOf(const Position& p);
inline Position positionOf(Reference<css::text::XTextRange> range) {
    return Position(std::make_shared<LoPosition>(std::move(range)));
}

}  // namespace pw::word::lo
