#include "merge/mergeoffice.h"

namespace pw::merge {

word::Result<int> readOrientation(word::Application& office, const QString& path) {
    auto opened = office.open(path);
    if (!opened) return pw::unexpected(opened.error());
    return (*opened)->orientation();
}

}  // namespace pw::merge
