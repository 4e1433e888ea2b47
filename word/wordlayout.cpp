#include "word/wordlayout.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <vector>

#include "word/docxpackage.h"

namespace pw::word {

namespace {

bool isWordNamespace(QStringView uri) {
    return uri == u"http://schemas.openxmlformats.org/wordprocessingml/2006/main" ||
           uri == u"http://purl.oclc.org/ooxml/wordprocessingml/main";
}

// The first bookmark number far above any Word gives, so that no existing bookmark shares it.
constexpr int FirstBookmarkId = 2000000000;

// Where the package keeps its main text and its properties, as its relationships say.
struct PartNames {
    QString mainText = QStringLiteral("word/document.xml");
    QString properties = QStringLiteral("docProps/app.xml");
};

PartNames partNames(const DocxPackage& package) {
    PartNames names;
    const std::optional<QByteArray> rels = package.read(QStringLiteral("_rels/.rels"));
    if (!rels) return names;
    QXmlStreamReader r(*rels);
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement() || r.name() != u"Relationship") continue;
        const QStringView type = r.attributes().value(QLatin1StringView("Type"));
        QString target = r.attributes().value(QLatin1StringView("Target")).toString();
        while (target.startsWith(u'/')) target.remove(0, 1);
        if (type.endsWith(u"/officeDocument")) names.mainText = target;
        if (type.endsWith(u"/extended-properties") || type.endsWith(u"/extendedProperties"))
            names.properties = target;
    }
    return names;
}

void readProperties(const QByteArray& xml, RecordedLayout& layout) {
    QXmlStreamReader r(xml);
    int depth = 0;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement()) --depth;
        if (!r.isStartElement()) continue;
        if (++depth != 2) continue;
        if (r.name() == u"Application") {
            const QString app = r.readElementText();
            layout.fromWord = app.contains(u"Microsoft", Qt::CaseInsensitive) &&
                              app.contains(u"Word", Qt::CaseInsensitive);
            --depth;
        } else if (r.name() == u"Pages") {
            layout.pages = r.readElementText().trimmed().toInt();
            --depth;
        }
    }
}

// A start tag, end tag or text, kept to be written later.
struct Token {
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
    Token current() const {
        return {m_reader.tokenType(), m_reader.qualifiedName().toString(),
                m_reader.namespaceDeclarations(), m_reader.attributes(),
                m_reader.text().toString()};
    }
    void write(const Token& t);
    void startElement();
    void endElement();
    void characters();
    void mark();
    void bookmark(int number);
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
    std::vector<Token> m_runHead;

    // Marks standing for the start of the row after the one they are in.
    std::vector<int> m_deferred;
    bool m_deferredReady = false;  // their row has ended
    int m_deferredParagraph = 0;   // depth of the paragraph that takes them, 0 for none yet
};

bool MarkRewriter::run() {
    while (!m_reader.atEnd()) {
        switch (m_reader.readNext()) {
            case QXmlStreamReader::StartElement:
                startElement();
                break;
            case QXmlStreamReader::EndElement:
                endElement();
                break;
            case QXmlStreamReader::Characters:
                characters();
                break;
            case QXmlStreamReader::Invalid:
                break;
            default:
                flushRunHead();
                m_writer.writeCurrentToken(m_reader);
                break;
        }
    }
    return !m_reader.hasError();
}

void MarkRewriter::write(const Token& t) {
    switch (t.type) {
        case QXmlStreamReader::StartElement:
            m_writer.writeStartElement(t.name);
            for (const QXmlStreamNamespaceDeclaration& ns : t.namespaces)
                m_writer.writeAttribute(ns.prefix().isEmpty()
                                            ? QStringLiteral("xmlns")
                                            : QStringLiteral("xmlns:") + ns.prefix().toString(),
                                        ns.namespaceUri().toString());
            for (const QXmlStreamAttribute& a : t.attributes)
                m_writer.writeAttribute(a.qualifiedName().toString(), a.value().toString());
            break;
        case QXmlStreamReader::EndElement:
            m_writer.writeEndElement();
            break;
        default:
            m_writer.writeCharacters(t.text);
            break;
    }
}

void MarkRewriter::flushRunHead() {
    if (m_run != Run::Head) return;
    for (const Token& t : m_runHead) write(t);
    m_run = Run::Body;
}

bool MarkRewriter::isRowContent() const {
    static const QLatin1StringView shown[] = {
        QLatin1StringView("t"),       QLatin1StringView("delText"),
        QLatin1StringView("tab"),     QLatin1StringView("ptab"),
        QLatin1StringView("br"),      QLatin1StringView("cr"),
        QLatin1StringView("sym"),     QLatin1StringView("noBreakHyphen"),
        QLatin1StringView("drawing"), QLatin1StringView("pict"),
        QLatin1StringView("object")};
    if (!isWordNamespace(m_reader.namespaceUri())) return false;
    for (QLatin1StringView name : shown)
        if (m_reader.name() == name) return true;
    return false;
}

void MarkRewriter::startElement() {
    ++m_depth;
    const bool inMainText = m_textBoxDepth == 0;
    if (isWord(u"txbxContent")) ++m_textBoxDepth;
    if (inMainText && isWord(u"lastRenderedPageBreak")) {
        m_prefix = m_reader.prefix().toString();
        mark();
        m_reader.skipCurrentElement();
        --m_depth;
        return;
    }
    if (m_run == Run::Head) {
        const bool formatting = m_depth > m_runDepth + 1 || isWord(u"rPr");
        if (formatting) {
            m_runHead.push_back(current());
            return;
        }
        flushRunHead();
    }
    if (m_deferredParagraph && m_depth == m_deferredParagraph + 1 && !isWord(u"pPr"))
        placeDeferred();
    if (inMainText) {
        if (isWord(u"tbl")) ++m_tableDepth;
        if (isWord(u"tr") && m_tableDepth == 1) m_rowHasContent = false;
        if (m_tableDepth > 0 && isRowContent()) m_rowHasContent = true;
        if (isWord(u"p") && m_deferredReady && !m_deferredParagraph) m_deferredParagraph = m_depth;
        if (isWord(u"r") && m_run == Run::None) {
            m_run = Run::Head;
            m_runDepth = m_depth;
            m_runHead.assign(1, current());
            return;
        }
    }
    write(current());
}

void MarkRewriter::endElement() {
    if (m_run == Run::Head && m_depth > m_runDepth) {
        m_runHead.push_back(current());
        --m_depth;
        return;
    }
    flushRunHead();
    if (m_run == Run::Body && m_depth == m_runDepth) m_run = Run::None;
    if (m_deferredParagraph == m_depth) placeDeferred();
    if (isWord(u"txbxContent")) --m_textBoxDepth;
    if (m_textBoxDepth == 0) {
        if (isWord(u"tr") && m_tableDepth == 1 && !m_deferred.empty()) m_deferredReady = true;
        if (isWord(u"tbl")) --m_tableDepth;
        // Left over at the very end: they still count, and the office puts them at the end.
        if (isWord(u"body")) placeDeferred();
    }
    m_writer.writeEndElement();
    --m_depth;
}

void MarkRewriter::characters() {
    if (m_run == Run::Head) {
        if (m_reader.isWhitespace()) {
            m_runHead.push_back(current());
            return;
        }
        flushRunHead();
    }
    if (m_reader.isCDATA())
        m_writer.writeCDATA(m_reader.text().toString());
    else
        m_writer.writeCharacters(m_reader.text().toString());
}

void MarkRewriter::mark() {
    const int number = ++m_marks;
    // The row began on an earlier page: it stays there whole, and this page begins after it.
    if (m_tableDepth > 0 && m_rowHasContent) {
        m_deferred.push_back(number);
        return;
    }
    if (m_run == Run::Body) {
        m_writer.writeEndElement();
        bookmark(number);
        for (const Token& t : m_runHead) write(t);
        return;
    }
    bookmark(number);  // before a held-back run, or between runs
}

void MarkRewriter::placeDeferred() {
    for (int number : m_deferred) bookmark(number);
    m_deferred.clear();
    m_deferredReady = false;
    m_deferredParagraph = 0;
}

void MarkRewriter::bookmark(int number) {
    const bool prefixed = !m_prefix.isEmpty();
    // Word's attributes must be qualified; with Word's names unprefixed, a prefix is declared.
    const QString p = prefixed ? m_prefix + u':' : QString();
    const QString a = prefixed ? p : QStringLiteral("pwb:");
    const QString id = QString::number(FirstBookmarkId + number);
    auto declare = [&] {
        if (!prefixed)
            m_writer.writeAttribute(QStringLiteral("xmlns:pwb"),
                                    QStringLiteral("http://schemas.openxmlformats.org/"
                                                   "wordprocessingml/2006/main"));
    };
    m_writer.writeStartElement(p + QStringLiteral("bookmarkStart"));
    declare();
    m_writer.writeAttribute(a + QStringLiteral("id"), id);
    m_writer.writeAttribute(a + QStringLiteral("name"),
                            pageStartBookmarkPrefix() + QString::number(number));
    m_writer.writeEndElement();
    m_writer.writeStartElement(p + QStringLiteral("bookmarkEnd"));
    declare();
    m_writer.writeAttribute(a + QStringLiteral("id"), id);
    m_writer.writeEndElement();
}

}  // namespace

QString pageStartBookmarkPrefix() {
    return QStringLiteral("PagewrightWordPage");
}

RecordedLayout markWordPageStarts(const QString& source, const QString& target) {
    RecordedLayout layout;
    const std::unique_ptr<DocxPackage> package = DocxPackage::open(source);
    if (!package) return layout;
    const PartNames names = partNames(*package);
    if (const auto properties = package->read(names.properties))
        readProperties(*properties, layout);
    if (!layout.fromWord || layout.pages < 2) return layout;
    const std::optional<QByteArray> text = package->read(names.mainText);
    if (!text) return layout;
    MarkRewriter rewriter(*text);
    const bool read = rewriter.run();
    layout.marks = read ? rewriter.marks() : 0;
    layout.marked =
        layout.complete() && package->copyReplacing(target, names.mainText, rewriter.output());
    return layout;
}

}  // namespace pw::word
