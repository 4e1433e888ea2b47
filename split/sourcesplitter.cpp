#include "split/sourcesplitter.h"

#include "shell/filenames.h"
#include "split/pagemap.h"
#include "split/partnaming.h"
#include "split/partplan.h"
#include "split/sourcepagination.h"
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
// taken back out of. Page styles, headers and footers are the source's own, and nothing is
// ever stored where the source lives.
class SourceSplitter {
public:
    SourceSplitter(RunState& run, int index)
        : m_run(run), m_index(index), m_source(run.settings.documents.at(index)) {}

    void run();

private:
    // Each part's content, or why it could not be copied.
    std::vector<word::Result<word::Clip>> copyParts(word::Document& source, const PageMap& map,
                                                    const std::vector<PagePart>& plan);
    bool empty(word::Document& doc);
    // The file written, or empty when the part was not made. Without a clip, the document
    // already holds the part.
    QString makePart(word::Document& blank, int j, const PagePart& pages,
                     const word::Result<word::Clip>* clip);
    void fail(int part, const QString& target, const QString& reason, const word::Error& e) {
        m_run.result.failures.append({m_source, part, target, reason, e.message});
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
        m_run.prompts.progress(p);
    }

    RunState& m_run;
    const int m_index;
    const QString m_source;
    int m_partCount = 0;
    bool m_blankDirty = false;  // a paste is still in the blank and could not be taken back
};

void SourceSplitter::run() {
    progress(0);
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
    m_run.result.pageCounts.append({m_source, pages, pagination.used()});
    const std::vector<PagePart> plan =
        makePartPlan(pages, pagesPerPart(m_run.settings.mode, m_run.settings.count, pages));
    m_partCount = int(plan.size());
    progress(0);
    if (stopAsked()) return;

    // A part that is the whole document is the opening itself, stored as it stands: nothing
    // goes through a copy, which would leave out what the office does not copy (tracked
    // deletions and moves, the data of embedded charts).
    if (m_partCount == 1) {
        progress(1, makePart(*source, 1, plan.front(), nullptr));
        return;
    }

    const std::vector<word::Result<word::Clip>> clips = copyParts(*source, *map, plan);
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
        progress(j, makePart(*source, j, plan[size_t(j - 1)], &clips[size_t(j - 1)]));
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

std::vector<word::Result<word::Clip>> SourceSplitter::copyParts(word::Document& source,
                                                                const PageMap& map,
                                                                const std::vector<PagePart>& plan) {
    // The ranges are taken while the pages stand as the source laid them out; written out as
    // text, list numbers take other room and would move the page ends.
    std::vector<word::Result<word::Range>> ranges;
    {
        StepScope step(m_run.observer, SplitStep::PageMap);
        ranges.reserve(plan.size());
        for (const PagePart& pages : plan)
            ranges.push_back(source.range(map.starts[size_t(pages.first - 1)],
                                          map.ends[size_t(pages.last - 1)]));
    }
    {
        StepScope step(m_run.observer, SplitStep::OpenSource);
        // Numbers would restart in each part otherwise; a document without lists still splits.
        (void)source.convertNumbersToText();
    }
    StepScope step(m_run.observer, SplitStep::Copy);
    std::vector<word::Result<word::Clip>> clips;
    clips.reserve(plan.size());
    for (auto& range : ranges) {
        clips.push_back(range ? source.copy(*range)
                              : word::Result<word::Clip>(pw::unexpected(range.error())));
        if (!m_run.app->isAlive()) break;
    }
    clips.resize(plan.size(), pw::unexpected(word::Error{word::Error::Kind::OfficeDead, {}}));
    return clips;
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
                                 const word::Result<word::Clip>* clip) {
    const SplitSettings& s = m_run.settings;
    PartNameInput in{s.ownFolder ? GetFileFolder(m_source) : s.outDir,
                     GetFileBaseName(m_source),
                     GetFileExt(m_source),
                     j,
                     pages.first,
                     pages.last,
                     {}};
    const bool namedByContent = s.naming.mode == NamingMode::FirstCharacters;
    // Named up front when the content is not needed, so a failure can say what is missing; the
    // sequence moves on whether or not the part is then made.
    QString target = namedByContent ? QString() : partName(s.naming, in, m_run.sequence);
    if (clip && !*clip) {
        fail(j, target, reasonFor(clip->error(), msg::ReasonCopy), clip->error());
        return {};
    }
    if (clip) {
        StepScope step(m_run.observer, SplitStep::Paste);
        if (auto pasted = blank.paste(**clip); !pasted) {
            m_blankDirty = true;
            fail(j, target, reasonFor(pasted.error(), msg::ReasonCopy), pasted.error());
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
    } takeBack{*this, blank, clip != nullptr};

    StepScope step(m_run.observer, SplitStep::Save);
    if (namedByContent) {
        auto text = blank.characters();
        if (!text) {
            fail(j, {}, reasonFor(text.error(), msg::ReasonSave), text.error());
            return {};
        }
        in.characters = *text;
        target = partName(s.naming, in, m_run.sequence);
    }
    target = freeName(target);
    if (nameTooLong(target)) {
        if (!std::exchange(m_run.nameTooLongTold, true))
            m_run.prompts.message(msg::NameTooLong, MessageIcon::Exclamation);
        fail(j, target, msg::ReasonNameTooLong, {});
        return {};
    }
    if (auto saved = blank.saveAs(target); !saved) {
        fail(j, target, reasonFor(saved.error(), msg::ReasonSave), saved.error());
        return {};
    }
    m_run.result.written.append(target);
    return target;
}

}  // namespace

void splitSource(RunState& run, int index) {
    SourceSplitter(run, index).run();
}

}  // namespace pw::split
