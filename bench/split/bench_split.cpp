// Splits a generated 300-page document into 1-page and 10-page parts, prints where the time
// went, and runs the reference script on the same document for comparison.
//
// usage: bench_split [WORKDIR] [--no-peer] [--no-compare] [--steps] [--only-steps]

#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "split/splitrun.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;

namespace {

class QuietPrompts final : public UserPrompts {
public:
    void message(const QString& text, MessageIcon) override { last = text; }
    bool ask(const Question&) override { return true; }
    QString last;
};

// Where a run's time went, in milliseconds, summed per step over all documents and parts.
class StepTimes final : public split::SplitObserver {
public:
    void stepBegins(split::SplitStep step) override { m_started[int(step)] = m_clock.elapsed(); }
    void stepEnds(split::SplitStep step) override {
        total[int(step)] += m_clock.elapsed() - m_started[int(step)];
    }
    qint64 operator[](split::SplitStep step) const { return total[int(step)]; }

    qint64 total[int(split::SplitStep::Quit) + 1] = {};

private:
    QElapsedTimer m_clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    qint64 m_started[int(split::SplitStep::Quit) + 1] = {};
};

// About 300 pages of flowing text: paragraphs cross page ends.
bool makeSource(const QString& path) {
    if (QFileInfo::exists(path)) return true;
    auto app = word::LibreOfficeFactory().create();
    if (!app) return false;
    test::DocBuilder b;
    for (int i = 0; i < 1430; ++i) b.paragraph(test::sampleParagraph(i, 110));
    return test::makeDocument(**app, b, path);
}

void printRun(const char* label, const split::SplitResult& r, const StepTimes& t, qint64 wall) {
    using split::SplitStep;
    const int parts = std::max(1, int(r.written.size() + r.failures.size()));
    std::printf("%s: %d pages, %d parts written, %lld failures\n", label,
                r.pageCounts.isEmpty() ? 0 : r.pageCounts[0].pages, int(r.written.size()),
                static_cast<long long>(r.failures.size()));
    std::printf("  wall %.2f s, %.1f ms per part\n", wall / 1000.0, double(wall) / parts);
    std::printf(
        "  office start %lld ms, blank copy %lld ms, open source %lld ms, page map %lld ms,"
        " quit %lld ms\n",
        static_cast<long long>(t[SplitStep::OfficeStart]),
        static_cast<long long>(t[SplitStep::BlankCopy]),
        static_cast<long long>(t[SplitStep::OpenSource]),
        static_cast<long long>(t[SplitStep::PageMap]), static_cast<long long>(t[SplitStep::Quit]));
    std::printf("  per part: copy %.1f ms, paste %.1f ms, save %.1f ms, take back %.1f ms\n",
                double(t[SplitStep::Copy]) / parts, double(t[SplitStep::Paste]) / parts,
                double(t[SplitStep::Save]) / parts, double(t[SplitStep::TakeBack]) / parts);
    std::fflush(stdout);
}

QString runPeer(const QString& doc, const QString& out, int per) {
    QDir(out).removeRecursively();
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start("/usr/bin/python3", {QStringLiteral(PW_SOURCE_DIR "/../shared/reference/peer_split.py"),
                                 doc, out, QString::number(per)});
    if (!p.waitForFinished(30 * 60 * 1000)) return "peer did not finish";
    return QString::fromUtf8(p.readAll()).trimmed();
}

// Compares every step-th part of ours with the peer's by their text.
void compareOutputs(const split::SplitResult& ours, const QString& peerDir, int step,
                    const char* other) {
    auto app = word::LibreOfficeFactory().create();
    if (!app) return;
    int compared = 0, differ = 0;
    for (int k = 0; k < ours.written.size(); k += step) {
        const QString peer = peerDir + QStringLiteral("/%1.docx").arg(k + 1);
        auto a = (*app)->open(ours.written[k]);
        auto b = (*app)->open(peer);
        if (!a || !b) {
            ++differ;
            continue;
        }
        const auto ta = (*a)->characters(), tb = (*b)->characters();
        ++compared;
        const QString pa = QDir::tempPath() + "/pw-bench-a.pdf",
                      pb = QDir::tempPath() + "/pw-bench-b.pdf";
        const bool exported = (*a)->saveAs(pa) && (*b)->saveAs(pb);
        if (!ta || !tb || *ta != *tb || !exported ||
            test::pdfPageCount(pa) != test::pdfPageCount(pb) ||
            test::pdfPageText(pa, 1) != test::pdfPageText(pb, 1))
            ++differ;
    }
    const int peerParts = int(QDir(peerDir).entryList({"*.docx"}, QDir::Files).size());
    std::printf(
        "  output check: ours %d parts, %s %d parts; %d parts compared by text and page"
        " count, %d differ\n",
        int(ours.written.size()), other, peerParts, compared, differ);
}

// The steps of one source's preparation, each timed on its own.
void timeSourceSteps(const QString& source) {
    QElapsedTimer t;
    t.start();
    auto app = word::LibreOfficeFactory().create();
    if (!app) return;
    const qint64 started = t.restart();
    auto doc = (*app)->open(source);
    const qint64 opened = t.restart();
    (void)(*doc)->convertNumbersToText();
    const qint64 numbers = t.restart();
    (void)(*doc)->empty();
    const qint64 emptied = t.restart();
    const QString blank = QDir::tempPath() + "/pagewright-bench-blank.docx";
    (void)(*doc)->saveAs(blank);
    const qint64 stored = t.restart();
    doc->reset();
    const qint64 closed = t.restart();
    auto again = (*app)->open(blank);
    const qint64 blankOpen = t.restart();
    std::printf(
        "source steps: start %lld ms, open %lld ms, numbers to text %lld ms, empty %lld ms,"
        " store blank %lld ms, close %lld ms, open blank %lld ms\n",
        static_cast<long long>(started), static_cast<long long>(opened),
        static_cast<long long>(numbers), static_cast<long long>(emptied),
        static_cast<long long>(stored), static_cast<long long>(closed),
        static_cast<long long>(blankOpen));
    if (again) again->reset();
    QFile::remove(blank);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    QStringList args = qapp.arguments().mid(1);
    if (args.contains(QStringLiteral("--help"))) {
        std::printf(
            "usage: bench_split [--no-peer] [--no-compare] [--steps | --only-steps] "
            "[WORK_FOLDER]\n  WORK_FOLDER defaults to %s/pagewright-bench-split\n",
            qPrintable(QDir::tempPath()));
        return 0;
    }
    const bool peer = !args.removeAll("--no-peer");
    const bool compare = !args.removeAll("--no-compare");
    const bool steps = args.removeAll("--steps");
    const bool onlySteps = args.removeAll("--only-steps");
    for (const QString& arg : args) {
        if (arg.startsWith(u'-')) {
            std::fprintf(stderr, "bench_split: unknown option %s (see --help)\n", qPrintable(arg));
            return 2;
        }
    }
    if (args.size() > 1) {
        std::fprintf(stderr, "bench_split: one work folder at most (see --help)\n");
        return 2;
    }
    const QString work = args.value(0, QDir::tempPath() + "/pagewright-bench-split");
    QDir().mkpath(work);
    const QString source = work + "/long.docx";
    if (!makeSource(source)) {
        std::fprintf(stderr, "could not make %s\n", qPrintable(source));
        return 1;
    }

    if (steps || onlySteps) timeSourceSteps(source);
    if (onlySteps) return 0;

    for (int per : {1, 10}) {
        {
            const bool reuse = false;
            const QString out =
                work + QStringLiteral("/ours-%1%2").arg(per).arg(reuse ? "-reuse" : "");
            QDir(out).removeRecursively();
            QDir().mkpath(out);
            split::SplitRequest req;
            req.documents = {source};
            req.pagesText = QString::number(per);
            req.naming = split::NamingMode::Sequence;  // as the reference names them
            req.output = split::OutputRule::ChosenFolder;
            req.outDirText = out;
            QuietPrompts prompts;
            StepTimes times;
            word::LibreOfficeFactory office;
            QElapsedTimer wall;
            wall.start();
            const split::SplitResult r = split::runSplit(req, prompts, office, &times);
            const qint64 ms = wall.elapsed();
            const QByteArray label = QStringLiteral("pagewright%2, %1 page(s) per part")
                                         .arg(per)
                                         .arg(reuse ? " (one blank opening reused)" : "")
                                         .toUtf8();
            printRun(label.constData(), r, times, ms);
            if (reuse) {
                if (compare)
                    compareOutputs(r, work + QStringLiteral("/ours-%1").arg(per), per == 1 ? 3 : 1,
                                   "fresh");
                continue;
            }
            if (peer) {
                const QString peerOut = work + QStringLiteral("/peer-%1").arg(per);
                QElapsedTimer pw;
                pw.start();
                const QString said = runPeer(source, peerOut, per);
                std::printf("  %s (wall %.2f s)\n", qPrintable(said), pw.elapsed() / 1000.0);
                if (compare) compareOutputs(r, peerOut, per == 1 ? 15 : 3, "peer");
            }
            std::fflush(stdout);
        }
    }
    return 0;
}
