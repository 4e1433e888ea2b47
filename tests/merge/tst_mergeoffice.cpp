// The merge against the real LibreOffice: what the target holds, its pages and orientation, its
// format, and the office processes left behind.

#include <QtTest>

#include <csignal>

#include "merge/mergerun.h"
#include "tests/support/office.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testdocs.h"
#include "word/reasons.h"

using namespace pw;
using merge::MergeResult;
using Outcome = merge::MergeResult::Outcome;

namespace {

bool inOrder(const QString& text, const QStringList& words) {
    qsizetype from = 0;
    for (const QString& w : words) {
        from = text.indexOf(w, from);
        if (from < 0) return false;
        from += w.size();
    }
    return true;
}

}  // namespace

// What the office sees in a finished target: its text, orientation and the text of each page.
struct Inspection {
    QString text;  // paragraphs joined by blanks
    int orientation = -1;
    QStringList pages;
};

class TestMergeOffice : public test::OfficeTestCase {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    word::LibreOfficeFactory m_factory;
    QHash<QString, QString> m_tags;  // each made document's first words

    QString path(const QString& name) const { return m_dir.filePath(name); }
    MergeResult run(const QStringList& documents, const QString& target, bool pageBreaks = false) {
        return merge::runMerge({documents, target, pageBreaks}, *m_prompts, m_factory);
    }
    Inspection inspect(const QString& target) {
        Inspection result;
        auto doc = m_app->open(target);
        if (!doc) return result;
        result.text =
            test::foldSpace((*doc)->characters().value_or(QString()).replace(u'\r', u' '));
        result.orientation = (*doc)->orientation().value_or(-1);
        const QString pdf = target + ".pdf";
        if ((*doc)->saveAs(pdf))
            for (int p = 1; p <= test::pdfPageCount(pdf); ++p)
                result.pages.append(test::pdfPageText(pdf, p));
        return result;
    }

private slots:
    void initTestCase() {
        OfficeTestCase::initTestCase();
        QVERIFY(m_app && m_dir.isValid());
        m_tags = {{"alpha.docx", "ALPHA"}, {"beta.docx", "BETA"},      {"gamma.docx", "GAMMA"},
                  {"delta.docx", "DELTA"}, {"wide.docx", "WIDE"},      {"rich.rtf", "RICHTEXT"},
                  {"old.doc", "OLDWORD"},  {"plain.txt", "PLAINTEXT"}, {"page.htm", "WEBPAGE"}};
        for (auto it = m_tags.begin(); it != m_tags.end(); ++it) {
            if (it.key().startsWith('p')) continue;  // written by hand below
            test::DocBuilder b;
            b.paragraph(*it + " begins here").landscape(*it == "WIDE");
            for (int i = 0; i < 2; ++i) b.paragraph(test::sampleParagraph(i, 20));
            QVERIFY(test::makeDocument(*m_app, b, path(it.key())));
        }
        QVERIFY(test::writeFile(path("plain.txt"),
                                "PLAINTEXT begins here\nsecond line of the text file\n"));
        QVERIFY(test::writeFile(path("page.htm"),
                                "<html><head><meta charset=\"utf-8\"><title>t</title></head>"
                                "<body><p>WEBPAGE begins here</p><p>a second paragraph</p>"
                                "</body></html>"));
    }

    void init() { m_prompts = std::make_unique<test::ScriptedPrompts>(); }
    void cleanup() { QVERIFY2(onlyTheHelperLeft(), "an office process was left running"); }

    // Each entry on a page of its own, or all on one page, in the first entry's orientation.
    // Other formats go in too; the target's extension decides its format.
    void pagesAndFormats_data() {
        QTest::addColumn<QStringList>("docs");
        QTest::addColumn<bool>("breaks");
        QTest::newRow("breaks, formats")
            << QStringList{"old.doc", "plain.txt", "rich.rtf", "page.htm", "alpha.docx"} << true;
        QTest::newRow("no breaks") << QStringList{"wide.docx", "beta.docx", "gamma.docx"} << false;
    }
    void pagesAndFormats() {
        QFETCH(QStringList, docs);
        QFETCH(bool, breaks);
        const QString target = path(breaks ? "breaks.docx" : "nobreaks.docx");
        QStringList starts;
        for (QString& d : docs) {
            starts << m_tags.value(d) + " begins";
            d = path(d);
        }
        const MergeResult r = run(docs, target, breaks);
        QCOMPARE(r.merged, docs);
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(4), QByteArray("PK\x03\x04"));
        const Inspection got = inspect(target);
        QCOMPARE(got.orientation, breaks ? word::OrientationPortrait : word::OrientationLandscape);
        QVERIFY2(inOrder(got.text, starts), qPrintable(got.text));
        if (!breaks) starts = QStringList{got.pages.value(0)};
        QCOMPARE(got.pages.size(), starts.size());
        for (int k = 0; k < got.pages.size(); ++k) {
            QVERIFY2(got.pages[k].startsWith(starts[k]), qPrintable(got.pages[k]));
            if (k + 1 < starts.size()) QVERIFY(!got.pages[k].contains(starts[k + 1].left(4)));
        }
    }

    // Damaged and (with the fixtures) encrypted entries are left out and listed; they leave no
    // empty page where they were. Each pass is stored: with the office
    // killed before the GAMMA pass, the target is reopened from the file, which holds the rest.
    void unreadableEntriesAndAKilledOffice() {
        QVERIFY(test::writeFile(path("damaged.docx"), "PK\x03\x04" + QByteArray(2000, 'Z')));
        QStringList docs = {path("alpha.docx"), path("damaged.docx")};
        const QString fixtures = test::fixturesDir();
        if (fixtures.isEmpty())
            qInfo("../shared/fixtures is absent: protected documents are not checked");
        else
            docs << fixtures + "/poi/bug53475-password-is-pass.docx"
                 << fixtures + "/poi/password_tika_binaryrc4.doc";
        const QStringList good = {docs[0], path("beta.docx"), path("gamma.docx"),
                                  path("delta.docx")};
        docs << good.mid(1);
        const auto helper = test::officeProcesses();
        m_prompts->onProgress = [&](const Progress& p) {
            if (p.document != good[2]) return;
            for (const qint64 pid : test::officeProcesses())
                if (!helper.contains(pid)) ::kill(pid_t(pid), SIGKILL);
            QVERIFY(onlyTheHelperLeft());
        };
        const MergeResult r = run(docs, path("gaps.docx"), true);
        QCOMPARE(r.outcome, Outcome::Completed);
        QCOMPARE(r.merged, good);
        QCOMPARE(r.failures.size(), docs.size() - 4);
        const Inspection got = inspect(path("gaps.docx"));
        QVERIFY(inOrder(got.text, {"ALPHA begins", "BETA begins", "GAMMA begins", "DELTA begins"}));
        QCOMPARE(got.pages.size(), 4);
        QVERIFY(QDir(m_dir.path()).entryList({".~lock*"}, QDir::Files | QDir::Hidden).isEmpty());
        // Encrypted documents are named as such; the damaged one is not.
        const QString password = word::reasonText({word::Error::Kind::Password, {}});
        QVERIFY(!r.failures[0].reason.contains(password));
        for (qsizetype k = 1; !fixtures.isEmpty() && k <= 2; ++k)
            QVERIFY2(r.failures[k].reason.contains(password), qPrintable(r.failures[k].reason));
    }

    void realDocuments() {
        const QString fixtures = test::fixturesDir();
        if (fixtures.isEmpty())
            QSKIP("../shared/fixtures is absent: the real documents are not checked");
        const QString dir = fixtures + "/docxcompose/";
        const QStringList docs = {dir + "master.docx",        dir + "numberings.docx",
                                  dir + "header_footer.docx", dir + "images.docx",
                                  dir + "footnote.docx",      dir + "table.docx"};
        // Each source's paragraphs as the office reads them, before the merge.
        QStringList expected;
        for (const QString& d : docs) {
            auto doc = m_app->open(d);
            QVERIFY2(doc, qPrintable(d));
            const QStringList paragraphs = (*doc)->characters().value_or(QString()).split(u'\r');
            for (const QString& p : paragraphs)
                if (!p.trimmed().isEmpty()) expected.append(test::foldSpace(p));
        }
        QVERIFY(expected.size() >= docs.size());
        const QString target = path("real.docx");
        const MergeResult r = run(docs, target, true);
        QCOMPARE(r.merged, docs);
        // Unopened, the text is empty and out of order.
        const QString text = inspect(target).text;
        QVERIFY2(inOrder(text, expected), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestMergeOffice)
#include "tst_mergeoffice.moc"
