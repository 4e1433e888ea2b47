#pragma once

// An office in memory for the engines' tests: documents are small JSON files on disk, pages are
// where the file says they start, and any call can be made to fail or to kill the office.

#include <memory>
#include <optional>
#include <vector>

#include <QList>
#include <QString>
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
    QString format;  // the extension it was stored under, lower case

    // Each page's paragraphs, in order; every page after the first starts a new page.
    static FakeContent fromPages(const QList<QStringList>& pages);
    // The text of each page with labels left out and "\r" as paragraph end.
    QStringList pageTexts() const;
    QString visibleText() const;  // the whole text, labels left out
};

bool writeFakeDocument(const QString& path, const FakeContent& content);
std::optional<FakeContent> readFakeDocument(const QString& path);

struct FakeCall {
    QString op;   // the member's name: "open", "saveAs", "paste", "nextPage", ...
    QString arg;  // the path for open/saveAs/insertFile, the SaveChanges for close, else empty
};

// A rule that makes matching calls fail.
struct FakeFault {
    QString op;
    QString argContains;  // empty matches every argument
    word::Error::Kind kind = word::Error::Kind::Failed;
    int skip = 0;        // matching calls let through first
    int times = -1;      // how many fail; -1 all
    bool kills = false;  // the office dies at this call
};

// What the office saw and holds, shared by the factory and all it started.
struct FakeOfficeState {
    QList<FakeCall> calls;
    QList<FakeFault> faults;
    int created = 0;
    int running = 0;        // started and neither quit nor dead
    int openDocuments = 0;  // across all applications
    int nextDocumentId = 1;
    // When a modified document is closed with SaveChanges::Omitted it is written back, as the
    // least forgiving server would; the engines must never rely on the default.
    bool omittedSaves = true;

    int count(const QString& op, const QString& argContains = {}) const;
};

class FakeWordFactory final : public word::ApplicationFactory {
public:
    FakeWordFactory();
    word::Result<std::unique_ptr<word::Application>> create() override;

    FakeOfficeState& state() { return *m_state; }
    const FakeOfficeState& state() const { return *m_state; }
    void addFault(const FakeFault& fault) { m_state->faults.append(fault); }

private:
    std::shared_ptr<FakeOfficeState> m_state;
};

}  // namespace pw::test
