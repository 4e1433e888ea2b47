#pragma once

// Text-only helpers that take paths and names apart; they never touch the file system.

#include <QString>

namespace pw {

// The platform's path separator, as the program writes it into folder texts.
inline constexpr QChar PathSeparator = u'/';

// From the last "." to the end, dot included, in its own case; the whole path without a ".".
QString GetFileExt(const QString& path);
// Up to and including the last separator; empty without one.
QString GetFileFolder(const QString& path);
// Between the last separator and the last "."; the file name whole when it has no "." of its own.
QString GetFileBaseName(const QString& path);
// False when the text holds a character that may not stand in a file name here (also in its
// full-width form).
bool IsFileNameText(const QString& text);

}  // namespace pw
