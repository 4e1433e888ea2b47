#include "word/libreoffice/loadstore.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/document/UpdateDocMode.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/io/IOException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/util/CloseVetoException.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <rtl/ref.hxx>

#include "word/libreoffice/editing.h"
#include "word/libreoffice/interactionhandler.h"
#include "word/libreoffice/lodocument.h"
#include "word/libreoffice/typedetection.h"

namespace pw::word::lo {

using css::beans::PropertyValue;
using css::uno::Any;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

PropertyValue prop(const char* name, Any value) {
    PropertyValue p;
    p.Name = OUString::createFromAscii(name);
    p.Value = std::move(value);
    return p;
}

struct Format {
    const char* filter;
    const char* options;
    bool exportOnly;
};

Format formatFor(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"doc") return {"MS Word 97", nullptr, false};
    if (ext == u"rtf") return {"Rich Text Format", nullptr, false};
    if (ext == u"odt") return {"writer8", nullptr, false};
    if (ext == u"fodt") return {"OpenDocument Text Flat XML", nullptr, false};
    if (ext == u"pdf") return {"writer_pdf_Export", nullptr, true};
    if (ext == u"txt") return {"Text (encoded)", "UTF8,LF,,", false};
    if (ext == u"htm" || ext == u"html") return {"HTML (StarWriter)", nullptr, false};
    return {"MS Word 2007 XML", nullptr, false};
}

// The import filter to force, where the office's detection would open the file in another
// module than Writer.
const char* importFilterFor(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == u"htm" || ext == u"html") return "HTML (StarWriter)";
    if (ext == u"txt") return "Text (encoded)";
    return nullptr;
}

Result<std::unique_ptr<Document>> wrap(const std::shared_ptr<Session>& session,
                                       Reference<css::lang::XComponent> component,
                                       const QString& fullName) {
    // Asked of the office, which may have gone since the load.
    auto isText = session->call(Error::Kind::OpenFailed, [&] {
        return Reference<css::text::XTextDocument>(component, UNO_QUERY).is();
    });
    if (!isText) return pw::unexpected(isText.error());
    if (!*isText) {
        if (component.is()) {
            (void)session->call(Error::Kind::Failed, [&] {
                Reference<css::util::XCloseable>(component, UNO_QUERY_THROW)->close(true);
            });
        }
        return fail(Error::Kind::OpenFailed, QStringLiteral("not a text document"));
    }
    auto made = session->call(Error::Kind::OpenFailed, [&] {
        return std::make_unique<LoDocument>(
            session, Reference<css::frame::XModel>(component, UNO_QUERY_THROW), fullName);
    });
    if (!made) return pw::unexpected(made.error());
    return std::unique_ptr<Document>(std::move(*made));
}

void setRecordChanges(DocState& doc, bool on) {
    Reference<css::beans::XPropertySet>(doc.model, UNO_QUERY_THROW)
        ->setPropertyValue("RecordChanges", Any(on));
}

}  // namespace

Sequence<PropertyValue> loadArguments(const QString& path,
                                      Reference<css::task::XInteractionHandler> handler) {
    if (!handler.is()) handler = new AbortingInteractionHandler;
    std::vector<PropertyValue> args = {
        prop("Hidden", Any(true)),
        prop("MacroExecutionMode", Any(css::document::MacroExecMode::NEVER_EXECUTE)),
        prop("UpdateDocMode", Any(css::document::UpdateDocMode::NO_UPDATE)),
        prop("InteractionHandler", Any(handler)),
        prop("Silent", Any(true)),
    };
    if (const char* filter = importFilterFor(path)) {
        args.push_back(prop("FilterName", Any(OUString::createFromAscii(filter))));
        if (QFileInfo(path).suffix().toLower() == u"txt")
            args.push_back(prop("FilterOptions", Any(OUString("UTF8"))));
    }
    return Sequence<PropertyValue>(args.data(), sal_Int32(args.size()));
}

Result<std::unique_ptr<Document>> loadDocument(const std::shared_ptr<Session>& session,
                                               const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return fail(Error::Kind::OpenFailed, QStringLiteral("the file does not exist"));
    if (!info.isReadable())
        return fail(Error::Kind::OpenFailed, QStringLiteral("the file cannot be read"));
    const QString absolute = info.absoluteFilePath();
    if (auto kind = requireDocumentFile(session, absolute); !kind)
        return pw::unexpected(kind.error());
    rtl::Reference<AbortingInteractionHandler> handler = new AbortingInteractionHandler;
    auto component = session->load(Error::Kind::OpenFailed, [&] {
        Reference<css::frame::XComponentLoader> loader(session->desktop(), UNO_QUERY_THROW);
        return Reference<css::lang::XComponent>(loader->loadComponentFromURL(
            fileUrl(absolute), "_blank", 0,
            loadArguments(absolute, Reference<css::task::XInteractionHandler>(handler.get()))));
    });
    if ((!component || !component->is()) && handler->askedForPassword())
        return fail(Error::Kind::Password, QString::fromLatin1(PasswordMessage));
    if (!component) return pw::unexpected(component.error());
    if (!component->is())
        return fail(Error::Kind::OpenFailed,
                    QStringLiteral("the file is damaged, protected or of an unknown kind"));
    auto doc = wrap(session, *component, absolute);
    if (doc) stopRecordingChanges(static_cast<LoDocument&>(**doc).state());
    return doc;
}

Result<std::unique_ptr<Document>> newDocument(const std::shared_ptr<Session>& session) {
    auto component = session->call(Error::Kind::Failed, [&] {
        Reference<css::frame::XComponentLoader> loader(session->desktop(), UNO_QUERY_THROW);
        return Reference<css::lang::XComponent>(loader->loadComponentFromURL(
            "private:factory/swriter", "_blank", 0, loadArguments({})));
    });
    if (!component) return pw::unexpected(component.error());
    return wrap(session, *component, {});
}

bool loadsAsText(Session& session, const QString& path,
                 Reference<css::task::XInteractionHandler> handler) {
    Reference<css::frame::XComponentLoader> loader(session.desktop(), UNO_QUERY_THROW);
    Reference<css::lang::XComponent> probe;
    try {
        probe =
            loader->loadComponentFromURL(fileUrl(path), "_blank", 0, loadArguments(path, handler));
    } catch (const css::lang::IllegalArgumentException&) {
        return false;
    } catch (const css::io::IOException&) {
        return false;
    }
    if (!probe.is()) return false;
    const bool text = Reference<css::text::XTextDocument>(probe, UNO_QUERY).is();
    Reference<css::util::XCloseable>(probe, UNO_QUERY_THROW)->close(true);
    return text;
}

void stopRecordingChanges(DocState& doc) {
    (void)doc.session->call(Error::Kind::Failed, [&] {
        Reference<css::beans::XPropertySet> props(doc.model, UNO_QUERY_THROW);
        props->getPropertyValue("RecordChanges") >>= doc.recordsChanges;
        if (doc.recordsChanges) props->setPropertyValue("RecordChanges", Any(false));
    });
}

Status storeAs(DocState& doc, const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const Format format = formatFor(absolute);
    // The office itself may not survive a store the file system refuses, so the folder is
    // tried here first; it must already exist.
    {
        const QString folder = QFileInfo(absolute).absolutePath();
        if (!QFileInfo(folder).isDir())
            return fail(Error::Kind::SaveFailed,
                        QStringLiteral("the folder %1 does not exist").arg(folder));
        QTemporaryFile probe(folder + QStringLiteral("/.pagewright-XXXXXX"));
        if (!probe.open())
            return fail(Error::Kind::SaveFailed,
                        QStringLiteral("the folder %1 cannot be written to").arg(folder));
    }
    auto stored = doc.session->call(Error::Kind::SaveFailed, [&] {
        std::vector<PropertyValue> args = {
            prop("FilterName", Any(OUString::createFromAscii(format.filter))),
            prop("Overwrite", Any(true))};
        if (format.options)
            args.push_back(prop("FilterOptions", Any(OUString::createFromAscii(format.options))));
        Reference<css::frame::XStorable> storable(doc.model, UNO_QUERY_THROW);
        const Sequence<PropertyValue> seq(args.data(), sal_Int32(args.size()));
        // Stored with the recording setting the file came with; nothing is edited meanwhile.
        if (doc.recordsChanges) setRecordChanges(doc, true);
        struct RecordingOff {
            DocState& doc;
            ~RecordingOff() {
                if (doc.recordsChanges) {
                    try {
                        setRecordChanges(doc, false);
                    } catch (const css::uno::Exception&) {
                    }
                }
            }
        } off{doc};
        // Stored as a copy: the office then keeps no new location, title or state of its own
        // for the document, which halves the cost of a small store.
        storable->storeToURL(fileUrl(absolute), seq);
    });
    if (!stored) return stored;
    if (!format.exportOnly) doc.fullName = absolute;
    return {};
}

Status store(DocState& doc) {
    if (doc.fullName.isEmpty())
        return fail(Error::Kind::SaveFailed, QStringLiteral("the document has never been saved"));
    return storeAs(doc, doc.fullName);
}

void closeDocument(DocState& doc) {
    (void)doc.session->call(Error::Kind::Failed, [&] {
        Reference<css::util::XCloseable> closeable(doc.model, UNO_QUERY_THROW);
        try {
            closeable->close(true);
        } catch (const css::util::CloseVetoException&) {
            Reference<css::lang::XComponent>(doc.model, UNO_QUERY_THROW)->dispose();
        }
    });
    doc.view.clear();
    doc.controller.clear();
    doc.body.clear();
    doc.text.clear();
    doc.model.clear();
}

}  // namespace pw::word::lo
