#include "tests/support/testdocs.h"

#include "tests/support/testenv.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace pw::test {

DocBuilder& DocBuilder::table(int rows, int columns) {
    add(Block::Table, {});
    m_blocks.back().rows = rows;
    m_blocks.back().columns = columns;
    return *this;
}

static QString esc(const QString& s) {
    return s.toHtmlEscaped();
}

bool DocBuilder::writeFlatOdf(const QString& path) const {
    const QString width = m_landscape ? "29.7cm" : "21cm";
    const QString height = m_landscape ? "21cm" : "29.7cm";
    QString x;
    x +=
        R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:xlink="http://www.w3.org/1999/xlink"
 xmlns:dc="http://purl.org/dc/elements/1.1/"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:styles>
 <style:style style:name="Standard" style:family="paragraph" style:class="text">
  <style:paragraph-properties fo:margin-bottom="0.2cm"/>
  <style:text-properties fo:font-size="12pt" style:font-name="Liberation Serif"/>
 </style:style>
</office:styles>
<office:automatic-styles>
 <style:page-layout style:name="pm1">
  <style:page-layout-properties fo:page-width=")" +
        width + R"(" fo:page-height=")" + height + R"(" style:print-orientation=")" +
        (m_landscape ? "landscape" : "portrait") +
        R"(" fo:margin-top="2cm" fo:margin-bottom="2cm" fo:margin-left="2cm" fo:margin-right="2cm"/>
  <style:header-style><style:header-footer-properties fo:min-height="0.5cm"/></style:header-style>
  <style:footer-style><style:header-footer-properties fo:min-height="0.5cm"/></style:footer-style>
 </style:page-layout>
 <style:style style:name="PB" style:family="paragraph" style:parent-style-name="Standard">
  <style:paragraph-properties fo:break-before="page"/>
 </style:style>
 <style:style style:name="TB" style:family="table">
  <style:table-properties style:width="17cm" table:align="margins" fo:break-before="page"/>
 </style:style>
 <style:style style:name="FP" style:family="paragraph" style:parent-style-name="Standard"
  style:master-page-name="First_20_Page"/>
 <style:style style:name="HID" style:family="text">
  <style:text-properties text:display="none"/>
 </style:style>
 <style:style style:name="TN" style:family="table">
  <style:table-properties style:width="17cm" table:align="margins"/>
 </style:style>
 <text:list-style style:name="L1">
  <text:list-level-style-number text:level="1" style:num-suffix="." style:num-format="1"/>
 </text:list-style>
 <text:list-style style:name="L2">
  <text:list-level-style-bullet text:level="1" text:bullet-char="•"/>
 </text:list-style>
</office:automatic-styles>
<office:master-styles>
 <style:master-page style:name="Standard" style:page-layout-name="pm1">)";
    if (!m_header.isEmpty())
        x += "<style:header><text:p>" + esc(m_header) + "</text:p></style:header>";
    if (!m_footer.isEmpty())
        x += "<style:footer><text:p>" + esc(m_footer) + "</text:p></style:footer>";
    x += "</style:master-page>\n";
    if (!m_firstHeader.isEmpty())
        x += "<style:master-page style:name=\"First_20_Page\" style:display-name=\"First Page\" "
             "style:page-layout-name=\"pm1\" style:next-style-name=\"Standard\"><style:header>"
             "<text:p>" +
             esc(m_firstHeader) + "</text:p></style:header></style:master-page>\n";
    x += "</office:master-styles>\n<office:body><office:text";
    if (m_recordChanges) x += " text:track-changes=\"true\"";
    x += ">\n";
    QString deletions;
    for (const Block& b : m_blocks)
        if (!b.deleted.isEmpty())
            deletions += QStringLiteral(
                             "<text:changed-region text:id=\"ct%1\"><text:deletion>"
                             "<office:change-info><dc:creator>t</dc:creator><dc:date>"
                             "2020-01-01T00:00:00</dc:date></office:change-info>"
                             "<text:p>")
                             .arg(&b - m_blocks.data()) +
                         esc(b.deleted) + "</text:p></text:deletion></text:changed-region>";
    if (!deletions.isEmpty())
        x += "<text:tracked-changes>" + deletions + "</text:tracked-changes>\n";
    auto deletion = [&](const Block& b) {
        return b.deleted.isEmpty() ? QString()
                                   : QStringLiteral("<text:change text:change-id=\"ct%1\"/>")
                                         .arg(&b - m_blocks.data());
    };
    int noteNo = 0;
    auto note = [&](const Block& b) {
        if (b.footnote.isEmpty()) return QString();
        ++noteNo;
        return QStringLiteral(
                   "<text:note text:id=\"ftn%1\" text:note-class=\"footnote\">"
                   "<text:note-citation>%1</text:note-citation><text:note-body><text:p>")
                   .arg(noteNo) +
               esc(b.footnote) + "</text:p></text:note-body></text:note>";
    };

    bool inList = false;
    int tableNo = 0;
    for (const Block& b : m_blocks) {
        if (inList && b.kind != Block::Item && b.kind != Block::Bullet) {
            x += "</text:list>\n";
            inList = false;
        }
        const bool first = &b == &m_blocks.front() && !m_firstHeader.isEmpty();
        const QString style = first ? "FP" : b.breakBefore ? "PB" : "Standard";
        const QString p = "<text:p text:style-name=\"" + style + "\">";
        switch (b.kind) {
            case Block::Paragraph:
                x += p + esc(b.text) + deletion(b) + note(b) + "</text:p>\n";
                break;
            case Block::Hidden:
                x += p + "<text:span text:style-name=\"HID\">" + esc(b.text) +
                     "</text:span></text:p>\n";
                break;
            case Block::Picture:
                x += p + QStringLiteral(
                             "<draw:frame text:anchor-type=\"as-char\" svg:width=\"2cm\" "
                             "svg:height=\"2cm\"><draw:image xlink:href=\"%1\" xlink:type="
                             "\"simple\" xlink:show=\"embed\" xlink:actuate=\"onLoad\"/>"
                             "</draw:frame></text:p>\n")
                             .arg(esc(b.text));
                break;
            case Block::Item:
            case Block::Bullet:
                if (!inList) {
                    x += QStringLiteral("<text:list text:style-name=\"%1\">\n")
                             .arg(b.kind == Block::Bullet ? "L2" : "L1");
                    inList = true;
                }
                x += "<text:list-item>" + p + esc(b.text) + "</text:p></text:list-item>\n";
                break;
            case Block::Table: {
                x += QString("<table:table table:name=\"Table%1\" table:style-name=\"%2\">")
                         .arg(++tableNo)
                         .arg(b.breakBefore ? "TB" : "TN");
                x += QString("<table:table-column table:number-columns-repeated=\"%1\"/>\n")
                         .arg(b.columns);
                for (int r = 0; r < b.rows; ++r) {
                    x += "<table:table-row>";
                    for (int c = 0; c < b.columns; ++c)
                        x += "<table:table-cell office:value-type=\"string\"><text:p>r" +
                             QString::number(r) + u'c' + QString::number(c) +
                             "</text:p></table:table-cell>";
                    x += "</table:table-row>\n";
                }
                x += "</table:table>\n";
                break;
            }
        }
    }
    if (inList) x += "</text:list>\n";
    if (m_blocks.empty() || m_blocks.back().kind == Block::Table) x += "<text:p/>\n";
    x += "</office:text></office:body></office:document>\n";
    return writeFile(path, x.toUtf8());
}

bool makeDocument(word::Application& app, const DocBuilder& doc, const QString& path) {
    QTemporaryDir dir;
    const QString fodt = dir.filePath("source.fodt");
    if (!doc.writeFlatOdf(fodt)) return false;
    auto opened = app.open(fodt);
    return opened && (*opened)->saveAs(QFileInfo(path).absoluteFilePath());
}

DocBuilder pagedDocument(int pages, const QString& tag, int words) {
    DocBuilder b;
    for (int k = 1; k <= pages; ++k) {
        if (k > 1) b.pageBreak();
        b.paragraph(QStringLiteral("%1 page %2 heading").arg(tag).arg(k));
        b.paragraph(sampleParagraph(k, words));
    }
    return b;
}

QString documentText(word::Application& app, const QString& path) {
    auto doc = app.open(path);
    if (!doc) return QStringLiteral("<not opened: %1>").arg(doc.error().message);
    return foldSpace((*doc)->characters().value_or(QString()).replace(u'\r', u' '));
}

QString exportPdf(word::Application& app, const QString& path) {
    auto doc = app.open(path);
    return doc && (*doc)->saveAs(path + QStringLiteral(".pdf")) ? path + QStringLiteral(".pdf")
                                                                : QString();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QString sampleParagraph(int index, int words) {
    static const char* vocabulary[] = {
        "alpha",  "bravo", "charlie", "delta", "echo",     "foxtrot", "golf", "hotel",  "india",
        "juliet", "kilo",  "lima",    "mike",  "november", "oscar",   "papa", "quebec", "romeo"};
    QString s = QStringLiteral("P%1").arg(index);
    for (int w = 0; w < words; ++w) {
        s += u' ';
        s += QLatin1String(vocabulary[(index * 7 + w * 3) % 18]);
        if (w % 11 == 10) s += QString::number(index * 100 + w);
    }
    return s + u'.';
}

}  // namespace pw::test
