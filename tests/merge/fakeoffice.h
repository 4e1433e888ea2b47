#pragma once

// A small in-memory office for the merge's tests. Its documents are text files: a first line
// "FAKEDOC <orientation>", then one line per block ("<break>" for a page break). Every call is
// written to a shared event list, and each kind of failure can be switched on.

#include <memory>

#include <QSet>
#include <QString>
#include <QStringList>

#include "word/documentengine.h"

namespace pw::test {

struct FakeDoc {
    bool valid = false;
    int orientation = 0;
    QStringList blocks;
};
inline const QString FakeBreak = QStringLiteral("<break>");
FakeDoc readFakeDoc(const QString& path);
bool writeFakeDoc(const QString& path, const FakeDoc& doc);
bool writeFakeDoc(const QString& path, int orientation, const QStringList& blocks);

struct FakeOffice {
    QStringList* events = nullptr;

    bool failStart = false;
    bool failOrientation = false;
    bool failSetOrientation = false;
    bool failAdd = false;
    bool failSaveAs = false;      // leaves a part of the file behind
    QSet<QString> failOpen;       // paths open() refuses
    QSet<QString> failInsert;     // paths whose insertion stops halfway
    QSet<QString> crashOnInsert;  // paths whose insertion brings the office down
    QSet<int> failSaves;          // which calls of save() fail, counted from 1
    int dieQuietlyAfterSave =
        0;  // after that save the office is gone, which only the next call shows

    int created = 0;
    int quits = 0;
    int live = 0;  // applications not yet destroyed
    int saves = 0;

    void log(const QString& event) const {
        if (events) events->append(event);
    }
};

class FakeFactory final : public word::ApplicationFactory {
public:
    explicit FakeFactory(FakeOffice& office) : m_office(office) {}
    word::Result<std::unique_ptr<word::Application>> create() override;

private:
    FakeOffice& m_office;
};

}  // namespace pw::test
