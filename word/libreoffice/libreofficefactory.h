#pragma once

#include <QString>

#include "word/documentengine.h"

namespace pw::word {

struct LibreOfficeOptions {
    QString sofficePath;         // empty: the PATH, then the usual install folders
    int startTimeoutMs = 60000;  // from launch until the office answers on its pipe
    int callTimeoutMs = 180000;  // one load, store or insert; the office is stopped past it
    int quitTimeoutMs = 10000;   // from terminate until the process is killed
};

// The soffice program that would be started, or empty when none is installed.
QString findSoffice(const QString& preferred = {});

// Starts a private, headless LibreOffice per create(): its own profile and pipe, never the
// user's own office.
class LibreOfficeFactory final : public ApplicationFactory {
public:
    explicit LibreOfficeFactory(LibreOfficeOptions options = {}) : m_options(std::move(options)) {}
    Result<std::unique_ptr<Application>> create() override;

private:
    LibreOfficeOptions m_options;
};

}  // namespace pw::word
