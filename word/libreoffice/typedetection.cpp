#include "word/libreoffice/typedetection.h"

#include <QFileInfo>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>

#include "word/libreoffice/session.h"

namespace pw::word::lo {

namespace {

bool namedAsText(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == u"txt" || ext == u"htm" || ext == u"html";
}

// Types the office gives a file it reads only as text, or whose kind it does not know.
bool isTextOnly(const QString& type) {
    return type.isEmpty() || type == u"generic_Text";
}

}  // namespace

Status requireDocumentFile(const std::shared_ptr<Session>& session, const QString& path) {
    if (namedAsText(path)) return {};
    if (QFileInfo(path).size() == 0)
        return fail(Error::Kind::NotDocument, QStringLiteral("the file is empty"));
    auto type = session->load(Error::Kind::OpenFailed, [&] {
        Reference<css::document::XTypeDetection> detection(
            session->context()->getServiceManager()->createInstanceWithContext(
                "com.sun.star.document.TypeDetection", session->context()),
            css::uno::UNO_QUERY_THROW);
        css::beans::PropertyValue url;
        url.Name = "URL";
        url.Value <<= fileUrl(path);
        css::uno::Sequence<css::beans::PropertyValue> descriptor(&url, 1);
        return toQ(detection->queryTypeByDescriptor(descriptor, true));
    });
    if (!type) return pw::unexpected(type.error());
    if (isTextOnly(*type))
        return fail(Error::Kind::NotDocument,
                    QStringLiteral("the office reads it only as plain text (%1)")
                        .arg(type->isEmpty() ? QStringLiteral("unknown type") : *type));
    return {};
}

}  // namespace pw::word::lo
