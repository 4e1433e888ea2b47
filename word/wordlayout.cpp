#include "word/wordlayout.h"

#include <QXmlStreamReader>

#include "word/docxpackage.h"
#include "word/markrewriter.h"

namespace pw::word {

namespace {

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
