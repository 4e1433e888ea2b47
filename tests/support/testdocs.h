#pragma once

// Documents made by the tests: written as flat ODF, then turned into .docx, .doc or .rtf by the
// office itself, so every test document is one the office really reads.

#include <utility>
#include <vector>

#include <QString>

#include "word/documentengine.h"

namespace pw::test {

class DocBuilder {
public:
    DocBuilder& landscape(bool on = true) { return set(m_landscape, on); }
    DocBuilder& header(const QString& text) { return set(m_header, text); }
    DocBuilder& footer(const QString& text) { return set(m_footer, text); }
    DocBuilder& paragraph(const QString& text) { return add(Block::Paragraph, text); }
    // A paragraph of hidden text.
    DocBuilder& hiddenParagraph(const QString& text) { return add(Block::Hidden, text); }
    // The next block begins on a new page.
    DocBuilder& pageBreak() { return set(m_pendingBreak, true); }
    // One item of an automatically numbered list; consecutive items form one list.
    DocBuilder& numberedItem(const QString& text) { return add(Block::Item, text); }
    DocBuilder& bulletItem(const QString& text) { return add(Block::Bullet, text); }
    // A table whose cells read "r<row>c<column>", counted from 0.
    DocBuilder& table(int rows, int columns);
    // A footnote at the end of the last paragraph.
    DocBuilder& footnote(const QString& text) { return setLast(&Block::footnote, text); }
    // The first page has a header of its own (the document's first page only).
    DocBuilder& firstPageHeader(const QString& text) { return set(m_firstHeader, text); }
    // Saved with change recording on.
    DocBuilder& recordChanges() { return set(m_recordChanges, true); }
    // A tracked deletion of text at the end of the last paragraph.
    DocBuilder& deletedText(const QString& text) { return setLast(&Block::deleted, text); }
    // A paragraph with a picture that is only linked: the document holds its address.
    DocBuilder& linkedPicture(const QString& url) { return add(Block::Picture, url); }

    bool writeFlatOdf(const QString& path) const;

private:
    struct Block {
        enum Kind { Paragraph, Hidden, Item, Bullet, Table, Picture } kind;
        QString text;
        bool breakBefore = false;
        int rows = 0, columns = 0;
        QString footnote = {};
        QString deleted = {};
    };
    template <class T>
    DocBuilder& set(T& member, const T& value) {
        member = value;
        return *this;
    }
    DocBuilder& add(Block::Kind kind, const QString& text) {
        m_blocks.push_back({kind, text, std::exchange(m_pendingBreak, false)});
        return *this;
    }
    DocBuilder& setLast(QString Block::*field, const QString& text) {
        if (!m_blocks.empty()) m_blocks.back().*field = text;
        return *this;
    }
    std::vector<Block> m_blocks;
    bool m_landscape = false;
    bool m_pendingBreak = false;
    QString m_header, m_footer, m_firstHeader;
    bool m_recordChanges = false;
};

// Writes the document under path in the format of its extension, through app.
bool makeDocument(word::Application& app, const DocBuilder& doc, const QString& path);

// pages pages, each a paragraph "<tag> page <k> heading" and one of words words.
DocBuilder pagedDocument(int pages, const QString& tag, int words = 20);
// The document's text as the office reads it, blanks folded; "<not opened: why>" otherwise.
QString documentText(word::Application& app, const QString& path);
// The office's PDF export of path, written as path + ".pdf"; empty when it fails.
QString exportPdf(word::Application& app, const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// Lorem-like text that differs from paragraph to paragraph, so page texts can be told apart.
QString sampleParagraph(int index, int words = 60);

}  // namespace pw::test
