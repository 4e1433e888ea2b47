#include "word/libreoffice/lodocument.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <com/sun/star/awt/Point.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/datatransfer/XTransferableSupplier.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/document/XDocumentInsertable.hpp>
#include <com/sun/star/document/XUndoManager.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/drawing/XDrawPageSupplier.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/style/BreakType.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/ControlCharacter.hpp>
#include <com/sun/star/text/XPageCursor.hpp>
#include <com/sun/star/text/XParagraphCursor.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextRangeCompare.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/view/XLineCursor.hpp>
#include <com/sun/star/view/XViewCursor.hpp>
#include <rtl/ref.hxx>

#include "word/libreoffice/interactionhandler.h"
#include "word/libreoffice/numbering.h"
#include "word/libreoffice/pagestarts.h"
#include "word/libreoffice/spancopy.h"
#include "word/libreoffice/textorder.h"
#include "word/libreoffice/typedetection.h"

namespace pw::word::lo {

using css::beans::PropertyValue;
using css::text::XTextRange;
using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::uno::UNO_SET_THROW;

namespace {

struct LoPosition final : Position::Data {
    explicit LoPosition(Reference<XTextRange> r) : range(std::move(r)) {}
    Reference<XTextRange> range;
};

struct LoClip final : Clip::Data {
    explicit LoClip(SpanCopy copy) : span(std::move(copy)) {}
    SpanCopy span;  // its pieces are pasted one after another
};

PropertyValue prop(const char* name, Any value) {
    PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = std::move(value);
    return p;
}

Reference<XTextRange> rangeOf(const Position& p) {
    const auto* d = dynamic_cast<const LoPosition*>(p.data());
    if (!d) throw css::lang::IllegalArgumentException("not a position of this office", {}, 0);
    return d->range;
}

Position positionOf(Reference<XTextRange> range) {
    return Position(std::make_shared<LoPosition>(std::move(range)));
}

struct Format {
    const char* filter;
    const char* options;
    bool exportOnly;
};

Format formatFor(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"doc") return {"MS Word 97", nullptr, false};
    if (ext == u"rtf") return {"Rich Text Format", nullptr, false};
    if (ext == u"odt") return {"writer8", nullptr, false};
    if (ext == u"fodt") return {"OpenDocument Text Flat XML", nullptr, false};
    if (ext == u"pdf") return {"writer_pdf_Export", nullptr, true};
    if (ext == u"txt") return {"Text (encoded)", "UTF8,LF,,", false};
    if (ext == u"htm" || ext == u"html") return {"HTML (StarWriter)", nullptr, false};
    return {"MS Word 2007 XML", nullptr, false};
}

// The import filter to force, where the office's detection would open the file in another
// module than Writer.
const char* importFilterFor(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"htm" || ext == u"html") return "HTML (StarWriter)";
    if (ext == u"txt") return "Text (encoded)";
    return nullptr;
}

Sequence<PropertyValue> loadArguments(const QString& path, bool hidden,
                                      Reference<css::task::XInteractionHandler> handler = {}) {
    if (!handler.is()) handler = new AbortingInteractionHandler;
    std::vector<PropertyValue> args = {
        prop("Hidden", Any(hidden)),
        prop("MacroExecutionMode", Any(css::document::MacroExecMode::NEVER_EXECUTE)),
        prop("UpdateDocMode", Any(css::document::UpdateDocMode::NO_UPDATE)),
        prop("InteractionHandler", Any(handler)),
        prop("Silent", Any(true)),
    };
    if (const char* filter = importFilterFor(path)) {
        args.push_back(prop("FilterName", Any(OUString::createFromAscii(filter))));
        if (QFileInfo(path).suffix().toLower() == u"txt")
            args.push_back(prop("FilterOptions", Any(OUString("UTF8"))));
    }
    return Sequence<PropertyValue>(args.data(), sal_Int32(args.size()));
}

Result<std::unique_ptr<Document>> wrap(const std::shared_ptr<Session>& session,
                                       Reference<css::lang::XComponent> component,
                                       const QString& fullName) {
    Reference<css::text::XTextDocument> text(component, UNO_QUERY);
    if (!text.is()) {
        if (component.is()) {
            (void)session->call(Error::Kind::Failed, [&] {
                Reference<css::util::XCloseable>(component, UNO_QUERY_THROW)->close(true);
            });
        }
        return fail(Error::Kind::OpenFailed, QStringLiteral("not a text document"));
    }
    auto made = session->call(Error::Kind::OpenFailed, [&] {
        return std::make_unique<LoDocument>(
            session, Reference<css::frame::XModel>(component, UNO_QUERY_THROW), fullName);
    });
    if (!made) return pw::unexpected(made.error());
    return std::unique_ptr<Document>(std::move(*made));
}

// A table pasted into an empty document comes with the document's empty paragraph before
// it and a new one after it. The one before goes (its page style moves to the table); the one
// after, which a table at the end must keep, is made as small as a paragraph can be.
void tidyAroundPastedTables(const Reference<css::text::XText>& body, bool first, bool last) {
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    auto isTable = [](const css::uno::Any& e) {
        return Reference<css::text::XTextTable>(e, UNO_QUERY).is();
    };
    auto isEmptyParagraph = [&](const css::uno::Any& e) {
        Reference<XTextRange> p(e, UNO_QUERY);
        return p.is() && !isTable(e) && p->getString().isEmpty();
    };
    // Only the ends matter; the middle of a long part is not walked unless rows end it.
    std::vector<css::uno::Any> head, tail;
    while (items->hasMoreElements()) {
        css::uno::Any e = items->nextElement();
        if (head.size() < 2) head.push_back(e);
        if (!last && head.size() == 2) break;
        tail.push_back(std::move(e));
        if (tail.size() > 2) tail.erase(tail.begin());
    }
    if (last && tail.size() == 2 && isTable(tail[0]) && isEmptyParagraph(tail[1])) {
        Reference<css::beans::XPropertySet> p(tail[1], UNO_QUERY_THROW);
        p->setPropertyValue("CharHeight", Any(1.0f));
        p->setPropertyValue("ParaTopMargin", Any(sal_Int32(0)));
        p->setPropertyValue("ParaBottomMargin", Any(sal_Int32(0)));
    }
    if (first && head.size() == 2 && isEmptyParagraph(head[0]) && isTable(head[1])) {
        Reference<css::beans::XPropertySet> paragraph(head[0], UNO_QUERY_THROW);
        OUString pageStyle;
        paragraph->getPropertyValue("PageStyleName") >>= pageStyle;
        Reference<css::beans::XPropertySet> table(head[1], UNO_QUERY_THROW);
        if (!pageStyle.isEmpty()) table->setPropertyValue("PageDescName", Any(pageStyle));
        Reference<css::lang::XComponent>(head[0], UNO_QUERY_THROW)->dispose();
    }
}

// The part's first page keeps the page style and number its page had in the source: a page
// that was not the first of its section must not show a first-page header, and odd and even
// pages keep their own headers.
void keepStartPage(const Reference<css::text::XText>& body, const SpanCopy& span) {
    if (span.pageStyle.isEmpty()) return;
    Reference<css::container::XEnumeration> items =
        Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)->createEnumeration();
    if (!items->hasMoreElements()) return;
    Reference<css::beans::XPropertySet> first(items->nextElement(), UNO_QUERY_THROW);
    first->setPropertyValue("PageDescName", Any(span.pageStyle));
    if (span.page > 0) first->setPropertyValue("PageNumberOffset", Any(span.page));
}

}  // namespace

Result<std::unique_ptr<Document>> loadDocument(const std::shared_ptr<Session>& session,
                                               const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return fail(Error::Kind::OpenFailed, QStringLiteral("the file does not exist"));
    if (!info.isReadable())
        return fail(Error::Kind::OpenFailed, QStringLiteral("the file cannot be read"));
    const QString absolute = info.absoluteFilePath();
    if (auto kind = requireDocumentFile(session, absolute); !kind)
        return pw::unexpected(kind.error());
    auto component = session->load(Error::Kind::OpenFailed, [&] {
        Reference<css::frame::XComponentLoader> loader(session->desktop(), UNO_QUERY_THROW);
        return Reference<css::lang::XComponent>(loader->loadComponentFromURL(
            fileUrl(absolute), "_blank", 0, loadArguments(absolute, true)));
    });
    if (!component) return pw::unexpected(component.error());
    if (!component->is())
        return fail(Error::Kind::OpenFailed,
                    QStringLiteral("the file is damaged, protected or of an unknown kind"));
    auto doc = wrap(session, *component, absolute);
    if (doc) static_cast<LoDocument&>(**doc).stopRecordingChanges();
    return doc;
}

void LoDocument::stopRecordingChanges() {
    (void)m_session->call(Error::Kind::Failed, [&] {
        Reference<css::beans::XPropertySet> props(m_model, UNO_QUERY_THROW);
        props->getPropertyValue("RecordChanges") >>= m_recordsChanges;
        if (m_recordsChanges) props->setPropertyValue("RecordChanges", Any(false));
    });
}

void LoDocument::setRecordChanges(bool on) {
    Reference<css::beans::XPropertySet>(m_model, UNO_QUERY_THROW)
        ->setPropertyValue("RecordChanges", Any(on));
}

Result<std::unique_ptr<Document>> newDocument(const std::shared_ptr<Session>& session) {
    auto component = session->call(Error::Kind::Failed, [&] {
        Reference<css::frame::XComponentLoader> loader(session->desktop(), UNO_QUERY_THROW);
        return Reference<css::lang::XComponent>(loader->loadComponentFromURL(
            "private:factory/swriter", "_blank", 0, loadArguments({}, true)));
    });
    if (!component) return pw::unexpected(component.error());
    return wrap(session, *component, {});
}

LoDocument::LoDocument(std::shared_ptr<Session> session, Reference<css::frame::XModel> model,
                       QString fullName)
    : m_session(std::move(session)),
      m_model(std::move(model)),
      m_text(m_model, UNO_QUERY_THROW),
      m_body(m_text->getText(), UNO_SET_THROW),
      m_controller(m_model->getCurrentController(), UNO_SET_THROW),
      m_fullName(std::move(fullName)) {
    Reference<css::text::XTextViewCursorSupplier> views(m_controller, UNO_QUERY_THROW);
    m_view.set(views->getViewCursor(), UNO_SET_THROW);
}

LoDocument::~LoDocument() {
    (void)close(SaveChanges::Discard);
}

Status LoDocument::requireOpen() const {
    if (m_closed) return fail(Error::Kind::Failed, QStringLiteral("the document is closed"));
    return {};
}

Status LoDocument::saveAs(const QString& path) {
    if (auto open = requireOpen(); !open) return open;
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const Format format = formatFor(absolute);
    // The office itself may not survive a store the file system refuses, so the folder is
    // tried here first; it must already exist.
    {
        const QString folder = QFileInfo(absolute).absolutePath();
        if (!QFileInfo(folder).isDir())
            return fail(Error::Kind::SaveFailed,
                        QStringLiteral("the folder %1 does not exist").arg(folder));
        QTemporaryFile probe(folder + QStringLiteral("/.pagewright-XXXXXX"));
        if (!probe.open())
            return fail(Error::Kind::SaveFailed,
                        QStringLiteral("the folder %1 cannot be written to").arg(folder));
    }
    auto stored = m_session->call(Error::Kind::SaveFailed, [&] {
        std::vector<PropertyValue> args = {
            prop("FilterName", Any(OUString::createFromAscii(format.filter))),
            prop("Overwrite", Any(true))};
        if (format.options)
            args.push_back(prop("FilterOptions", Any(OUString::createFromAscii(format.options))));
        Reference<css::frame::XStorable> storable(m_model, UNO_QUERY_THROW);
        const Sequence<PropertyValue> seq(args.data(), sal_Int32(args.size()));
        // Stored with the recording setting the file came with; nothing is edited meanwhile.
        if (m_recordsChanges) setRecordChanges(true);
        struct RecordingOff {
            LoDocument& doc;
            ~RecordingOff() {
                if (doc.m_recordsChanges) {
                    try {
                        doc.setRecordChanges(false);
                    } catch (const css::uno::Exception&) {
                    }
                }
            }
        } off{*this};
        if (format.exportOnly)
            storable->storeToURL(fileUrl(absolute), seq);
        else
            storable->storeAsURL(fileUrl(absolute), seq);
    });
    if (!stored) return stored;
    if (!format.exportOnly) {
        m_fullName = absolute;
        m_filter = QString::fromLatin1(format.filter);
    }
    return {};
}

Status LoDocument::save() {
    if (auto open = requireOpen(); !open) return open;
    if (m_fullName.isEmpty())
        return fail(Error::Kind::SaveFailed, QStringLiteral("the document has never been saved"));
    return m_session->call(Error::Kind::SaveFailed, [&] {
        Reference<css::frame::XStorable>(m_model, UNO_QUERY_THROW)->store();
    });
}

Status LoDocument::close(SaveChanges saveChanges) {
    if (m_closed) return {};
    Status saved;
    if (saveChanges == SaveChanges::Save) saved = save();
    m_closed = true;
    auto closed = m_session->call(Error::Kind::Failed, [&] {
        Reference<css::util::XCloseable> closeable(m_model, UNO_QUERY_THROW);
        try {
            closeable->close(true);
        } catch (const css::util::CloseVetoException&) {
            Reference<css::lang::XComponent>(m_model, UNO_QUERY_THROW)->dispose();
        }
    });
    m_view.clear();
    m_controller.clear();
    m_body.clear();
    m_text.clear();
    m_model.clear();
    if (!saved) return saved;
    return closed;
}

Reference<css::beans::XPropertySet> LoDocument::firstPageStyle() {
    Reference<css::text::XTextCursor> cursor = m_body->createTextCursor();
    cursor->gotoStart(false);
    OUString name;
    Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW)
        ->getPropertyValue("PageStyleName") >>= name;
    Reference<css::style::XStyleFamiliesSupplier> families(m_model, UNO_QUERY_THROW);
    Reference<css::container::XNameAccess> pageStyles(
        families->getStyleFamilies()->getByName("PageStyles"), UNO_QUERY_THROW);
    return Reference<css::beans::XPropertySet>(pageStyles->getByName(name), UNO_QUERY_THROW);
}

Result<int> LoDocument::orientation() {
    if (auto open = requireOpen(); !open) return pw::unexpected(open.error());
    return m_session->call(Error::Kind::Failed, [&] {
        bool landscape = false;
        firstPageStyle()->getPropertyValue("IsLandscape") >>= landscape;
        return landscape ? OrientationLandscape : OrientationPortrait;
    });
}

Status LoDocument::setOrientation(int orientation) {
    if (auto open = requireOpen(); !open) return open;
    if (orientation != OrientationPortrait && orientation != OrientationLandscape)
        return fail(Error::Kind::Failed, QStringLiteral("unknown orientation %1").arg(orientation));
    return m_session->call(Error::Kind::Failed, [&] {
        Reference<css::beans::XPropertySet> style = firstPageStyle();
        sal_Int32 width = 0, height = 0;
        style->getPropertyValue("Width") >>= width;
        style->getPropertyValue("Height") >>= height;
        const bool landscape = orientation == OrientationLandscape;
        style->setPropertyValue("IsLandscape", Any(landscape));
        if ((width > height) != landscape) {
            style->setPropertyValue("Width", Any(height));
            style->setPropertyValue("Height", Any(width));
        }
    });
}

Status LoDocument::convertNumbersToText() {
    if (auto open = requireOpen(); !open) return open;
    textChanged();
    return m_session->call(Error::Kind::Failed, [&] { convertListLabelsToText(m_model, m_body); });
}

Status LoDocument::select() {
    if (auto open = requireOpen(); !open) return open;
    return m_selection.wholeStory();
}

Result<int> LoDocument::compare(const Position& a, const Position& b) {
    if (auto open = requireOpen(); !open) return pw::unexpected(open.error());
    return m_session->call(Error::Kind::Failed, [&] {
        return compareTextRanges(m_body, m_view, rangeOf(a), rangeOf(b));
    });
}

Result<QString> LoDocument::characters() {
    if (auto open = requireOpen(); !open) return pw::unexpected(open.error());
    return m_session->call(Error::Kind::Failed, [&] {
        // Paragraphs and table cells as they follow each other, each ended by "\r".
        QString text;
        auto add = [&](const OUString& piece) {
            QString t = toQ(piece);
            t.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
            t.replace(u'\n', u'\r');
            text += t + u'\r';
        };
        Reference<css::container::XEnumeration> items =
            Reference<css::container::XEnumerationAccess>(m_body, UNO_QUERY_THROW)
                ->createEnumeration();
        while (items->hasMoreElements()) {
            const Any item = items->nextElement();
            if (Reference<css::text::XTextTable> table(item, UNO_QUERY); table.is()) {
                for (const OUString& name : table->getCellNames())
                    add(Reference<XTextRange>(table->getCellByName(name), UNO_QUERY_THROW)
                            ->getString());
            } else if (Reference<XTextRange> paragraph(item, UNO_QUERY); paragraph.is()) {
                add(paragraph->getString());
            }
        }
        if (text.isEmpty()) text = QStringLiteral("\r");
        return text;
    });
}

Status LoDocument::undo() {
    if (auto open = requireOpen(); !open) return open;
    textChanged();
    return m_session->call(Error::Kind::Failed, [&] {
        Reference<css::document::XUndoManagerSupplier>(m_model, UNO_QUERY_THROW)
            ->getUndoManager()
            ->undo();
        m_view->gotoStart(false);
    });
}

Result<std::vector<Position>> LoDocument::takePageStartBookmarks(const QString& prefix) {
    if (auto open = requireOpen(); !open) return pw::unexpected(open.error());
    return m_session->call(Error::Kind::Failed, [&] {
        std::vector<Position> starts;
        for (auto& place : takePageStarts(m_model, prefix)) starts.push_back(positionOf(place));
        return starts;
    });
}

class LoRange final : public Range {
public:
    LoRange(LoDocument& doc, SpanPlan plan) : m_doc(doc), m_plan(std::move(plan)) {}

    Result<QString> text() override {
        auto clip = copy();
        if (!clip) return pw::unexpected(clip.error());
        return m_doc.m_session->call(Error::Kind::Failed, [&] {
            const auto* d = static_cast<const LoClip*>(clip->data());
            css::datatransfer::DataFlavor flavor;
            flavor.MimeType = "text/plain;charset=utf-16";
            flavor.HumanPresentableName = "Unformatted text";
            flavor.DataType = cppu::UnoType<OUString>::get();
            QStringList parts;
            for (const auto& piece : d->span.pieces) {
                OUString s;
                if (piece->isDataFlavorSupported(flavor)) piece->getTransferData(flavor) >>= s;
                parts << toQ(s);
            }
            QString text = parts.join(u'\n');
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            text.replace(u'\r', u'\n');
            return text;
        });
    }

    Result<Clip> copy() override {
        if (auto open = m_doc.requireOpen(); !open) return pw::unexpected(open.error());
        return m_doc.m_session->call(Error::Kind::Failed, [&] {
            return Clip(std::make_shared<LoClip>(copySpan(
                m_doc.m_controller, m_doc.m_view, m_doc.m_body, m_plan, m_doc.m_neighbours)));
        });
    }

private:
    LoDocument& m_doc;
    SpanPlan m_plan;
};

Result<std::unique_ptr<Range>> LoDocument::range(const Position& start, const Position& end) {
    if (auto open = requireOpen(); !open) return pw::unexpected(open.error());
    return m_session->call(Error::Kind::Failed, [&] {
        SpanPlan plan = planSpan(m_body, m_view, rangeOf(start), rangeOf(end));
        plan.notes = m_notes.before(m_model, m_body, m_view, plan.start);
        return std::unique_ptr<Range>(new LoRange(*this, std::move(plan)));
    });
}

// --- selection ---

Result<Position> LoSelection::start() {
    if (auto open = m_doc.requireOpen(); !open) return pw::unexpected(open.error());
    return m_doc.m_session->call(Error::Kind::Failed, [&] {
        // The view's start of the document lies inside a table that opens it, where a cursor
        // of the body could not go.
        if (m_wholeStory) m_doc.m_view->gotoStart(false);
        return positionOf(m_doc.m_view->getStart());
    });
}

Result<Position> LoSelection::end() {
    if (auto open = m_doc.requireOpen(); !open) return pw::unexpected(open.error());
    return m_doc.m_session->call(Error::Kind::Failed, [&] {
        if (!m_wholeStory) return positionOf(m_doc.m_view->getEnd());
        Reference<css::text::XTextCursor> at = m_doc.m_body->createTextCursor();
        at->gotoEnd(false);
        return positionOf(Reference<XTextRange>(at.get()));
    });
}

Status LoSelection::collapseToStart() {
    if (auto open = m_doc.requireOpen(); !open) return open;
    const bool whole = std::exchange(m_wholeStory, false);
    return m_doc.m_session->call(Error::Kind::Failed, [&] {
        if (whole)
            m_doc.m_view->gotoStart(false);
        else
            m_doc.m_view->collapseToStart();
    });
}

Status LoSelection::wholeStory() {
    if (auto open = m_doc.requireOpen(); !open) return open;
    // The whole text is held as a flag: a view selection across tables would put the view
    // into table selection, and the body's own start and end serve every later step.
    auto done = m_doc.m_session->call(Error::Kind::Failed, [&] { m_doc.m_view->gotoStart(false); });
    if (done) m_wholeStory = true;
    return done;
}

Status LoSelection::deleteContent() {
    if (auto open = m_doc.requireOpen(); !open) return open;
    m_doc.textChanged();
    const bool whole = std::exchange(m_wholeStory, false);
    return m_doc.m_session->call(Error::Kind::Failed, [&] {
        if (!whole) {
            m_doc.m_view->setString(OUString());
            return;
        }
        const Reference<css::text::XText>& body = m_doc.m_body;
        const Reference<css::uno::XInterface> bodyId(body, UNO_QUERY);
        auto anchoredInBody = [&](const Reference<css::text::XTextContent>& content) {
            if (!content.is()) return false;
            Reference<XTextRange> anchor = content->getAnchor();
            return anchor.is() &&
                   Reference<css::uno::XInterface>(anchor->getText(), UNO_QUERY) == bodyId;
        };
        // Tables, and shapes and frames anchored in the text, go with the text.
        Reference<css::text::XTextTablesSupplier> tables(m_doc.m_model, UNO_QUERY_THROW);
        Reference<css::container::XNameAccess> byName = tables->getTextTables();
        for (const OUString& name : byName->getElementNames()) {
            Reference<css::text::XTextContent> table(byName->getByName(name), UNO_QUERY);
            if (anchoredInBody(table)) body->removeTextContent(table);
        }
        Reference<css::drawing::XDrawPageSupplier> drawPage(m_doc.m_model, UNO_QUERY);  // NOLINT
        if (drawPage.is()) {
            Reference<css::container::XIndexAccess> shapes(drawPage->getDrawPage(),
                                                           UNO_QUERY_THROW);
            for (sal_Int32 i = shapes->getCount() - 1; i >= 0; --i) {
                Reference<css::text::XTextContent> shape(shapes->getByIndex(i), UNO_QUERY);
                try {
                    if (anchoredInBody(shape)) body->removeTextContent(shape);
                } catch (const css::uno::RuntimeException&) {
                    // Page-anchored shapes have no text anchor; they are not part of the text.
                }
            }
        }
        body->setString(OUString());
        // The paragraph left over keeps the first one's list: content pasted into it would
        // be taken into that list, its own lists lost.
        Reference<css::beans::XPropertySet> last(
            Reference<css::container::XEnumerationAccess>(body, UNO_QUERY_THROW)
                ->createEnumeration()
                ->nextElement(),
            UNO_QUERY_THROW);
        last->setPropertyValue("ParaStyleName", Any(OUString("Standard")));
        last->setPropertyValue("NumberingStyleName", Any(OUString()));
        m_doc.m_view->gotoStart(false);
    });
}

Status LoSelection::paste(const Clip& clip) {
    if (auto open = m_doc.requireOpen(); !open) return open;
    m_doc.textChanged();
    const auto* d = dynamic_cast<const LoClip*>(clip.data());
    if (!d) return fail(Error::Kind::Failed, QStringLiteral("nothing was copied"));
    m_wholeStory = false;
    return m_doc.m_session->call(Error::Kind::Failed, [&] {
        Reference<css::datatransfer::XTransferableSupplier> supplier(m_doc.m_controller,
                                                                     UNO_QUERY_THROW);
        // One undo step for the whole paste, pieces and tidying alike.
        Reference<css::document::XUndoManager> undo =
            Reference<css::document::XUndoManagerSupplier>(m_doc.m_model, UNO_QUERY_THROW)
                ->getUndoManager();
        undo->enterUndoContext("paste");
        struct Leave {
            Reference<css::document::XUndoManager>& undo;
            ~Leave() {
                try {
                    undo->leaveUndoContext();
                } catch (const css::uno::Exception&) {
                }
            }
        } leave{undo};
        const bool wasEmpty = m_doc.m_body->getString().isEmpty();
        const auto& pieces = d->span.pieces;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (i > 0) m_doc.m_view->gotoEnd(false);
            supplier->insertTransferable(pieces[i]);
        }
        if (!wasEmpty) return;
        if (d->span.rowsFirst || d->span.rowsLast)
            tidyAroundPastedTables(m_doc.m_body, d->span.rowsFirst, d->span.rowsLast);
        keepStartPage(m_doc.m_body, d->span);
        keepContinuation(m_doc.m_body, d->span);
        NoteNumbers::apply(m_doc.m_model, d->span.notes);
        // Pasted into an empty document, content that ends with its own paragraph end leaves
        // the document's empty paragraph after it, which would spill onto a page of its own.
        Reference<css::text::XTextCursor> cursor = m_doc.m_body->createTextCursor();
        cursor->gotoEnd(false);
        Reference<css::text::XParagraphCursor> paragraph(cursor, UNO_QUERY_THROW);
        if (paragraph->isStartOfParagraph() && cursor->goLeft(1, true) &&
            cursor->getString().getLength() <= 1)
            cursor->setString(OUString());
    });
}

Status LoSelection::endKey() {
    if (auto open = m_doc.requireOpen(); !open) return open;
    m_wholeStory = false;
    return m_doc.m_session->call(Error::Kind::Failed, [&] { m_doc.m_view->gotoEnd(false); });
}

Status LoSelection::insertPageBreak() {
    if (auto open = m_doc.requireOpen(); !open) return open;
    m_doc.textChanged();
    m_wholeStory = false;
    return m_doc.m_session->call(Error::Kind::Failed, [&] {
        Reference<css::text::XText> text = m_doc.m_view->getText();
        Reference<css::text::XTextCursor> cursor =
            text->createTextCursorByRange(m_doc.m_view->getStart());
        Reference<css::text::XParagraphCursor> para(cursor, UNO_QUERY_THROW);
        // An empty paragraph takes the break itself; otherwise the text after the insertion
        // point moves to a new paragraph that begins the new page.
        const bool emptyParagraph = para->isStartOfParagraph() && para->isEndOfParagraph();
        if (!emptyParagraph)
            text->insertControlCharacter(Reference<XTextRange>(cursor.get()),
                                         css::text::ControlCharacter::PARAGRAPH_BREAK, false);
        Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW)
            ->setPropertyValue("BreakType", Any(css::style::BreakType_PAGE_BEFORE));
        m_doc.m_view->gotoRange(cursor->getStart(), false);
    });
}

std::pair<sal_Int32, sal_Int32> LoDocument::contentSize() {
    Reference<css::text::XTextTablesSupplier> tables(m_model, UNO_QUERY_THROW);
    return {m_body->getString().getLength(),
            tables->getTextTables()->getElementNames().getLength()};
}

bool LoDocument::loadsAsText(const QString& path) {
    Reference<css::frame::XComponentLoader> loader(m_session->desktop(), UNO_QUERY_THROW);
    Reference<css::lang::XComponent> probe;
    try {
        probe = loader->loadComponentFromURL(fileUrl(path), "_blank", 0, loadArguments(path, true));
    } catch (const css::lang::IllegalArgumentException&) {
        return false;
    } catch (const css::io::IOException&) {
        return false;
    }
    if (!probe.is()) return false;
    const bool text = Reference<css::text::XTextDocument>(probe, UNO_QUERY).is();
    Reference<css::util::XCloseable>(probe, UNO_QUERY_THROW)->close(true);
    return text;
}

Status LoSelection::insertFile(const QString& path) {
    if (auto open = m_doc.requireOpen(); !open) return open;
    m_doc.textChanged();
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return fail(Error::Kind::OpenFailed,
                    QStringLiteral("the file does not exist or cannot be read"));
    m_wholeStory = false;
    const QString absolute = info.absoluteFilePath();
    if (auto kind = requireDocumentFile(m_doc.m_session, absolute); !kind) return kind;
    return m_doc.m_session->load(Error::Kind::OpenFailed, [&] {
        Reference<css::text::XText> text = m_doc.m_view->getText();
        Reference<css::text::XTextCursor> cursor =
            text->createTextCursorByRange(m_doc.m_view->getStart());
        // The file's text ends its own paragraph: what followed the insertion point stays
        // after it, in a paragraph of its own.
        text->insertControlCharacter(Reference<XTextRange>(cursor.get()),
                                     css::text::ControlCharacter::PARAGRAPH_BREAK, false);
        cursor->goLeft(1, false);
        const auto before = m_doc.contentSize();
        rtl::Reference<AbortingInteractionHandler> handler(new AbortingInteractionHandler);
        Sequence<PropertyValue> args = loadArguments(absolute, true, handler.get());
        Reference<css::document::XDocumentInsertable>(cursor, UNO_QUERY_THROW)
            ->insertDocumentFromURL(fileUrl(absolute), args);
        // The office inserts nothing, and says nothing, for a file it cannot read (a password,
        // damage): when nothing came in, only a file that really loads counts as inserted.
        if (handler->refused() > 0 ||
            (m_doc.contentSize() == before && !m_doc.loadsAsText(absolute)))
            throw css::io::IOException("the file is protected or damaged and was not read", {});
        m_doc.m_view->gotoRange(cursor->getEnd(), false);
    });
}

Result<bool> LoSelection::nextPage() {
    if (auto open = m_doc.requireOpen(); !open) return pw::unexpected(open.error());
    m_wholeStory = false;
    return m_doc.m_session->call(Error::Kind::Failed, [&] {
        Reference<css::text::XPageCursor> pages(m_doc.m_view, UNO_QUERY_THROW);
        const sal_Int16 page = pages->getPage();
        const Reference<XTextRange> here = m_doc.m_view->getStart();
        if (pages->jumpToNextPage() && pages->getPage() != page) {
            pages->jumpToStartOfPage();
            return true;
        }
        m_doc.m_view->gotoRange(here, false);  // the last page: stay put
        return false;
    });
}

}  // namespace pw::word::lo
