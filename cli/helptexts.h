#pragma once

#include <QString>

namespace pw::cli {

inline const QString ProgramName = QStringLiteral("pagewright-cli");

// topic: "split", "merge", or empty for the program as a whole.
QString helpText(const QString& topic);
QString versionText();

}  // namespace pw::cli
