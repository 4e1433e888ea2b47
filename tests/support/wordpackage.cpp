#include "tests/support/wordpackage.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zip.h>

#include "word/docxpackage.h"
#include "word/wordlayout.h"

namespace pw::test {

namespace {

const QString WordNs =
    QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");

// libzip reads data as the archive is closed, so it must live until then.
bool addPart(zip_t* zip, const char* name, const QByteArray& data) {
    zip_source_t* source = zip_source_buffer(zip, data.constData(), zip_uint64_t(data.size()), 0);
    if (source && zip_file_add(zip, name, source, ZIP_FL_OVERWRITE) >= 0) return true;
    zip_source_free(source);
    return false;
}

}  // namespace

bool writeWordPackage(const QString& path, const QString& bodyXml, const QString& application,
                      int pages, bool unprefixed) {
    QString body = bodyXml, p = QStringLiteral("w:");
    if (unprefixed) {
        static const QRegularExpression names(QStringLiteral("(</?)w:"));
        body.replace(names, QStringLiteral("\\1"));
        p.clear();
    }
    const QByteArray document =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><%1document xmlns:w="
            "\"%2\" xmlns=\"%2\" xmlns:v=\"urn:schemas-microsoft-com:vml\"><%1body>%3<%1sectPr/>"
            "</%1body></%1document>")
            .arg(p, WordNs, body)
            .toUtf8();
    const QByteArray types =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats."
        "org/package/2006/content-types\"><Default Extension=\"rels\" ContentType=\"application/"
        "vnd.openxmlformats-package.relationships+xml\"/><Default Extension=\"xml\" "
        "ContentType=\"application/xml\"/><Override PartName=\"/word/document.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document."
        "main+xml\"/><Override PartName=\"/docProps/app.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.extended-properties+xml\"/></Types>";
    const QByteArray rels =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas."
        "openxmlformats.org/package/2006/relationships\"><Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "officeDocument\" Target=\"word/document.xml\"/><Relationship Id=\"rId2\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "extended-properties\" Target=\"docProps/app.xml\"/></Relationships>";
    const QByteArray app =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Properties xmlns=\"http://"
            "schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
            "<Application>%1</Application><Pages>%2</Pages></Properties>")
            .arg(application.toHtmlEscaped())
            .arg(pages)
            .toUtf8();
    QFile::remove(path);
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) return false;
    const bool added =
        addPart(zip, "[Content_Types].xml", types) && addPart(zip, "_rels/.rels", rels) &&
        addPart(zip, "word/document.xml", document) && addPart(zip, "docProps/app.xml", app);
    if (!added || zip_close(zip) != 0) {
        zip_discard(zip);
        return false;
    }
    return true;
}

namespace wordxml {

QString table(const QList<QStringList>& rows) {
    QString xml = QStringLiteral(
        "<w:tbl><w:tblGrid><w:gridCol w:w=\"4000\"/><w:gridCol w:w=\"4000\"/></w:tblGrid>");
    for (const QStringList& cells : rows) {
        xml += QStringLiteral("<w:tr>");
        for (const QString& cell : cells) xml += "<w:tc>" + para(cell) + "</w:tc>";
        xml += QStringLiteral("</w:tr>");
    }
    return xml + QStringLiteral("</w:tbl>");
}

QString field(const QString& instruction, const QString& resultRuns) {
    return QStringLiteral(
               "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r><w:r><w:instrText "
               "xml:space=\"preserve\"> %1 </w:instrText></w:r><w:r><w:fldChar "
               "w:fldCharType=\"separate\"/></w:r>%2<w:r><w:fldChar w:fldCharType=\"end\"/></w:r>")
        .arg(instruction.toHtmlEscaped(), resultRuns);
}

}  // namespace wordxml

QStringList wordPageTexts(const QString& docx, PageCut cut) {
    const auto package = word::DocxPackage::open(docx);
    if (!package) return {};
    const auto xml = package->read(QStringLiteral("word/document.xml"));
    if (!xml) return {};
    const QString prefix = word::pageStartBookmarkPrefix();
    QStringList pages{QString()};
    QXmlStreamReader r(*xml);
    int textBoxes = 0;
    bool inText = false;
    while (!r.atEnd()) {
        r.readNext();
        const bool word = r.namespaceUri() == WordNs;
        if (r.isEndElement() && word && r.name() == u"txbxContent") --textBoxes;
        if (r.isEndElement() && word && r.name() == u"t") inText = false;
        if (r.isCharacters() && inText && textBoxes == 0) pages.last() += r.text();
        if (!r.isStartElement() || !word) continue;
        if (r.name() == u"txbxContent") ++textBoxes;
        if (r.name() == u"t") inText = true;
        if (textBoxes > 0) continue;
        const bool pageStarts =
            cut == PageCut::RenderedBreaks
                ? r.name() == u"lastRenderedPageBreak"
                : r.name() == u"bookmarkStart" &&
                      r.attributes().value(WordNs, QStringLiteral("name")).startsWith(prefix);
        if (pageStarts) pages.append(QString());
    }
    return pages;
}

}  // namespace pw::test
