#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "doclist/documenttypes.h"
#include "doclist/folderscan.h"

using namespace pw;

namespace {

void touch(const QString& path) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

QStringList scan(const QString& folder) {
    QStringList list;
    AddFolderDocs(list, folder);
    return list;
}

QSet<QString> asSet(const QStringList& list) {
    return QSet<QString>(list.begin(), list.end());
}

QStringList scanOwn(const QString& folder) {
    QStringList list;
    AddFolderOwnDocs(list, folder);
    return list;
}

// Runs with another user's rights when root, so that permissions count.
class AsUnprivilegedUser {
public:
    AsUnprivilegedUser()
        : switched_(geteuid() == 0 && setegid(NoBody) == 0 && seteuid(NoBody) == 0) {}
    ~AsUnprivilegedUser() {
        if (switched_ && (seteuid(0) != 0 || setegid(0) != 0)) qFatal("cannot return to root");
    }
    AsUnprivilegedUser(const AsUnprivilegedUser&) = delete;
    AsUnprivilegedUser& operator=(const AsUnprivilegedUser&) = delete;

private:
    static constexpr uid_t NoBody = 65534;
    bool switched_;
};

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

    void extensionTest_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("document");
        QTest::newRow("doc") << "a.doc" << true;
        QTest::newRow("DOCX") << "A.DOCX" << true;
        QTest::newRow("Doc") << "b.Doc" << true;
        QTest::newRow("bak") << "a.doc.bak" << false;
        QTest::newRow("docm") << "a.docm" << false;
        QTest::newRow("rtf") << "a.rtf" << false;
        QTest::newRow("no dot") << "doc" << false;
        QTest::newRow("only ext") << ".doc" << true;
        QTest::newRow("owner file") << "~$report.docx" << true;
    }
    void extensionTest() {
        QFETCH(QString, name);
        QFETCH(bool, document);
        QCOMPARE(IsFolderDocument(name), document);
    }

    // Each folder's documents first, even those listed after a subfolder, then each
    // subfolder's tree; other files are left out. Names go in reading order: case aside,
    // numbers by value.
    void readingOrder_data() {
        QTest::addColumn<QStringList>("files");  // as created
        QTest::addColumn<QStringList>("found");
        QTest::newRow("numbers") << QStringList{"第10章.docx", "第2章.docx", "第1章.docx"}
                                 << QStringList{"第1章.docx", "第2章.docx", "第10章.docx"};
        QTest::newRow("case") << QStringList{"c.DOC", "B.doc", "a.doc", "m030.docx", "M024.docx"}
                              << QStringList{"a.doc", "B.doc", "c.DOC", "M024.docx", "m030.docx"};
        QTest::newRow("subfolders")
            << QStringList{"s10/x.doc", "S9/x.doc", "S9/deep/y.doc", "readme.txt", "z.doc"}
            << QStringList{"z.doc", "S9/x.doc", "S9/deep/y.doc", "s10/x.doc"};
    }
    void readingOrder() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, found);
        const QString d = root() + "ordered/";
        for (const QString& f : files) touch(d + f);
        QStringList expected;
        for (const QString& f : found) expected << d + f;
        QCOMPARE(scan(d), expected);
        QStringList ownOnly;
        for (const QString& f : found)
            if (!f.contains(u'/')) ownOnly << d + f;
        QCOMPARE(scanOwn(d), ownOnly);
    }

    void subfolderNamedLikeADocument() {
        const QString d = root() + "d";
        touch(d + "/e.doc/inner.docx");
        QCOMPARE(scan(d), QStringList({d + "/e.doc/inner.docx"}));
        QCOMPARE(scanOwn(d), QStringList());
    }

    void hiddenEntriesAreScanned() {
        const QString d = root() + "d";
        touch(d + "/.hidden/h.doc");
        QCOMPARE(scan(d), QStringList({d + "/.hidden/h.doc"}));
        touch(d + "/~$owner.docx");
        touch(d + "/.dot.docx");
        QCOMPARE(asSet(scanOwn(d)), QSet<QString>({d + "/~$owner.docx", d + "/.dot.docx"}));
        QCOMPARE(scan(d).size(), 3);
    }

    void loopOfLinksEnds() {
        const QString d = root() + "d";
        touch(d + "/a/one.doc");
        touch(d + "/b/two.doc");
        QVERIFY(QFile::link(d, d + "/a/up"));          // back to the top
        QVERIFY(QFile::link(d + "/b", d + "/a/tob"));  // and across
        QVERIFY(QFile::link(d + "/a", d + "/b/toa"));
        const QStringList found = scan(d);
        QCOMPARE(found.size(), 2);
        QCOMPARE(found.filter("one.doc").size(), 1);
        QCOMPARE(found.filter("two.doc").size(), 1);
    }

    void linksAreFollowed() {
        const QString d = root() + "d";
        touch(root() + "elsewhere/far.doc");
        touch(root() + "target.docx");
        QDir().mkpath(d);
        QVERIFY(QFile::link(root() + "elsewhere", d + "/linked"));
        QVERIFY(QFile::link(root() + "target.docx", d + "/shortcut.docx"));
        QVERIFY(QFile::link(root() + "missing.doc", d + "/dangling.doc"));
        const QStringList found = scan(d);
        QCOMPARE(asSet(found), QSet<QString>({d + "/linked/far.doc", d + "/shortcut.docx"}));
        QCOMPARE(scanOwn(d), QStringList({d + "/shortcut.docx"}));
    }

    void unreadableSubfolderAddsNothingAndStopsNothing() {
        const QString d = root() + "d";
        touch(d + "/top.doc");
        touch(d + "/locked/secret.doc");
        touch(d + "/open/seen.doc");
        touch(d + "/open/deeper/also.doc");
        // Readable for everyone but the locked folder.
        QFile::setPermissions(
            dir_->path(), QFile::permissions(dir_->path()) | QFile::ReadOther | QFile::ExeOther);
        QVERIFY(QFile::setPermissions(d + "/locked", QFileDevice::Permissions()));
        QStringList found;
        {
            AsUnprivilegedUser user;
            if (faccessat(AT_FDCWD, QFile::encodeName(d + "/locked").constData(), R_OK,
                          AT_EACCESS) == 0) {
                QFile::setPermissions(d + "/locked",
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("the locked folder stays readable for this user");
            }
            found = scan(d);
        }
        QFile::setPermissions(d + "/locked",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(asSet(found), QSet<QString>({d + "/top.doc", d + "/open/seen.doc",
                                              d + "/open/deeper/also.doc"}));
    }

    void missingFolderAddsNothing() {
        QCOMPARE(scan(root() + "nowhere"), QStringList());
        QCOMPARE(scanOwn(root() + "nowhere"), QStringList());
        touch(root() + "file.doc");
        QCOMPARE(scan(root() + "file.doc"), QStringList());
    }

    void scanningTwiceListsTwice() {
        const QString d = root() + "d";
        touch(d + "/x.doc");
        touch(d + "/s/y.doc");
        QStringList list{"already.doc"};
        AddFolderDocs(list, d);
        AddFolderDocs(list, d);
        QCOMPARE(list.size(), 5);
        QCOMPARE(list.first(), QString("already.doc"));
        QCOMPARE(list.mid(1, 2), list.mid(3, 2));
    }
};

QTEST_GUILESS_MAIN(FolderScanTest)
#include "tst_folderscan.moc"
