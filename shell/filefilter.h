#pragma once

#include <QString>

namespace pw {

// A file-dialog filter written as "description|*.a;*.b|description|*.c" turned into Qt's form
// "description (*.a *.b);;description (*.c)". A description without patterns is kept alone.
QString toQtFileFilter(const QString& pairedFilter);

}  // namespace pw
