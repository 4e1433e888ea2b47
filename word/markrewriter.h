#pragma once

// One pass over a .docx main text (word/document.xml) that writes it again with each rendered
// page break of the body turned into a bookmark. Used by markWordPageStarts; no office here.

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <vector>

namespace pw::word {

bool isWordNamespace(QStringView uri);

// A start tag, end tag or text, kept to be written later.
struct XmlToken {
    QXmlStreamReader::TokenType type = QXmlStreamReader::NoToken;
    QString name;  // qualified, prefix as the source has it
    QXmlStreamNamespaceDeclarations namespaces;
    QXmlStreamAttributes attributes;
    QString text;
};

// One pass over the main text, writing it again with each rendered page break of the body
// turned into a bookmark. Names are written as the source spells them, so any prefix works.
class MarkRewriter {
public:
    explicit MarkRewriter(const QByteArray& xml) : m_reader(xml), m_writer(&m_output) {}

    bool run();
    const QByteArray& output() const { return m_output; }
    int marks() const { return m_marks; }

private:
    bool isWord(QStringView local) const {
        return m_reader.name() == local && isWordNamespace(m_reader.namespaceUri());
    }
    XmlToken current() const {
        return {m_reader.tokenType(), m_reader.qualifiedName().toString(),
                m_reader.namespaceDeclarations(), m_reader.attributes(),
                m_reader.text().toString()};
    }
    void write(const XmlToken& t);
    // Writes t, or keeps it while a field's start is held back.
    void put(XmlToken t) {
        if (m_holding)
            m_held.push_back(std::move(t));
        else
            write(t);
    }
    void release();
    bool startsField() const;
    void startElement();
    void endElement();
    void characters();
    void mark();
    void bookmark(int number, bool beforeHeld = false);
    void flushRunHead();
    void placeDeferred();
    // Whether the element is something Word shows: text, a tab, a break, a symbol, a picture.
    // Once a row has shown something, a page that begins in it began after the row did.
    bool isRowContent() const;

    QXmlStreamReader m_reader;
    QByteArray m_output;
    QXmlStreamWriter m_writer;
    int m_marks = 0;
    int m_depth = 0;
    int m_textBoxDepth = 0;  // inside a text box: not the main text
    int m_tableDepth = 0;
    bool m_rowHasContent = false;  // of the outermost row being read
    QString m_prefix;              // of the WordprocessingML names where the last mark stood

    // A run whose start and formatting are held back until its first content: a mark that
    // comes first then goes before the run, and a later one splits the run in two.
    enum class Run { None, Head, Body } m_run = Run::None;
    int m_runDepth = 0;
    std::vector<XmlToken> m_runHead;

    // A field whose result has shown nothing yet is held back from its start: a mark there
    // means the page begins with the field, and its bookmark goes before it (the office would
    // move a bookmark inside a field it keeps as a field to the field's end).
    bool m_holding = false;
    std::vector<XmlToken> m_held;
    int m_fieldDepth = 0;

    // Marks standing for the start of the row after the one they are in.
    std::vector<int> m_deferred;
    bool m_deferredReady = false;  // their row has ended
    int m_deferredParagraph = 0;   // depth of the paragraph that takes them, 0 for none yet
};

}  // namespace pw::word
