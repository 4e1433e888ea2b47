#pragma once

// What the office itself says of a document, read through a private office of the test's own:
// its main text as the plain-text export writes it, and each page of its PDF export.

#include <optional>

#include <QString>
#include <QStringList>

#include "word/documentengine.h"

namespace pw::test {

struct OfficeView {
    QString mainText;   // whitespace removed
    QStringList pages;  // each page's text, headers and footers included, whitespace removed
};

class CorpusOracle {
public:
    explicit CorpusOracle(QString scratch) : m_scratch(std::move(scratch)) {}
    // Empty when the office cannot open the file (or went down on it; it is started afresh).
    // Without pages, only the main text is read: much cheaper on long documents. The file is
    // read from a copy named `readAs`, so that a field showing the file's name reads the same
    // in a part as in its source.
    std::optional<OfficeView> view(const QString& path, const QString& readAs,
                                   bool withPages = true);

private:
    std::unique_ptr<word::Application> m_app;
    QString m_scratch;
};

// How alike two page texts are, from 0 to 1: the share of character pairs they have in common.
double similarity(const QString& a, const QString& b);
QString withoutSpace(const QString& text);

}  // namespace pw::test
