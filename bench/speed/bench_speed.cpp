// Times the long cases side by side in one run and prints each as a ratio beside its limit:
// a ~300-page flowing document in 1-page and 10-page parts and a numbered-list real document
// in 1-page parts against the reference script; 40 short documents merged after a long one
// against the same 40 alone; 200 short documents merged against 20; six documents of ~100 pages
// split with two offices against one (each office costs seconds of processor time to start,
// which documents much shorter would not repay on two cores). Also this program's peak resident
// memory and each office's.
// The machine is shared: figures vary from run to run.
//
// usage: bench_speed [--no-peer] [WORK_FOLDER]

#include <atomic>
#include <cstdio>
#include <map>
#include <thread>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "merge/mergerun.h"
#include "shell/platform.h"
#include "split/splitrun.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;

namespace {

class QuietPrompts final : public UserPrompts {
public:
    void message(const QString&, MessageIcon) override {}
    bool ask(const Question&) override { return true; }
};

// The highest resident memory seen of every office process of this program, polled.
class OfficePeaks {
public:
    OfficePeaks() {
        m_thread = std::thread([this] {
            while (!m_stop) {
                for (const qint64 pid : test::officeProcesses(QCoreApplication::applicationPid()))
                    if (auto kb = platform::peakResidentKb(pid)) {
                        std::lock_guard lock(m_mutex);
                        m_peak[pid] = std::max(m_peak[pid], *kb);
                    }
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            }
        });
    }
    ~OfficePeaks() {
        m_stop = true;
        m_thread.join();
    }
    // "pid: MB" for the offices seen since the last call.
    QString take() {
        std::lock_guard lock(m_mutex);
        QStringList out;
        for (const auto& [pid, kb] : m_peak) out << QStringLiteral("%1 MB").arg(kb / 1024);
        m_peak.clear();
        return out.isEmpty() ? QStringLiteral("none seen") : out.join(QStringLiteral(", "));
    }

private:
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::map<qint64, qint64> m_peak;
    std::thread m_thread;
};

OfficePeaks* peaks = nullptr;

void report(const char* what, double seconds) {
    std::printf("  %-52s %7.2f s   own peak %lld MB; offices' peaks: %s\n", what, seconds,
                static_cast<long long>(platform::peakResidentKb().value_or(0) / 1024),
                qPrintable(peaks->take()));
    std::fflush(stdout);
}

bool make(word::Application& app, const test::DocBuilder& b, const QString& path) {
    return QFileInfo::exists(path) || test::makeDocument(app, b, path);
}

double splitSeconds(const QStringList& docs, int per, const QString& out, int jobs) {
    QDir(out).removeRecursively();
    QDir().mkpath(out);
    split::SplitRequest req;
    req.documents = docs;
    req.pagesText = QString::number(per);
    req.naming = split::NamingMode::Sequence;
    req.output = split::OutputRule::ChosenFolder;
    req.outDirText = out;
    req.jobs = jobs;
    QuietPrompts prompts;
    word::LibreOfficeFactory office;
    QElapsedTimer t;
    t.start();
    const split::SplitResult r = split::runSplit(req, prompts, office);
    if (!r.failures.isEmpty()) std::printf("  (%d parts failed)\n", int(r.failures.size()));
    return t.elapsed() / 1000.0;
}

double peerSplitSeconds(const QString& doc, int per, const QString& out) {
    QDir(out).removeRecursively();
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start("/usr/bin/python3", {QStringLiteral(PW_SOURCE_DIR "/../shared/reference/peer_split.py"),
                                 doc, out, QString::number(per)});
    if (!p.waitForFinished(30 * 60 * 1000) || p.exitCode() != 0) return -1;
    return t.elapsed() / 1000.0;
}

double mergeSeconds(const QStringList& docs, const QString& target) {
    QFile::remove(target);
    QuietPrompts prompts;
    word::LibreOfficeFactory office;
    QElapsedTimer t;
    t.start();
    const merge::MergeResult r = merge::runMerge({docs, target, true}, prompts, office);
    if (!r.failures.isEmpty()) std::printf("  (%d entries failed)\n", int(r.failures.size()));
    return t.elapsed() / 1000.0;
}

struct Ratio {
    QString what;
    double ours, other, limit;
};
QList<Ratio> ratios;

void ratio(const QString& what, double ours, double other, double limit) {
    ratios.append({what, ours, other, limit});
    std::printf("  => %s: %.2f (at most %.2f)\n", qPrintable(what), other > 0 ? ours / other : -1,
                limit);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    QStringList args = qapp.arguments().mid(1);
    if (args.contains(QStringLiteral("--help"))) {
        std::printf(
            "usage: bench_speed [--no-peer] [WORK_FOLDER]\n"
            "  WORK_FOLDER defaults to %s/pagewright-bench-speed\n",
            qPrintable(QDir::tempPath()));
        return 0;
    }
    const bool peer = !args.removeAll(QStringLiteral("--no-peer"));
    for (const QString& arg : args)
        if (arg.startsWith(u'-')) {
            std::fprintf(stderr, "bench_speed: unknown option %s (see --help)\n", qPrintable(arg));
            return 2;
        }
    if (args.size() > 1) {
        std::fprintf(stderr, "bench_speed: one work folder at most (see --help)\n");
        return 2;
    }
    const QString work = args.value(0, QDir::tempPath() + "/pagewright-bench-speed");
    QDir().mkpath(work + "/in");
    OfficePeaks officePeaks;
    peaks = &officePeaks;

    // The inputs, made once and kept in the work folder.
    const QString longDoc = work + "/in/long.docx";
    QStringList shorts, six;
    {
        auto app = word::LibreOfficeFactory().create();
        if (!app) return 1;
        test::DocBuilder b;
        for (int i = 0; i < 1430; ++i) b.paragraph(test::sampleParagraph(i, 110));
        if (!make(**app, b, longDoc)) return 1;
        for (int i = 0; i < 200; ++i) {
            test::DocBuilder s;
            s.paragraph(QStringLiteral("SHORT %1").arg(i));
            for (int p = 0; p < 3; ++p) s.paragraph(test::sampleParagraph(i * 3 + p, 60));
            shorts << work + QStringLiteral("/in/short%1.docx").arg(i, 3, 10, QChar(u'0'));
            if (!make(**app, s, shorts.last())) return 1;
        }
        for (int d = 0; d < 6; ++d) {
            test::DocBuilder s;
            for (int i = 0; i < 480; ++i) s.paragraph(test::sampleParagraph(d * 500 + i, 110));
            six << work + QStringLiteral("/in/six%1-100p.docx").arg(d);
            if (!make(**app, s, six.last())) return 1;
        }
    }
    const QString lir = work + "/in/LIR001-en-US-ordinal.docx";
    const bool haveLir = QFileInfo::exists(lir) ||
                         QFile::copy(QStringLiteral(PW_SOURCE_DIR "/../shared/fixtures/powertools/"
                                                                  "LIR001-en-US-ordinal.docx"),
                                     lir);
    peaks->take();

    std::printf("split of the ~300-page document\n");
    for (const int per : {1, 10}) {
        const double ours = splitSeconds({longDoc}, per, work + "/out", 1);
        report(qPrintable(QStringLiteral("pagewright, %1 page(s) per part").arg(per)), ours);
        if (!peer) continue;
        const double other = peerSplitSeconds(longDoc, per, work + "/peer");
        report("peer_split.py", other);
        ratio(QStringLiteral("300 pages in %1-page parts, ours / peer").arg(per), ours, other,
              per == 1 ? 0.5 : 0.6);
    }
    if (haveLir && peer) {
        std::printf("split of %s in 1-page parts\n", qPrintable(QFileInfo(lir).fileName()));
        const double ours = splitSeconds({lir}, 1, work + "/out", 1);
        report("pagewright", ours);
        const double other = peerSplitSeconds(lir, 1, work + "/peer");
        report("peer_split.py", other);
        ratio(QStringLiteral("numbered list in 1-page parts, ours / peer"), ours, other, 1.0);
    } else if (!haveLir) {
        std::printf("(../shared/fixtures is absent: no numbered-list document)\n");
    }

    std::printf("merges\n");
    const QString target = work + "/merged.docx";
    const double fortyAlone = mergeSeconds(shorts.mid(0, 40), target);
    report("40 short documents", fortyAlone);
    const double longAlone = mergeSeconds({longDoc}, target);
    report("the long document alone", longAlone);
    const double longThenForty = mergeSeconds(QStringList{longDoc} + shorts.mid(0, 40), target);
    report("the long document, then the 40", longThenForty);
    ratio(QStringLiteral("what the 40 add after the long one / the 40 alone"),
          longThenForty - longAlone, fortyAlone, 2.0);
    const double twenty = mergeSeconds(shorts.mid(0, 20), target);
    report("20 short documents", twenty);
    const double twoHundred = mergeSeconds(shorts, target);
    report("200 short documents", twoHundred);
    ratio(QStringLiteral("200 short / 20 short"), twoHundred, twenty, 12.0);

    std::printf("six documents of ~100 pages in 1-page parts\n");
    const double one = splitSeconds(six, 1, work + "/out", 1);
    report("--jobs 1", one);
    const double two = splitSeconds(six, 1, work + "/out", 2);
    report("--jobs 2", two);
    ratio(QStringLiteral("--jobs 2 / --jobs 1"), two, one, 0.65);

    std::printf("\nratios (limit):\n");
    for (const Ratio& r : ratios)
        std::printf("  %-55s %5.2f  (%.2f)%s\n", qPrintable(r.what),
                    r.other > 0 ? r.ours / r.other : -1, r.limit,
                    r.other > 0 && r.ours / r.other <= r.limit ? "" : "  over");
    QDir(work + "/out").removeRecursively();
    QDir(work + "/peer").removeRecursively();
    QFile::remove(target);
    return 0;
}
