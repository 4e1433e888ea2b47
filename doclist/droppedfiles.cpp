#include "doclist/droppedfiles.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace pw {

QStringList DroppedDocuments(const QMimeData& data, DocumentListKind kind) {
    QStringList kept;
    if (!data.hasUrls()) return kept;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (!IsDroppableDocument(path, kind)) continue;
        // A folder would be handed to the engines as a document.
        if (QFileInfo(path).isDir()) continue;
        kept.append(path);
    }
    return kept;
}

}  // namespace pw
