#include "split/sourcesplitter.h"

#include <QFile>

#include "shell/filenames.h"
#include "split/pagemap.h"
#include "split/partnaming.h"
#include "split/partplan.h"
#include "split/sourcepagination.h"
#include "split/splitchecks.h"
#include "split/splitmessages.h"

namespace pw::split {

namespace {

QString reasonFor(const word::Error& e, const QString& otherwise) {
    switch (e.kind) {
        case word::Error::Kind::OfficeDead:
        case word::Error::Kind::Timeout:
            return msg::ReasonOfficeDead;
        case word::Error::Kind::NotDocument:
            return msg::ReasonNotDocument;
        case word::Error::Kind::Password:
            return msg::ReasonPassword;
        default:
            return otherwise;
    }
}

// One opening of the source serves the whole document: every part's pages are copied out of
// it first, then it is emptied and becomes the blank each part is pasted into, stored from and
// taken back out of. A document with tracked changes has each part cut out of the opening
// instead, stored, and put back. Page styles, headers and footers are the source's own, and nothing
// is ever stored where the source lives.
class SourceSplitter {
public:
    SourceSplitter(RunState& run, int index)
        : m_run(run), m_index(index), m_source(run.settings.documents.at(index)) {}

    void run();
    // Nothing of this document was stored before its office went away.
    bool lostOfficeBeforeAnyPart() const { return m_stored == 0 && !m_run.app->isAlive(); }

private:
    // Each part's range, taken while the pages stand as laid out; list numbers are then
    // written out as text.
    std::vector<word::Result<word::Range>> partRanges(word::Document& source, const PageMap& map,
                                                      const std::vector<PagePart>& plan);
    // Each part's content, or why it could not be copied.
    std::vector<word::Result<word::Clip>> copyParts(
        word::Document& source, const std::vector<word::Result<word::Range>>& ranges);
    // Each part cut out of the opening, stored, and put back.
    void cutParts(word::Document& source, const std::vector<PagePart>& plan,
                  const std::vector<word::Result<word::Range>>& ranges);
    bool empty(word::Document& doc);
    // What a part is made from: pasted into the blank, or cut out of the opening; neither when
    // the opening is the whole part.
    struct Filling {
        const word::Result<word::Clip>* clip = nullptr;
        const word::Result<word::Range>* cut = nullptr;
        bool whole = false;  // the part is the whole document
    };
    // The file written, or empty when the part was not made.
    QString makePart(word::Document& doc, int j, const PagePart& pages, Filling filling);
    word::Status store(word::Document& doc, const QString& path, bool whole);
    void fail(int part, const QString& target, const QString& reason, const word::Error& e) {
        const SplitFailure failure{m_source, part, target, reason, e.message};
        if (!m_run.deferred) return m_run.result.failures.append(failure);
        DeferredEvent event{DeferredEvent::Kind::Failure};
        event.failure = failure;
        m_run.deferred->push_back(event);
    }
    void partDone(int part, const QString& written) {
        if (!written.isEmpty()) ++m_stored;
        if (!m_run.deferred) progress(part, written);
    }
    // A stop asked for before any part is made ends the document at once: on a long document
    // the steps before the first part take a while.
    bool stopAsked() {
        if (!m_run.prompts.cancelRequested()) return false;
        m_run.cancelled = true;
        fail(0, {}, msg::ReasonNotReached, {});
        return true;
    }
    void failFrom(int part, const QString& reason, const word::Error& e = {}) {
        for (int j = part; j <= m_partCount; ++j) fail(j, {}, reason, e);
    }
    void progress(int part, const QString& written = {}) {
        Progress p = Progress::step(m_index, int(m_run.settings.documents.size()), m_source);
        p.partIndex = part;
        p.partCount = m_partCount;
        p.written = written;
        if (!m_run.deferred) return m_run.prompts.progress(p);
        DeferredEvent event{DeferredEvent::Kind::Progress};
        event.progress = p;
        m_run.deferred->push_back(event);
    }

    RunState& m_run;
    const int m_index;
    const QString m_source;
    int m_partCount = 0;
    bool m_blankDirty = false;  // a paste is still in the blank and could not be taken back
    int m_stored = 0;
};

void SourceSplitter::run() {
    progress(0);
    // Parts beside a source in a folder that cannot be written could none of them be stored:
    // found out before the document is opened.
    if (m_run.settings.ownFolder && !canWriteIn(GetFileFolder(m_source))) {
        fail(0, {}, msg::ReasonFolderNotWritable, {});
        return;
    }
    SourcePagination pagination(m_run.settings.pagination, m_source, m_run.scratchDir);
    std::unique_ptr<word::Document> source;
    {
        StepScope step(m_run.observer, SplitStep::OpenSource);
        auto opened = m_run.app->open(pagination.fileToOpen());
        if (!opened && pagination.dropCopy()) opened = m_run.app->open(pagination.fileToOpen());
        if (!opened) {
            fail(0, {}, reasonFor(opened.error(), msg::ReasonOpen), opened.error());
            return;
        }
        source = std::move(*opened);
    }
    // Closed unsaved however this ends (the opening is emptied and pasted into).
    if (stopAsked()) return;

    word::Result<PageMap> map = PageMap{};
    {
        StepScope step(m_run.observer, SplitStep::PageMap);
        map = pagination.pageMap(*source);
    }
    if (!map) {
        fail(0, {}, reasonFor(map.error(), msg::ReasonPageMap), map.error());
        return;
    }
    const int pages = map->pageCount();
    const SourcePages counted{m_source, pages, pagination.used()};
    if (m_run.deferred) {
        DeferredEvent event{DeferredEvent::Kind::PageCount};
        event.pages = counted;
        m_run.deferred->push_back(event);
    } else {
        m_run.result.pageCounts.append(counted);
    }
    const std::vector<PagePart> plan =
        makePartPlan(pages, pagesPerPart(m_run.settings.mode, m_run.settings.count, pages));
    m_partCount = int(plan.size());
    progress(0);
    if (stopAsked()) return;

    // A part that is the whole document is the opening itself, stored as it stands: nothing
    // goes through a copy, which would leave out what the office does not copy (tracked
    // deletions and moves, the data of embedded charts).
    if (m_partCount == 1) {
        partDone(1, makePart(*source, 1, plan.front(), {nullptr, nullptr, true}));
        return;
    }

    // Tracked deletions do not come through a copy: such a document is cut instead.
    const bool tracked = source->hasTrackedChanges().value_or(false);
    const std::vector<word::Result<word::Range>> ranges = partRanges(*source, *map, plan);
    if (tracked) {
        cutParts(*source, plan, ranges);
        return;
    }
    const std::vector<word::Result<word::Clip>> clips = copyParts(*source, ranges);
    if (!m_run.app->isAlive()) {
        failFrom(1, msg::ReasonOfficeDead);
        return;
    }
    if (stopAsked()) return;
    {
        StepScope step(m_run.observer, SplitStep::BlankCopy);
        if (!empty(*source)) return;
    }

    for (int j = 1; j <= m_partCount; ++j) {
        partDone(j, makePart(*source, j, plan[size_t(j - 1)], {&clips[size_t(j - 1)], nullptr}));
        if (!m_run.app->isAlive()) {
            failFrom(j + 1, msg::ReasonOfficeDead);
            break;
        }
        if (m_blankDirty && !empty(*source)) break;
        if (j < m_partCount && m_run.prompts.cancelRequested()) {
            m_run.cancelled = true;
            break;
        }
    }
}

std::vector<word::Result<word::Range>> SourceSplitter::partRanges(
    word::Document& source, const PageMap& map, const std::vector<PagePart>& plan) {
    // Written out as text, list numbers take other room and would move the page ends.
    std::vector<word::Result<word::Range>> ranges;
    {
        StepScope step(m_run.observer, SplitStep::PageMap);
        ranges.reserve(plan.size());
        for (const PagePart& pages : plan)
            ranges.push_back(source.range(map.starts[size_t(pages.first - 1)],
                                          map.ends[size_t(pages.last - 1)]));
    }
    StepScope step(m_run.observer, SplitStep::OpenSource);
    // Numbers would restart in each part otherwise; a document without lists still splits.
    (void)source.convertNumbersToText();
    return ranges;
}

std::vector<word::Result<word::Clip>> SourceSplitter::copyParts(
    word::Document& source, const std::vector<word::Result<word::Range>>& ranges) {
    StepScope step(m_run.observer, SplitStep::Copy);
    std::vector<word::Result<word::Clip>> clips;
    clips.reserve(ranges.size());
    for (auto& range : ranges) {
        clips.push_back(range ? source.copy(*range)
                              : word::Result<word::Clip>(pw::unexpected(range.error())));
        if (!m_run.app->isAlive()) break;
    }
    clips.resize(ranges.size(), pw::unexpected(word::Error{word::Error::Kind::OfficeDead, {}}));
    return clips;
}

void SourceSplitter::cutParts(word::Document& source, const std::vector<PagePart>& plan,
                              const std::vector<word::Result<word::Range>>& ranges) {
    for (int j = 1; j <= m_partCount; ++j) {
        partDone(j, makePart(source, j, plan[size_t(j - 1)], {nullptr, &ranges[size_t(j - 1)]}));
        if (!m_run.app->isAlive()) {
            failFrom(j + 1, msg::ReasonOfficeDead);
            return;
        }
        // A cut that could not be put back leaves no whole document to cut the next from.
        if (m_blankDirty) {
            failFrom(j + 1, msg::ReasonCopy);
            return;
        }
        if (j < m_partCount && m_run.prompts.cancelRequested()) {
            m_run.cancelled = true;
            return;
        }
    }
}

bool SourceSplitter::empty(word::Document& doc) {
    if (word::Status emptied = doc.empty(); !emptied) {
        failFrom(1, reasonFor(emptied.error(), msg::ReasonBlankCopy), emptied.error());
        return false;
    }
    m_blankDirty = false;
    return true;
}

QString SourceSplitter::makePart(word::Document& blank, int j, const PagePart& pages,
                                 Filling filling) {
    const SplitSettings& s = m_run.settings;
    PartNameInput in{s.ownFolder ? GetFileFolder(m_source) : s.outDir,
                     GetFileBaseName(m_source),
                     GetFileExt(m_source),
                     j,
                     pages.first,
                     pages.last,
                     {}};
    const bool namedByContent = s.naming.mode == NamingMode::FirstCharacters;
    // Beside other documents, the part is stored under a scratch name and named later, when
    // the documents before it have been.
    using Stage = DeferredEvent::Stage;
    DeferredEvent later{DeferredEvent::Kind::Part};
    later.part = j;
    later.firstPage = pages.first;
    later.lastPage = pages.last;
    auto failPart = [&](Stage stage, const QString& target, const QString& reason,
                        const word::Error& e) {
        if (!m_run.deferred) return fail(j, target, reason, e);
        later.stage = stage;
        later.failure = {m_source, j, {}, reason, e.message};
        m_run.deferred->push_back(later);
    };
    // Named up front when the content is not needed, so a failure can say what is missing; the
    // sequence moves on whether or not the part is then made.
    QString target =
        namedByContent || m_run.deferred ? QString() : partName(s.naming, in, m_run.sequence);
    const word::Error* missing = filling.clip && !*filling.clip ? &filling.clip->error()
                                 : filling.cut && !*filling.cut ? &filling.cut->error()
                                                                : nullptr;
    if (missing) {
        failPart(Stage::Copy, target, reasonFor(*missing, msg::ReasonCopy), *missing);
        return {};
    }
    const bool filled = filling.clip || filling.cut;
    if (filled) {
        StepScope step(m_run.observer, SplitStep::Paste);
        // A failed cut leaves the opening as it was; a failed paste may leave part of it.
        word::Status done =
            filling.clip ? blank.paste(**filling.clip) : blank.keepOnly(**filling.cut);
        if (!done) {
            m_blankDirty = filling.clip != nullptr;
            failPart(Stage::Copy, target, reasonFor(done.error(), msg::ReasonCopy), done.error());
            return {};
        }
    }
    // Taken back out however the part ends, so the blank is empty for the next one.
    struct TakeBack {
        SourceSplitter& splitter;
        word::Document& doc;
        bool pasted;
        ~TakeBack() {
            StepScope step(splitter.m_run.observer, SplitStep::TakeBack);
            if (pasted && !doc.undo()) splitter.m_blankDirty = true;
        }
    } takeBack{*this, blank, filled};

    StepScope step(m_run.observer, SplitStep::Save);
    if (namedByContent) {
        auto text = blank.characters();
        if (!text) {
            failPart(Stage::Characters, {}, reasonFor(text.error(), msg::ReasonSave), text.error());
            return {};
        }
        in.characters = *text;
        later.characters = *text;
        if (!m_run.deferred) target = partName(s.naming, in, m_run.sequence);
    }
    if (m_run.deferred) {
        const QString ext = in.extension.isEmpty() ? QStringLiteral(".docx") : in.extension;
        later.scratch =
            QStringLiteral("%1/part-%2-%3%4").arg(m_run.scratchDir).arg(m_index).arg(j).arg(ext);
        if (auto saved = store(blank, later.scratch, filling.whole); !saved) {
            failPart(Stage::Save, {}, reasonFor(saved.error(), msg::ReasonSave), saved.error());
            return {};
        }
        later.stage = Stage::Stored;
        m_run.deferred->push_back(later);
        ++m_stored;
        return {};
    }
    target = freeName(target);
    if (nameTooLong(target)) {
        if (!std::exchange(m_run.nameTooLongTold, true))
            m_run.prompts.message(msg::NameTooLong, MessageIcon::Exclamation);
        fail(j, target, msg::ReasonNameTooLong, {});
        return {};
    }
    if (auto saved = store(blank, target, filling.whole); !saved) {
        fail(j, target, reasonFor(saved.error(), msg::ReasonSave), saved.error());
        return {};
    }
    m_run.result.written.append(target);
    return target;
}

// The part that is the whole document is the source file itself, byte for byte: stored by the
// office, it would lose what the office does not keep (shapes, field formats, custom parts).
word::Status SourceSplitter::store(word::Document& doc, const QString& path, bool whole) {
    if (!whole) return doc.saveAs(path);
    if (!QFile::copy(m_source, path))
        return word::fail(word::Error::Kind::SaveFailed, QStringLiteral("the copy failed"));
    // A read-only source gives a part the user can edit.
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner | QFile::ReadOwner);
    return {};
}

}  // namespace

void splitSource(RunState& run, int index, word::ApplicationFactory& factory) {
    const qsizetype failures = run.result.failures.size(), counts = run.result.pageCounts.size();
    const size_t events = run.deferred ? run.deferred->size() : 0;
    const qint64 sequence = run.sequence;
    SourceSplitter first(run, index);
    first.run();
    if (!first.lostOfficeBeforeAnyPart() || run.cancelled || run.prompts.cancelRequested()) return;
    auto fresh = factory.create();
    if (!fresh) return;
    run.app = std::move(*fresh);
    run.result.failures.resize(failures);
    run.result.pageCounts.resize(counts);
    if (run.deferred)
        run.deferred->erase(run.deferred->begin() + qsizetype(events), run.deferred->end());
    // The too-long-name message, if it came, is not shown a second time.
    run.sequence = sequence;
    SourceSplitter(run, index).run();
}

}  // namespace pw::split
