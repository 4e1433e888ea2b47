#include "doclist/documenttypes.h"

#include <initializer_list>

#include "shell/filenames.h"

namespace pw {

namespace {

bool endsWithAny(const QString& path, std::initializer_list<QLatin1StringView> endings) {
    for (const QLatin1StringView ending : endings) {
        if (path.endsWith(ending, Qt::CaseInsensitive)) return true;
    }
    return false;
}

}  // namespace

bool IsFolderDocument(const QString& name) {
    const QString ext = GetFileExt(name);
    return ext.compare(QLatin1StringView(".doc"), Qt::CaseInsensitive) == 0 ||
           ext.compare(QLatin1StringView(".docx"), Qt::CaseInsensitive) == 0;
}

bool IsDroppableDocument(const QString& path, DocumentListKind kind) {
    using namespace Qt::Literals::StringLiterals;
    if (endsWithAny(path, {".doc"_L1, ".docx"_L1, ".rtf"_L1})) return true;
    return kind == DocumentListKind::Merge && endsWithAny(path, {".htm"_L1, ".txt"_L1, ".html"_L1});
}

}  // namespace pw
