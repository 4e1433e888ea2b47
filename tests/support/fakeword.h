#pragma once

// The office in memory that every engine test uses: documents are small JSON files on disk,
// pages are where the file says they start, and any call can be made to fail, to leave half
// its work behind, or to bring the office down.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QStringList>

#include "word/documentengine.h"

namespace pw::test {

// A fake document's content. Paragraphs end with "\r" and the text ends with the final one.
// "{#}" stands for an automatic list label: not part of the text until convertNumbersToText
// writes it as "1. ", "2. " and so on, in document order.
struct FakeContent {
    QString text = QStringLiteral("\r");
    std::vector<int> pageStarts{0};  // offsets into text, ascending, the first 0
    int orientation = word::OrientationPortrait;
    bool tracked = false;  // holds tracked changes

    // Each page's paragraphs, at least one in all; each page after the first begins a page.
    static FakeContent fromPages(const QList<QStringList>& pages);
    // The text of each page with labels left out and "\r" as paragraph end.
    QStringList pageTexts() const;
};

bool writeFakeDocument(const QString& path, const FakeContent& content);
std::optional<FakeContent> readFakeDocument(const QString& path);

struct FakeCall {
    QString op;   // the member's name: "open", "saveAs", "paste", "pageStarts", ...; "create"
                  // for the factory, "quit" and "close" when an office or document goes
    QString arg;  // the path for open/saveAs/save/appendFile/close, else mostly empty
};

// A rule that makes matching calls fail.
struct FakeFault {
    QString op;
    QString argContains;  // empty matches every argument
    word::Error::Kind kind = word::Error::Kind::Failed;
    int skip = 0;            // matching calls let through first
    int times = -1;          // how many fail; -1 all
    bool kills = false;      // the office dies at this call
    bool partial = false;    // saveAs leaves a damaged file, appendFile half the entry
    bool diesAfter = false;  // the call works, then the office is gone; only a later call shows
};

// What the office saw and holds, shared by the factory and all it started.
struct FakeOfficeState {
    QList<FakeCall> calls;
    QList<FakeFault> faults;
    QStringList* events = nullptr;   // when set, each call is also written there as "op arg"
    std::function<void()> onCreate;  // runs while an office starts, as a user's clicks might
    // Runs at every call, on the thread that makes it: a test can hold a run there.
    std::function<void(const FakeCall&)> onCall;
    int created = 0;
    int live = 0;           // offices not yet destroyed
    int openDocuments = 0;  // across all offices
    int nextDocumentId = 1;

    int count(const QString& op, const QString& argContains = {}) const;
};

class FakeWordFactory : public word::ApplicationFactory {
public:
    FakeWordFactory();
    word::Result<std::unique_ptr<word::Application>> create() override;

    FakeOfficeState& state() { return *m_state; }
    void addFault(const FakeFault& fault) { m_state->faults.append(fault); }

private:
    std::shared_ptr<FakeOfficeState> m_state;
};

}  // namespace pw::test
