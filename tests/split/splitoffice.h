#pragma once

// What the split's tests on the real office share: every page a part of its own, and a run
// checked for what every run must leave behind.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMap>

#include "split/splitrun.h"
#include "tests/support/office.h"
#include "tests/support/scriptedprompts.h"

namespace pw::test {

inline split::SplitRequest everyPage(const QStringList& docs, split::NamingMode naming,
                                     const QString& out) {
    split::SplitRequest r;
    r.documents = docs;
    r.pagesText = QStringLiteral("1");
    r.naming = naming;
    r.output = split::OutputRule::ChosenFolder;
    r.outDirText = out;
    QDir().mkpath(out);
    return r;
}

class SplitOfficeCase : public OfficeTestCase {
protected:
    // The sources are unchanged, nothing is left beside the first (the parts go to a folder of
    // their own) nor in a scratch folder of this process, and no office process of the run.
    split::SplitResult checkedRun(const split::SplitRequest& req, ScriptedPrompts& prompts) {
        const auto scratchFolders = [] {  // other programs may split at the same time
            const QString mine =
                QStringLiteral("pagewright-split-%1-*").arg(QCoreApplication::applicationPid());
            return QDir(QDir::tempPath()).entryList({mine}, QDir::Dirs | QDir::Hidden);
        };
        QMap<QString, QByteArray> hashes;
        for (const QString& d : req.documents) hashes[d] = fileHash(d);
        const QStringList scratchBefore = scratchFolders();
        const QDir folder = QFileInfo(req.documents.value(0)).dir();
        const QStringList filesBefore = folder.entryList(QDir::Files | QDir::Hidden);
        word::LibreOfficeFactory office;
        const split::SplitResult r = split::runSplit(req, prompts, office);
        [&] {
            for (const QString& d : req.documents)
                QVERIFY2(fileHash(d) == hashes[d], qPrintable("changed: " + d));
            QCOMPARE(folder.entryList(QDir::Files | QDir::Hidden), filesBefore);
            QCOMPARE(scratchFolders(), scratchBefore);
            QVERIFY2(onlyTheHelperLeft(), "an office process of the run is still there");
        }();
        return r;
    }
};

}  // namespace pw::test
