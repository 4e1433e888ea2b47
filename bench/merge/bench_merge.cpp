// Times the merge of 10, 50 and 200 generated three-page documents, pass by pass, beside the
// single-pass floor (every document inserted into one open target, stored once) measured in
// the same run, and beside the reference scripts when asked.
//
// usage: bench_merge [--peer] [--plain] [--sizes 10,50,200] [--keep DIR]
// --plain makes the documents without a header of their own.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <numeric>

#include "merge/mergerun.h"
#include "tests/support/testdocs.h"
#include "tests/support/testenv.h"
#include "word/libreoffice/libreofficefactory.h"

using namespace pw;

namespace {

void print(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

// A merge watched from outside: when each pass begins, and how long the office took to start.
class BenchPrompts final : public UserPrompts {
public:
    void message(const QString& text, MessageIcon) override { shown = text; }
    bool ask(const Question&) override { return true; }
    void progress(const Progress& p) override {
        if (p.stage == Progress::Stage::Step) passStarts.append(clock.nsecsElapsed());
    }

    QElapsedTimer clock;
    QList<qint64> passStarts;
    QString shown;
};

// Passes every call on, timing the office's start and quit, which are not merge work.
class TimedApplication final : public word::Application {
public:
    TimedApplication(std::unique_ptr<word::Application> app, double& quitMs)
        : m_app(std::move(app)), m_quitMs(quitMs) {}
    ~TimedApplication() override {
        QElapsedTimer t;
        t.start();
        m_app.reset();
        m_quitMs += double(t.nsecsElapsed()) / 1e6;
    }
    word::Result<std::unique_ptr<word::Document>> open(const QString& p) override {
        return m_app->open(p);
    }
    word::Result<std::unique_ptr<word::Document>> add() override { return m_app->add(); }
    bool isAlive() override { return m_app->isAlive(); }

private:
    std::unique_ptr<word::Application> m_app;
    double& m_quitMs;
};

class TimedFactory final : public word::ApplicationFactory {
public:
    word::Result<std::unique_ptr<word::Application>> create() override {
        QElapsedTimer t;
        t.start();
        auto app = m_office.create();
        startMs += double(t.nsecsElapsed()) / 1e6;
        if (!app) return app;
        return std::unique_ptr<word::Application>(new TimedApplication(std::move(*app), quitMs));
    }
    double startMs = 0;
    double quitMs = 0;

private:
    word::LibreOfficeFactory m_office;
};

double ms(qint64 ns) {
    return double(ns) / 1e6;
}

double mean(const QList<double>& v, qsizetype from, qsizetype n) {
    n = std::min(n, v.size() - from);
    if (n <= 0) return 0;
    return std::accumulate(v.begin() + from, v.begin() + from + n, 0.0) / double(n);
}

// Least-squares slope of pass time against the pass index: ms more per document already in.
double slope(const QList<double>& v) {
    const double n = double(v.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (qsizetype i = 0; i < v.size(); ++i) {
        sx += double(i);
        sy += v[i];
        sxx += double(i) * double(i);
        sxy += double(i) * v[i];
    }
    const double d = n * sxx - sx * sx;
    return d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

bool makeInputs(const QString& dir, int count, bool plain) {
    word::LibreOfficeFactory factory;
    auto office = factory.create();
    if (!office) return false;
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("%1/doc%2.docx").arg(dir).arg(i, 3, 10, QChar(u'0'));
        if (QFileInfo::exists(path)) continue;
        test::DocBuilder b;
        if (!plain) b.header(QStringLiteral("Document %1").arg(i));
        for (int page = 0; page < 3; ++page) {
            if (page > 0) b.pageBreak();
            b.paragraph(QStringLiteral("DOC%1 page %2").arg(i).arg(page + 1));
            for (int p = 0; p < 4; ++p)
                b.paragraph(test::sampleParagraph(i * 10 + page * 4 + p, 70));
        }
        if (!test::makeDocument(**office, b, path)) return false;
    }
    return true;
}

// Everything inserted into one open target, stored once: the floor for any merge.
double singlePassMs(const QStringList& docs, const QString& target) {
    word::LibreOfficeFactory factory;
    auto office = factory.create();
    if (!office) return -1;
    QElapsedTimer t;
    t.start();
    auto doc = (*office)->add();
    if (!doc) return -1;
    (void)(*doc)->setOrientation(word::OrientationPortrait);
    for (qsizetype i = 0; i < docs.size(); ++i) {
        if (i > 0) (void)(*doc)->appendPageBreak();
        if (!(*doc)->appendFile(docs[i])) return -1;
    }
    if (!(*doc)->saveAs(target)) return -1;
    const double elapsed = ms(t.nsecsElapsed());
    return elapsed;
}

QString peerLine(const QStringList& docs, const QString& target) {
    const QString script = QStringLiteral(PW_SOURCE_DIR "/../shared/reference/peer_merge.py");
    if (!QFileInfo::exists(script)) return QStringLiteral("(peer_merge.py not found)");
    QProcess peer;
    peer.start(QStringLiteral("/usr/bin/python3"), QStringList{script, target} + docs);
    if (!peer.waitForFinished(30 * 60 * 1000)) return QStringLiteral("(peer_merge.py timed out)");
    return QString::fromUtf8(peer.readAllStandardOutput()).trimmed() +
           QString::fromUtf8(peer.readAllStandardError()).trimmed().right(300);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool peer = args.removeAll(QStringLiteral("--peer")) > 0;
    const bool plain = args.removeAll(QStringLiteral("--plain")) > 0;
    QList<int> sizes = {10, 50, 200};
    QString keep;
    for (qsizetype i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == u"--sizes") {
            sizes.clear();
            for (const QString& s : args[i + 1].split(u',')) sizes.append(s.toInt());
        } else if (args[i] == u"--keep") {
            keep = args[i + 1];
        }
    }
    QTemporaryDir temp;
    const QString inputs = keep.isEmpty() ? temp.filePath(QStringLiteral("inputs")) : keep;
    QDir().mkpath(inputs);
    const int most = *std::max_element(sizes.begin(), sizes.end());
    QElapsedTimer made;
    made.start();
    if (!makeInputs(inputs, most, plain)) {
        print(QStringLiteral("could not make the input documents"));
        return 1;
    }
    print(QStringLiteral("inputs: %1 three-page documents%2 in %3 (%4 s to make)")
              .arg(most)
              .arg(plain ? " without headers" : ", each with its own header")
              .arg(inputs)
              .arg(ms(made.nsecsElapsed()) / 1000, 0, 'f', 1));

    for (const int n : sizes) {
        QStringList docs;
        for (int i = 0; i < n; ++i)
            docs.append(QStringLiteral("%1/doc%2.docx").arg(inputs).arg(i, 3, 10, QChar(u'0')));
        const QString target = temp.filePath(QStringLiteral("merged%1.docx").arg(n));

        BenchPrompts prompts;
        TimedFactory factory;
        prompts.clock.start();
        const merge::MergeResult result = merge::runMerge({docs, target, true}, prompts, factory);
        const qint64 end = prompts.clock.nsecsElapsed();
        if (result.merged.size() != n) {
            print(QStringLiteral("merge of %1 failed: %2").arg(n).arg(prompts.shown));
            return 1;
        }
        QList<double> passes;
        for (qsizetype i = 0; i < prompts.passStarts.size(); ++i) {
            const qint64 next = i + 1 < prompts.passStarts.size() ? prompts.passStarts[i + 1] : end;
            passes.append(ms(next - prompts.passStarts[i]));
        }
        passes.last() -= factory.quitMs;
        const double total = ms(end);
        const double prep = ms(prompts.passStarts.first()) - factory.startMs;
        const double work =
            total - factory.startMs - factory.quitMs;  // but the office's start and quit
        const double floor =
            singlePassMs(docs, temp.filePath(QStringLiteral("single%1.docx").arg(n)));
        const qsizetype tenth = std::max<qsizetype>(1, n / 10);

        print(QStringLiteral("\nmerge of %1 documents (3 pages each, page breaks on)").arg(n));
        print(QStringLiteral("  total %1 s: office start %2 s, first entry and empty target %3 s, "
                             "passes %4 s, quit %5 s")
                  .arg(total / 1000, 0, 'f', 2)
                  .arg(factory.startMs / 1000, 0, 'f', 2)
                  .arg(prep / 1000, 0, 'f', 2)
                  .arg(std::accumulate(passes.begin(), passes.end(), 0.0) / 1000, 0, 'f', 2)
                  .arg(factory.quitMs / 1000, 0, 'f', 2));
        print(QStringLiteral(
                  "  per entry %1 ms; first %2 passes %3 ms each, last %2 passes %4 ms each; "
                  "+%5 ms per pass for each document already in the target")
                  .arg(work / n, 0, 'f', 0)
                  .arg(tenth)
                  .arg(mean(passes, 0, tenth), 0, 'f', 0)
                  .arg(mean(passes, n - tenth, tenth), 0, 'f', 0)
                  .arg(slope(passes), 0, 'f', 2));
        print(QStringLiteral("  insert all and store once (same run): %1 s; merge without office "
                             "start %2 s = %3x")
                  .arg(floor / 1000, 0, 'f', 2)
                  .arg(work / 1000, 0, 'f', 2)
                  .arg(work / floor, 0, 'f', 2));
        if (peer)
            print(QStringLiteral("  ") +
                  peerLine(docs, temp.filePath(QStringLiteral("peer%1.docx").arg(n))));
    }
    return test::waitNoOfficeProcesses() ? 0 : 2;
}
