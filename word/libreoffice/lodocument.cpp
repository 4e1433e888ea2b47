#include "word/libreoffice/lodocument.h"

#include <optional>

#include <QFileInfo>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/text/XTextTable.hpp>
#include <com/sun/star/text/XTextViewCursorSupplier.hpp>

#include "word/libreoffice/carve.h"
#include "word/libreoffice/editing.h"
#include "word/libreoffice/loadstore.h"
#include "word/libreoffice/numbering.h"
#include "word/libreoffice/pagewalk.h"
#include "word/libreoffice/placedtables.h"
#include "word/libreoffice/typedetection.h"

namespace pw::word::lo {

using css::text::XTextRange;
using css::uno::Any;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using css::uno::UNO_SET_THROW;

namespace {

struct LoRange final : Range::Data {
    explicit LoRange(SpanPlan p) : plan(std::make_shared<SpanPlan>(std::move(p))) {}
    std::shared_ptr<SpanPlan> plan;
};

struct LoClip final : Clip::Data {
    explicit LoClip(SpanCopy copy) : span(std::move(copy)) {}
    SpanCopy span;  // its pieces are pasted one after another
};

Reference<css::beans::XPropertySet> firstPageStyle(DocState& doc) {
    Reference<css::text::XTextCursor> cursor = doc.body->createTextCursor();
    cursor->gotoStart(false);
    OUString name;
    Reference<css::beans::XPropertySet>(cursor, UNO_QUERY_THROW)
        ->getPropertyValue("PageStyleName") >>= name;
    return pageStyleNamed(doc.model, name);
}

}  // namespace

Reference<XTextRange> rangeOf(const Position& p) {
    const auto* d = dynamic_cast<const LoPosition*>(p.data());
    if (!d) throw css::lang::IllegalArgumentException("not a position of this office", {}, 0);
    return d->range;
}

DocState::DocState(std::shared_ptr<Session> s, Reference<css::frame::XModel> m, QString name)
    : session(std::move(s)),
      model(std::move(m)),
      text(model, UNO_QUERY_THROW),
      body(text->getText(), UNO_SET_THROW),
      controller(model->getCurrentController(), UNO_SET_THROW),
      fullName(std::move(name)) {
    Reference<css::text::XTextViewCursorSupplier> views(controller, UNO_QUERY_THROW);
    view.set(views->getViewCursor(), UNO_SET_THROW);
}

LoDocument::LoDocument(std::shared_ptr<Session> session, Reference<css::frame::XModel> model,
                       QString fullName)
    : m_doc(std::move(session), std::move(model), std::move(fullName)) {}

LoDocument::~LoDocument() {
    closeDocument(m_doc);
}

template <class F>
auto LoDocument::run(Error::Kind kind, bool changesText, F&& f) -> Result<std::invoke_result_t<F>> {
    releaseLayout();
    if (changesText) m_doc.textChanged();
    return m_doc.session->call(kind, std::forward<F>(f));
}

template <class F>
Status LoDocument::editHeld(F&& f) {
    holdLayout();
    m_doc.textChanged();
    return m_doc.session->call(Error::Kind::Failed, std::forward<F>(f));
}

void LoDocument::holdLayout() {
    if (m_doc.layoutHeld) return;
    if (m_doc.session->call(Error::Kind::Failed, [&] { m_doc.model->lockControllers(); }))
        m_doc.layoutHeld = true;
}

void LoDocument::releaseLayout() {
    if (!m_doc.layoutHeld) return;
    m_doc.layoutHeld = false;
    (void)m_doc.session->call(Error::Kind::Failed, [&] {
        while (m_doc.model->hasControllersLocked()) m_doc.model->unlockControllers();
        // The statistics a store writes (pages, words) are brought up to date by the layout
        // only when the office is idle; asking for them counts them now.
        (void)Reference<css::beans::XPropertySet>(m_doc.model, UNO_QUERY_THROW)
            ->getPropertyValue("WordCount");
    });
}

Status LoDocument::saveAs(const QString& path) {
    releaseLayout();
    return storeAs(m_doc, path);
}

Status LoDocument::save() {
    releaseLayout();
    return store(m_doc);
}

Result<int> LoDocument::orientation() {
    return run(Error::Kind::Failed, false, [&] {
        bool landscape = false;
        firstPageStyle(m_doc)->getPropertyValue("IsLandscape") >>= landscape;
        return landscape ? OrientationLandscape : OrientationPortrait;
    });
}

Status LoDocument::setOrientation(int orientation) {
    if (orientation != OrientationPortrait && orientation != OrientationLandscape)
        return fail(Error::Kind::Failed, QStringLiteral("unknown orientation %1").arg(orientation));
    return run(Error::Kind::Failed, false, [&] {
        Reference<css::beans::XPropertySet> style = firstPageStyle(m_doc);
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
    return run(Error::Kind::Failed, true,
               [&] { convertListLabelsToText(m_doc.model, m_doc.body); });
}

Result<PageStarts> LoDocument::pageStarts(const QString& bookmarkPrefix) {
    if (!bookmarkPrefix.isEmpty())
        return run(Error::Kind::Failed, false,
                   [&] { return bookmarkedPageStarts(m_doc, bookmarkPrefix); });
    std::optional<LayoutWalk> walk;
    if (auto begun = run(Error::Kind::Failed, false, [&] { walk.emplace(m_doc); }); !begun)
        return pw::unexpected(begun.error());
    for (;;) {
        auto more = run(Error::Kind::Failed, false, [&] { return walk->next(); });
        if (!more) return pw::unexpected(more.error());
        if (!*more) return walk->take();
    }
}

Result<Range> LoDocument::range(const Position& start, const Position& end) {
    return run(Error::Kind::Failed, false, [&] {
        if (!m_doc.placedTablesSettled) {
            keepPlacedTablesInText(m_doc);
            m_doc.placedTablesSettled = true;
        }
        const Reference<XTextRange> from = rangeOf(start);
        // Compared as our own references: asking the office whether two are the same is a
        // round trip.
        const bool known = m_doc.lastEnd.is() && m_doc.lastEnd.get() == from.get();
        SpanPlan plan = planSpan(m_doc.body, m_doc.view, from, rangeOf(end),
                                 known ? &m_doc.lastEndPlace : nullptr);
        m_doc.lastEnd = plan.end;
        m_doc.lastEndPlace = plan.to;
        plan.notes = m_doc.notes.before(m_doc.model, m_doc.body, m_doc.view, plan.start);
        auto range = std::make_shared<LoRange>(std::move(plan));
        m_doc.unmarked.push_back(range->plan);
        return Range(std::move(range));
    });
}

Result<Clip> LoDocument::copy(const Range& range) {
    const auto* d = dynamic_cast<const LoRange*>(range.data());
    if (!d) return fail(Error::Kind::Failed, QStringLiteral("not a range of this office"));
    auto attempt = [&] {
        return run(Error::Kind::Failed, false, [&] {
            return Clip(
                std::make_shared<LoClip>(copySpan(m_doc.controller, m_doc.view, m_doc.body,
                                                  *d->plan, m_doc.neighbours, m_doc.hidden)));
        });
    };
    auto clip = attempt();
    // On a busy machine the office now and then reports a paragraph just read as gone. What was
    // read of the text is read again, once.
    if (!clip && clip.error().kind == Error::Kind::Failed) {
        m_doc.neighbours.read = false;
        clip = attempt();
    }
    return clip;
}

Result<bool> LoDocument::hasTrackedChanges() {
    return run(Error::Kind::Failed, false, [&] { return holdsTrackedChanges(m_doc); });
}

Status LoDocument::keepOnly(const Range& range) {
    const auto* d = dynamic_cast<const LoRange*>(range.data());
    if (!d) return fail(Error::Kind::Failed, QStringLiteral("not a range of this office"));
    return editHeld([&] {
        markPendingEnds(m_doc);
        keepOnlySpan(m_doc, *d->plan);
    });
}

Status LoDocument::empty() {
    return run(Error::Kind::Failed, true, [&] {
        emptyText(m_doc);
        // Put back once the text is gone, which spares laying it all out again.
        restoreHiddenText(m_doc.controller, m_doc.hidden);
    });
}

Status LoDocument::paste(const Clip& clip) {
    const auto* d = dynamic_cast<const LoClip*>(clip.data());
    if (!d) return fail(Error::Kind::Failed, QStringLiteral("nothing was copied"));
    // Laid out once, when the part is stored, not again while it is pasted.
    return editHeld([&] { pasteSpan(m_doc, d->span); });
}

Status LoDocument::undo() {
    return run(Error::Kind::Failed, true, [&] {
        Reference<css::document::XUndoManagerSupplier>(m_doc.model, UNO_QUERY_THROW)
            ->getUndoManager()
            ->undo();
        restoreFirstPage(m_doc);
        m_doc.view->gotoStart(false);
    });
}

Result<QString> LoDocument::characters() {
    return run(Error::Kind::Failed, false, [&] {
        // Paragraphs and table cells as they follow each other, each ended by "\r".
        QString text;
        auto add = [&](const OUString& piece) {
            QString t = toQ(piece);
            t.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
            t.replace(u'\n', u'\r');
            text += t + u'\r';
        };
        Reference<css::container::XEnumeration> items =
            Reference<css::container::XEnumerationAccess>(m_doc.body, UNO_QUERY_THROW)
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

Status LoDocument::appendPageBreak() {
    return editHeld([&] { lo::appendPageBreak(m_doc); });
}

Status LoDocument::appendFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return fail(Error::Kind::OpenFailed,
                    QStringLiteral("the file does not exist or cannot be read"));
    const QString absolute = info.absoluteFilePath();
    holdLayout();
    m_doc.textChanged();
    if (auto kind = requireDocumentFile(m_doc.session, absolute); !kind) return kind;
    auto appended =
        m_doc.session->load(Error::Kind::OpenFailed, [&] { lo::appendFile(m_doc, absolute); });
    if (!appended && appended.error().message.contains(QLatin1String(PasswordMessage)))
        return fail(Error::Kind::Password, appended.error().message);
    return appended;
}

}  // namespace pw::word::lo
