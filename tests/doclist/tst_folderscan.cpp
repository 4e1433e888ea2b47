#include <fcntl.h>
#include <unistd.h>

#include <QtTest>

#include "doclist/folderscan.h"

using namespace pw;

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

}  // namespace

class FolderScanTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString root() const { return dir_->path() + u'/'; }

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
    }

    // Each folder's documents first, even those listed after a subfolder, then each
    // subfolder's tree; other files are left out, whatever their name holds. Names go in reading
    // order: case aside, numbers by value. Hidden entries count, links are followed, dangling ones
    // left out.
    void finds_data() {
        QTest::addColumn<QStringList>("entries");  // files; "folder/"; "link -> target"
        QTest::addColumn<QStringList>("found");    // under d, in this order when "ordered"
        using L = QStringList;
        QTest::newRow("ordered numbers") << L{"d/第10章.docx", "d/第2章.docx", "d/第1章.docx"}
                                         << L{"d/第1章.docx", "d/第2章.docx", "d/第10章.docx"};
        QTest::newRow("ordered case")
            << L{"d/c.DOC", "d/B.doc", "d/a.doc", "d/m3.docx", "d/M2.DOCX"}
            << L{"d/a.doc", "d/B.doc", "d/c.DOC", "d/M2.DOCX", "d/m3.docx"};
        QTest::newRow("ordered subfolders")
            << L{"d/s10/x.doc", "d/S9/x.doc", "d/S9/deep/y.doc", "d/readme.txt", "d/z.doc",
                 "d/a.doc.bak", "d/a.docm",   "d/a.rtf",         "d/doc"}
            << L{"d/z.doc", "d/S9/x.doc", "d/S9/deep/y.doc", "d/s10/x.doc"};
        const L hidden{"d/.hidden/h.doc", "d/~$owner.docx", "d/.dot.docx", "d/.doc"};
        QTest::newRow("hidden") << hidden << hidden;
        QTest::newRow("links") << L{"far/far.doc",
                                    "t.docx",
                                    "d/",
                                    "d/linked -> far",
                                    "d/link.docx -> t.docx",
                                    "d/dangling.doc -> no.doc"}
                               << L{"d/linked/far.doc", "d/link.docx"};
        // A loop of links ends, each document listed once.
        QTest::newRow("loop of links")
            << L{"d/a/one.doc", "d/b/two.doc", "d/a/up -> d", "d/a/tob -> d/b", "d/b/toa -> d/a"}
            << L{"d/a/one.doc", "d/a/tob/two.doc"};
        QTest::newRow("missing folder") << L{} << L{};
    }
    void finds() {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, found);
        for (const QString& e : entries) {
            const QStringList link = e.split(" -> ");
            if (link.size() == 2)
                QVERIFY(QFile::link(root() + link[1], root() + link[0]));
            else if (e.endsWith('/'))
                QDir().mkpath(root() + e);
            else
                touch(root() + e);
        }
        const bool ordered = QByteArray(QTest::currentDataTag()).startsWith("ordered");
        auto relative = [&](QStringList list) {
            list.replaceInStrings(QRegularExpression("^" + QRegularExpression::escape(root())), "");
            if (!ordered) list.sort();
            return list;
        };
        if (!ordered) found.sort();
        QStringList once;
        AddFolderDocs(once, root() + "d");
        QCOMPARE(relative(once), found);
        QStringList twice{"already.doc"};  // appended to, and twice over if scanned twice
        AddFolderDocs(twice, root() + "d");
        AddFolderDocs(twice, root() + "d");
        QCOMPARE(twice, QStringList{"already.doc"} + once + once);
        // Without subfolders: only what is in d itself.
        QStringList own;
        AddFolderOwnDocs(own, root() + "d");
        QCOMPARE(relative(own), found.filter(QRegularExpression("^d/[^/]*$")));
    }

    void unreadableSubfolderAddsNothingAndStopsNothing() {
        const QString d = root() + "d";
        for (const char* file :
             {"top.doc", "locked/secret.doc", "open/seen.doc", "open/deeper/also.doc"})
            touch(d + '/' + file);
        // Readable for everyone but the locked folder.
        QFile::setPermissions(
            dir_->path(), QFile::permissions(dir_->path()) | QFile::ReadOther | QFile::ExeOther);
        QVERIFY(QFile::setPermissions(d + "/locked", QFileDevice::Permissions()));
        // Unlocked again, whatever happens, so that the folder can be removed.
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(d + "/locked",
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QStringList found;
        {
            // As another user when root, so that permissions count.
            const bool switched = geteuid() == 0 && setegid(65534) == 0 && seteuid(65534) == 0;
            const auto back = qScopeGuard([&] {
                if (switched && (seteuid(0) != 0 || setegid(0) != 0))
                    qFatal("cannot return to root");
            });
            if (faccessat(AT_FDCWD, QFile::encodeName(d + "/locked").constData(), R_OK,
                          AT_EACCESS) == 0)
                QSKIP("the locked folder stays readable for this user");
            AddFolderDocs(found, d);
        }
        QCOMPARE(found,
                 QStringList({d + "/top.doc", d + "/open/seen.doc", d + "/open/deeper/also.doc"}));
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
