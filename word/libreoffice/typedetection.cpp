#include "word/libreoffice/typedetection.h"

#include <QFile>
#include <QFileInfo>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/document/XTypeDetection.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>

#include "word/libreoffice/editing.h"
#include "word/libreoffice/session.h"

namespace pw::word::lo {

namespace {

// An OLE compound file: a binary Word document, or an encrypted .docx, which the detection
// cannot look into without its password. Its load tells what it is.
bool isCompoundFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) &&
           f.read(8) == QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}

// An encrypted .docx is a compound file holding the package as a stream of that name; the
// office's detection never gets as far as asking for its password.
bool isEncryptedPackage(const QString& path) {
    if (!isCompoundFile(path)) return false;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QString name = QStringLiteral("EncryptedPackage");
    const QByteArray utf16(reinterpret_cast<const char*>(name.utf16()), name.size() * 2);
    return f.read(1 << 20).contains(utf16);
}

bool namedAsText(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    return ext == u"txt" || ext == u"htm" || ext == u"html";
}

using css::uno::Reference;
using css::uno::UNO_QUERY_THROW;

template <class T>
T property(const css::uno::Sequence<css::beans::PropertyValue>& values, const char* name) {
    T value{};
    for (const css::beans::PropertyValue& v : values)
        if (v.Name.equalsAscii(name)) v.Value >>= value;
    return value;
}

// The kind of document the office makes of a detected type, through its preferred filter:
// Writer's own services for text, others for spreadsheets, drawings and the like.
OUString documentService(const Reference<css::uno::XComponentContext>& context,
                         const Reference<css::container::XNameAccess>& types,
                         const OUString& type) {
    css::uno::Sequence<css::beans::PropertyValue> typeInfo;
    types->getByName(type) >>= typeInfo;
    const OUString filter = property<OUString>(typeInfo, "PreferredFilter");
    Reference<css::container::XNameAccess> filters(
        context->getServiceManager()->createInstanceWithContext(
            "com.sun.star.document.FilterFactory", context),
        UNO_QUERY_THROW);
    if (filter.isEmpty() || !filters->hasByName(filter)) return {};
    css::uno::Sequence<css::beans::PropertyValue> filterInfo;
    filters->getByName(filter) >>= filterInfo;
    return property<OUString>(filterInfo, "DocumentService");
}

}  // namespace

Status requireDocumentFile(const std::shared_ptr<Session>& session, const QString& path) {
    if (namedAsText(path)) return {};
    if (QFileInfo(path).size() == 0)
        return fail(Error::Kind::NotDocument, QStringLiteral("the file is empty"));
    if (isEncryptedPackage(path))
        return fail(Error::Kind::Password, QString::fromLatin1(PasswordMessage));
    // Empty when the file is a word-processing document; otherwise what it is instead.
    auto refusal = session->load(Error::Kind::OpenFailed, [&]() -> QString {
        const Reference<css::uno::XComponentContext>& context = session->context();
        Reference<css::document::XTypeDetection> detection(
            context->getServiceManager()->createInstanceWithContext(
                "com.sun.star.document.TypeDetection", context),
            UNO_QUERY_THROW);
        css::beans::PropertyValue url;
        url.Name = "URL";
        url.Value <<= fileUrl(path);
        css::uno::Sequence<css::beans::PropertyValue> descriptor(&url, 1);
        const OUString type = detection->queryTypeByDescriptor(descriptor, true);
        // Anything unknown is offered to the plain-text import.
        if (type.isEmpty() || type == "generic_Text")
            return isCompoundFile(path) ? QString()
                                        : QStringLiteral("the office reads it only as plain text");
        const OUString service = documentService(
            context, Reference<css::container::XNameAccess>(detection, UNO_QUERY_THROW), type);
        if (!service.startsWith("com.sun.star.text."))
            return QStringLiteral("the office reads it as %1, not as text").arg(toQ(type));
        return {};
    });
    if (!refusal) return pw::unexpected(refusal.error());
    if (!refusal->isEmpty()) return fail(Error::Kind::NotDocument, *refusal);
    return {};
}

}  // namespace pw::word::lo
