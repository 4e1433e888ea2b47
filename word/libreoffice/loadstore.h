#pragma once

// Loading and storing documents: the formats by file extension and the load arguments that
// keep the office hidden, silent and off macros.

#include <memory>

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>

#include "word/libreoffice/docstate.h"

namespace pw::word::lo {

// Opens a document hidden, with no macros, no link updates and no questions.
Result<std::unique_ptr<Document>> loadDocument(const std::shared_ptr<Session>& session,
                                               const QString& path);
Result<std::unique_ptr<Document>> newDocument(const std::shared_ptr<Session>& session);

css::uno::Sequence<css::beans::PropertyValue> loadArguments(
    const QString& path, Reference<css::task::XInteractionHandler> handler = {});
// Whether the file loads by itself as a text document; handler answers its questions.
bool loadsAsText(Session& session, const QString& path,
                 Reference<css::task::XInteractionHandler> handler = {});

// Loaded documents are edited with change recording off, so that emptying one really empties
// it; stored files keep the setting they came with.
void stopRecordingChanges(DocState& doc);
Status storeAs(DocState& doc, const QString& path);
Status store(DocState& doc);
// Closes without saving and drops the references.
void closeDocument(DocState& doc);

}  // namespace pw::word::lo
