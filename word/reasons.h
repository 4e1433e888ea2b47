#pragma once

// What an office failure means, in the words the user reads. The office's own words stay in
// Error::message, for details and the command line's JSON.

#include "word/error.h"

namespace pw::word {

inline QString reasonText(const Error& e) {
    switch (e.kind) {
        case Error::Kind::NotInstalled:
            return QStringLiteral("未找到 LibreOffice");
        case Error::Kind::StartFailed:
            return QStringLiteral("LibreOffice 未能启动或没有响应");
        case Error::Kind::OfficeDead:
            return QStringLiteral("LibreOffice 已停止运行");
        case Error::Kind::Timeout:
            return QStringLiteral("LibreOffice 长时间没有响应，已被停止");
        case Error::Kind::OpenFailed:
            return QStringLiteral("文件不存在、已损坏或无法识别");
        case Error::Kind::Password:
            return QStringLiteral("文档受密码保护");
        case Error::Kind::NotDocument:
            return QStringLiteral("不是 Word 文档");
        case Error::Kind::SaveFailed:
            return QStringLiteral("无法保存文件");
        case Error::Kind::Failed:
            break;
    }
    return QStringLiteral("LibreOffice 未能完成操作");
}

}  // namespace pw::word
