#include "split/sourcesplitter.h"

#include <QFile>

#include "shell/filenames.h"
#include "split/pagemap.h"
#include "split/partnaming.h"
#include "split/partplan.h"
#include "split/splitmessages.h"

namespace pw::split {

using word::SaveChanges;

QString blankCopyName(const QString& sourcePath) {
    return GetFileExt(sourcePath) == QLatin1String(".docx") ? QStringLiteral("~tmp.docx")
                                                            : QStringLiteral("~tmp.doc");
}

namespace {

QString reasonFor(const word::Error& e, const QString& otherwise) {
    switch (e.kind) {
        case word::Error::Kind::OfficeDead:
        case word::Error::Kind::Timeout:
            return msg::ReasonOfficeDead;
        case word::Error::Kind::NotDocument:
            return msg::ReasonNotDocument;
        default:
            return otherwise;
    }
}

// Removes the blank copy however the document ends.
struct BlankCopyFile {
    QString path;
    ~BlankCopyFile() { QFile::remove(path); }
};

class SourceSplitter {
public:
    SourceSplitter(RunState& run, int index)
        : m_run(run),
          m_timings(run.result.timings),
          m_index(index),
          m_source(run.settings.documents.at(index)),
          m_blank{run.scratchDir + PathSeparator + blankCopyName(m_source)} {}

    void run();

private:
    bool makeBlankCopy();
    // The file written, or empty when the part was not made.
    QString makePart(word::Document& source, const PageMap& map, int j, const PagePart& pages);
    void fail(int part, const QString& target, const QString& reason, const word::Error& e) {
        m_run.result.failures.append({m_source, part, target, reason, e.message});
    }
    void progress(int part, const QString& written = {}) {
        m_run.prompts.progress(
            {m_index, int(m_run.settings.documents.size()), m_source, part, m_partCount, written});
    }

    // The opening of the blank copy the next part is pasted into: fresh for every part, or the
    // previous part's emptied again when reusing.
    word::Result<std::unique_ptr<word::Document>> takeBlankOpening();
    void giveBackBlankOpening(std::unique_ptr<word::Document> doc);

    RunState& m_run;
    SplitTimings& m_timings;
    std::unique_ptr<word::Document> m_reusable;
    const int m_index;
    const QString m_source;
    BlankCopyFile m_blank;
    int m_partCount = 0;
};

bool SourceSplitter::makeBlankCopy() {
    Stopwatch watch(m_timings.blankCopy);
    auto doc = m_run.app->open(m_source);
    if (!doc) {
        fail(0, {}, reasonFor(doc.error(), msg::ReasonOpen), doc.error());
        return false;
    }
    word::Selection& sel = (*doc)->selection();
    word::Status made = sel.wholeStory();
    if (made) made = sel.deleteContent();
    if (made) made = (*doc)->saveAs(m_blank.path);
    // Emptied: whatever happened, this opening is never stored anywhere else.
    (void)(*doc)->close(SaveChanges::Discard);
    if (!made) {
        fail(0, {}, reasonFor(made.error(), msg::ReasonBlankCopy), made.error());
        return false;
    }
    return true;
}

void SourceSplitter::run() {
    progress(0);
    if (!makeBlankCopy()) return;

    std::unique_ptr<word::Document> source;
    {
        Stopwatch watch(m_timings.openSource);
        auto opened = m_run.app->open(m_source);
        if (!opened) {
            fail(0, {}, reasonFor(opened.error(), msg::ReasonOpen), opened.error());
            return;
        }
        source = std::move(*opened);
        // Numbers would restart in each part otherwise; a document without lists still splits.
        (void)source->convertNumbersToText();
    }

    word::Result<PageMap> map = PageMap{};
    {
        Stopwatch watch(m_timings.pageMap);
        map = buildPageMap(*source);
    }
    if (!map) {
        fail(0, {}, reasonFor(map.error(), msg::ReasonPageMap), map.error());
        (void)source->close(SaveChanges::Discard);
        return;
    }
    const int pages = map->pageCount();
    m_run.result.pageCounts.append({m_source, pages});
    const std::vector<PagePart> plan =
        makePartPlan(pages, pagesPerPart(m_run.settings.mode, m_run.settings.count, pages));
    m_partCount = int(plan.size());
    progress(0);

    for (int j = 1; j <= m_partCount; ++j) {
        progress(j, makePart(*source, *map, j, plan[size_t(j - 1)]));
        if (!m_run.app->isAlive()) {
            if (j < m_partCount)
                m_run.result.failures.append({m_source, j + 1, {}, msg::ReasonOfficeDead, {}});
            break;
        }
        if (j < m_partCount && m_run.prompts.cancelRequested()) {
            m_run.cancelled = true;
            break;
        }
    }
    if (m_reusable) (void)m_reusable->close(SaveChanges::Discard);
    (void)source->close(SaveChanges::Discard);
}

word::Result<std::unique_ptr<word::Document>> SourceSplitter::takeBlankOpening() {
    if (m_reusable) {
        // Taking back the paste gives the opening exactly as it was loaded, page styles and
        // all, at a fraction of the cost of loading it again.
        std::unique_ptr<word::Document> doc = std::move(m_reusable);
        if (doc->undo()) return doc;
        (void)doc->close(SaveChanges::Discard);
    }
    return m_run.app->open(m_blank.path);
}

void SourceSplitter::giveBackBlankOpening(std::unique_ptr<word::Document> doc) {
    Stopwatch watch(m_timings.close);
    if (m_run.settings.reuseBlankOpening && m_run.app->isAlive())
        m_reusable = std::move(doc);
    else
        (void)doc->close(SaveChanges::Discard);
}

QString SourceSplitter::makePart(word::Document& source, const PageMap& map, int j,
                                 const PagePart& pages) {
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
    ++m_timings.parts;

    word::Clip clip;
    {
        Stopwatch watch(m_timings.copy);
        auto range =
            source.range(map.starts[size_t(pages.first - 1)], map.ends[size_t(pages.last - 1)]);
        auto copied =
            range ? (*range)->copy() : word::Result<word::Clip>(pw::unexpected(range.error()));
        if (!copied) {
            fail(j, target, reasonFor(copied.error(), msg::ReasonCopy), copied.error());
            return {};
        }
        clip = *copied;
    }

    std::unique_ptr<word::Document> part;
    {
        Stopwatch watch(m_timings.openBlank);
        auto opened = takeBlankOpening();
        if (!opened) {
            fail(j, target, reasonFor(opened.error(), msg::ReasonCopy), opened.error());
            return {};
        }
        part = std::move(*opened);
    }
    // Never stored back into the blank copy, saved or not: the next part needs it empty.
    struct CloseUnsaved {
        SourceSplitter& splitter;
        std::unique_ptr<word::Document>& doc;
        ~CloseUnsaved() { splitter.giveBackBlankOpening(std::move(doc)); }
    } closer{*this, part};

    {
        Stopwatch watch(m_timings.paste);
        if (auto pasted = part->selection().paste(clip); !pasted) {
            fail(j, target, reasonFor(pasted.error(), msg::ReasonCopy), pasted.error());
            return {};
        }
    }

    Stopwatch watch(m_timings.save);
    if (namedByContent) {
        auto text = part->characters();
        if (!text) {
            fail(j, {}, reasonFor(text.error(), msg::ReasonSave), text.error());
            return {};
        }
        in.characters = *text;
        target = partName(s.naming, in, m_run.sequence);
    }
    target = freeName(target);
    if (nameTooLong(target)) {
        m_run.prompts.message(msg::NameTooLong, MessageIcon::Exclamation);
        fail(j, target, msg::ReasonNameTooLong, {});
        return {};
    }
    if (auto saved = part->saveAs(target); !saved) {
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
