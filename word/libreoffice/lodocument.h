#pragma once

#include <memory>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/text/XTextViewCursor.hpp>

#include "word/documentengine.h"
#include "word/libreoffice/session.h"
#include "word/libreoffice/spancopy.h"

namespace pw::word::lo {

class LoDocument;

class LoSelection final : public Selection {
public:
    explicit LoSelection(LoDocument& doc) : m_doc(doc) {}
    Result<Position> start() override;
    Result<Position> end() override;
    Status collapseToStart() override;
    Status wholeStory() override;
    Status deleteContent() override;
    Status paste(const Clip& clip) override;
    Status endKey() override;
    Status insertPageBreak() override;
    Status insertFile(const QString& path) override;
    Result<bool> nextPage() override;

private:
    friend class LoDocument;
    LoDocument& m_doc;
    bool m_wholeStory = false;  // the selection is the whole main text, tables and all
};

class LoDocument final : public Document {
public:
    LoDocument(std::shared_ptr<Session> session, Reference<css::frame::XModel> model,
               QString fullName);
    ~LoDocument() override;

    Status saveAs(const QString& path) override;
    Status save() override;
    Status close(SaveChanges saveChanges) override;
    QString fullName() const override { return m_fullName; }
    Result<int> orientation() override;
    Status setOrientation(int orientation) override;
    Status convertNumbersToText() override;
    Status select() override;
    Selection& selection() override { return m_selection; }
    Result<std::unique_ptr<Range>> range(const Position& start, const Position& end) override;
    Result<int> compare(const Position& a, const Position& b) override;
    Result<QString> characters() override;
    Status undo() override;
    Result<std::vector<Position>> takePageStartBookmarks(const QString& prefix) override;

    // Loaded documents are edited with change recording off, so that emptying one really
    // empties it; stored files keep the setting they came with.
    void stopRecordingChanges();

private:
    friend class LoSelection;
    std::pair<sal_Int32, sal_Int32> contentSize();  // text length and table count of the body
    bool loadsAsText(const QString& path);
    friend class LoRange;
    Status requireOpen() const;
    Reference<css::beans::XPropertySet> firstPageStyle();
    // What was read of the text for copying is stale once the text changes.
    void textChanged() {
        m_neighbours.read = false;
        m_notes.forget();
    }
    void setRecordChanges(bool on);

    std::shared_ptr<Session> m_session;
    Reference<css::frame::XModel> m_model;
    Reference<css::text::XTextDocument> m_text;
    Reference<css::text::XText> m_body;
    Reference<css::frame::XController> m_controller;
    Reference<css::text::XTextViewCursor> m_view;
    LoSelection m_selection{*this};
    QString m_fullName;
    QString m_filter;
    TableNeighbours m_neighbours;
    NoteNumbers m_notes;
    bool m_recordsChanges = false;  // as the file was loaded
    bool m_closed = false;
};

// Opens a document hidden, with no macros, no link updates and no questions.
Result<std::unique_ptr<Document>> loadDocument(const std::shared_ptr<Session>& session,
                                               const QString& path);
Result<std::unique_ptr<Document>> newDocument(const std::shared_ptr<Session>& session);

}  // namespace pw::word::lo
