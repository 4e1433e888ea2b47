#pragma once

#include <QStringList>

#include "doclist/documenttypes.h"

class QMimeData;

namespace pw {

// The paths of the dropped local files that a list of this kind keeps, in the order the drag
// source gave them, exactly as delivered. Data without a file list, other links and folders
// (even one named like a document) give nothing; existence and duplicates are not tested.
QStringList DroppedDocuments(const QMimeData& data, DocumentListKind kind);

}  // namespace pw
