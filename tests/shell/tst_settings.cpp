#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "merge/window/mergewindowsettings.h"
#include "shell/settingsstore.h"
#include "shell/windowsettings.h"
#include "split/window/splitwindowsettings.h"

using namespace pw;

namespace {

const QString Absent = QStringLiteral("<absent>");

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<SettingsStore> store_;

    QString stored(const QString& key) const {
        return store_->Get(SettingsApplication, SettingsSection, key, Absent);
    }
    void put(const QString& key, const QString& value) {
        store_->Save(SettingsApplication, SettingsSection, key, value);
    }
    static SplitWindowSettings changedSplit() {
        return {.optSplit = 1,
                .txtPages = QStringLiteral("12"),
                .txtNewDocs = QStringLiteral("3"),
                .cmbMaskLength = 6,
                .optNewDocName = 4,
                .optOutDir = 1};
    }

private slots:
    void init() {
        // A folder of its own for each case: QSettings caches what it has read per file.
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        store_ = std::make_unique<SettingsStore>(dir_->path());
    }

    void getAndSave() {
        QCOMPARE(store_->Get("Quillmark", "Controls", "txtPages", "dflt"), QString("dflt"));
        store_->Save("Quillmark", "Controls", "txtPages", "5");
        QCOMPARE(store_->Get("Quillmark", "Controls", "txtPages", "dflt"), QString("5"));
        store_->Save("Quillmark", "Controls", "txtPages", "07");
        QCOMPARE(store_->Get("Quillmark", "Controls", "txtPages", "dflt"), QString("07"));
        // Another section or application does not see it.
        QCOMPARE(store_->Get("Quillmark", "Other", "txtPages", "dflt"), QString("dflt"));
        QCOMPARE(store_->Get("Other", "Controls", "txtPages", "dflt"), QString("dflt"));
        // Kept as text in the application's INI file.
        QSettings file(dir_->filePath("Quillmark/Quillmark.ini"), QSettings::IniFormat);
        QCOMPARE(file.value("Controls/txtPages").toString(), QString("07"));
    }

    // Each window writes its own options and StartForm; an empty box is stored empty, not
    // left out, and texts keep their blanks.
    void savedValues() {
        saveSplitWindowSettings(*store_, changedSplit());
        QSettings file(dir_->filePath("Quillmark/Quillmark.ini"), QSettings::IniFormat);
        file.beginGroup("Controls");
        QStringList written;
        for (const QString& key : file.allKeys())
            written << key + u'=' + file.value(key).toString();
        QCOMPARE(written,
                 QStringList({"CmbNewNameMaskLength=6", "OptNewDocName=4", "OptOutDir=1",
                              "OptSplit=1", "StartForm=0", "txtNewDocs=3", "txtPages=12"}));
        saveMergeWindowSettings(*store_, {.chkPageBreak = false});
        QCOMPARE(stored("ChkPageBreak"), QString("0"));
        saveSplitWindowSettings(*store_, {.txtPages = QString(), .txtNewDocs = " 0 "});
        QCOMPARE(stored("txtPages"), QString(""));
        QCOMPARE(readSplitWindowSettings(*store_).txtNewDocs, QString(" 0 "));
    }

    void closingMergeAfterSplitOpensMergeNextTime() {
        // Closing the merge window closes the split window first.
        saveSplitWindowSettings(*store_, changedSplit());
        QCOMPARE(stored("ChkPageBreak"), Absent);
        saveMergeWindowSettings(*store_, {.chkPageBreak = true});
        QCOMPARE(readStartForm(*store_), 1);
        QCOMPARE(readMergeWindowSettings(*store_).chkPageBreak, true);
        QCOMPARE(readSplitWindowSettings(*store_).optNewDocName, 4);

        // Back on the split window and closed there: the merge window's close runs first.
        saveMergeWindowSettings(*store_, {.chkPageBreak = true});
        saveSplitWindowSettings(*store_, changedSplit());
        QCOMPARE(stored("StartForm"), QString("0"));
        QCOMPARE(readStartForm(*store_), 0);
    }

    void readingRules_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");
        // OptNewDocName is read as text; two-way options: 0 the first, any other number the
        // second; list positions outside 0 to 7 read as 0; check states other than 0 and 1 as
        // clear; StartForm: 0 split, any other number merge.
        const struct {
            const char* key;
            const char* value;
            int expected;
        } rows[] = {
            {"OptNewDocName", "7", 1},
            {"OptNewDocName", "abc", 1},
            {"OptNewDocName", "", 1},
            {"OptNewDocName", "03", 1},
            {"OptNewDocName", "3", 3},
            {"OptNewDocName", "0", 0},
            {"OptSplit", "5", 1},
            {"OptSplit", "-1", 1},
            {"OptSplit", "abc", 0},
            {"OptSplit", "99999999999999999999", 0},
            {"OptOutDir", "2", 1},
            {"OptOutDir", "x1", 0},
            {"CmbNewNameMaskLength", "7", 7},
            {"CmbNewNameMaskLength", "8", 0},
            {"CmbNewNameMaskLength", "-1", 0},
            {"CmbNewNameMaskLength", "2.5", 0},
            {"ChkPageBreak", "1", 1},
            {"ChkPageBreak", "2", 0},
            {"ChkPageBreak", "yes", 0},
            {"StartForm", "1", 1},
            {"StartForm", "-3", 1},
            {"StartForm", "0", 0},
            {"StartForm", "abc", 0},
        };
        for (const auto& r : rows)
            QTest::addRow("%s %s", r.key, r.value) << r.key << r.value << r.expected;
    }

    void readingRules() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(int, expected);
        put(key, value);
        const SplitWindowSettings split = readSplitWindowSettings(*store_);
        const QHash<QString, int> read{
            {"OptNewDocName", split.optNewDocName},
            {"OptSplit", split.optSplit},
            {"OptOutDir", split.optOutDir},
            {"CmbNewNameMaskLength", split.cmbMaskLength},
            {"ChkPageBreak", readMergeWindowSettings(*store_).chkPageBreak ? 1 : 0},
            {"StartForm", readStartForm(*store_)},
        };
        QCOMPARE(read.value(key, -99), expected);
    }

    void handEditedListReadsAsText() {
        QFile file(dir_->filePath("Quillmark/Quillmark.ini"));
        QDir().mkpath(dir_->filePath("Quillmark"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Controls]\ntxtPages=1,2\nOptSplit=1,2\n");
        file.close();
        const SplitWindowSettings split = readSplitWindowSettings(*store_);
        QCOMPARE(split.txtPages, QString("1,2"));
        QCOMPARE(split.optSplit, 0);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
