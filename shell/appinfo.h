#pragma once

#include <QString>

namespace pw {

// The title every window caption and message box carries.
inline const QString AppTitle = QStringLiteral("Pagewright");
inline const QString AppVersion = QStringLiteral("1.3");

// The maker's addresses, in one place until the project has a real home.
inline const QString SupportAddress = QStringLiteral("support@pagewright.example");
inline const QString HomePage = QStringLiteral("https://pagewright.example/");

}  // namespace pw
