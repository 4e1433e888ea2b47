#include "word/markrewriter.h"

#include <utility>

#include "word/wordlayout.h"

namespace pw::word {

namespace {

// The first bookmark number far above any Word gives, so that no existing bookmark shares it.
constexpr int FirstBookmarkId = 2000000000;

}  // namespace

bool isWordNamespace(QStringView uri) {
    return uri == u"http://schemas.openxmlformats.org/wordprocessingml/2006/main" ||
           uri == u"http://purl.oclc.org/ooxml/wordprocessingml/main";
}

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
                release();
                m_writer.writeCurrentToken(m_reader);
                break;
        }
    }
    release();
    return !m_reader.hasError();
}

void MarkRewriter::release() {
    if (!std::exchange(m_holding, false)) return;
    for (const XmlToken& t : m_held) write(t);
    m_held.clear();
}

bool MarkRewriter::startsField() const {
    if (isWord(u"fldSimple")) return true;
    if (!isWord(u"fldChar")) return false;
    for (const QXmlStreamAttribute& a : m_reader.attributes())
        if (a.name() == u"fldCharType") return a.value() == u"begin";
    return false;
}

void MarkRewriter::write(const XmlToken& t) {
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
    for (const XmlToken& t : m_runHead) put(t);
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
    if (inMainText && startsField()) {
        // Held from the start of the run that begins it, or from a simple field's own start.
        if (m_fieldDepth == 0 && m_run != Run::Body) m_holding = true;
        if (isWord(u"fldChar")) ++m_fieldDepth;
    }
    if (m_run == Run::Head) {
        const bool formatting = m_depth > m_runDepth + 1 || isWord(u"rPr");
        if (formatting) {
            m_runHead.push_back(current());
            return;
        }
        flushRunHead();
    }
    if (inMainText && m_holding && isRowContent()) release();
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
    put(current());
    if (inMainText && isWord(u"fldChar") && !startsField()) {
        const bool ends = [&] {
            for (const QXmlStreamAttribute& a : m_reader.attributes())
                if (a.name() == u"fldCharType") return a.value() == u"end";
            return false;
        }();
        if (ends && m_fieldDepth > 0 && --m_fieldDepth == 0) release();
    }
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
    // A field held back is let go at the end of its paragraph or of a simple field.
    if (isWord(u"p") || isWord(u"fldSimple")) release();
    if (isWord(u"txbxContent")) --m_textBoxDepth;
    if (m_textBoxDepth == 0) {
        if (isWord(u"tr") && m_tableDepth == 1 && !m_deferred.empty()) m_deferredReady = true;
        if (isWord(u"tbl")) --m_tableDepth;
        // Left over at the very end: they still count, and the office puts them at the end.
        if (isWord(u"body")) placeDeferred();
    }
    put({QXmlStreamReader::EndElement, {}, {}, {}, {}});
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
    if (m_reader.isCDATA()) {
        release();
        m_writer.writeCDATA(m_reader.text().toString());
    } else {
        put(current());
    }
}

void MarkRewriter::mark() {
    const int number = ++m_marks;
    // The row began on an earlier page: it stays there whole, and this page begins after it.
    if (m_tableDepth > 0 && m_rowHasContent) {
        m_deferred.push_back(number);
        return;
    }
    if (m_holding) {  // the page begins with the field
        bookmark(number, true);
        release();
        return;
    }
    if (m_run == Run::Body) {
        put({QXmlStreamReader::EndElement, {}, {}, {}, {}});
        bookmark(number);
        for (const XmlToken& t : m_runHead) put(t);
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

void MarkRewriter::bookmark(int number, bool beforeHeld) {
    const bool prefixed = !m_prefix.isEmpty();
    // Word's attributes must be qualified; with Word's names unprefixed, a prefix is declared.
    const QString p = prefixed ? m_prefix + u':' : QString();
    const QString a = prefixed ? p : QStringLiteral("pwb:");
    const QString id = QString::number(FirstBookmarkId + number);
    auto element = [&](const QString& name, bool named) {
        XmlToken start{QXmlStreamReader::StartElement, p + name, {}, {}, {}};
        if (!prefixed)
            start.attributes.append(QStringLiteral("xmlns:pwb"),
                                    QStringLiteral("http://schemas.openxmlformats.org/"
                                                   "wordprocessingml/2006/main"));
        start.attributes.append(a + QStringLiteral("id"), id);
        if (named)
            start.attributes.append(a + QStringLiteral("name"),
                                    pageStartBookmarkPrefix() + QString::number(number));
        const XmlToken end{QXmlStreamReader::EndElement, {}, {}, {}, {}};
        if (beforeHeld) {
            write(start);
            write(end);
        } else {
            put(start);
            put(end);
        }
    };
    element(QStringLiteral("bookmarkStart"), true);
    element(QStringLiteral("bookmarkEnd"), false);
}

}  // namespace pw::word
