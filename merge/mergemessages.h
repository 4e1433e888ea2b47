#pragma once

// What the merge says to the user.

#include <QString>

namespace pw::merge::msg {

inline const QString NoDocuments = QStringLiteral("请添加需要合并到同一个文档的多个文件！");
inline const QString TargetMissing = QStringLiteral("请输入要合成的目标文档名！");
inline const QString OverwriteTarget = QStringLiteral("输出的文件已经存在，是否覆盖？");
inline const QString Finished = QStringLiteral("文档合并完成！");

inline QString TargetIsSource(const QString& target) {
    return QStringLiteral("目标文档不能是待合并的文档之一：\n%1").arg(target);
}
inline QString TargetIsFolder(const QString& target) {
    return QStringLiteral("目标文档名是一个文件夹：\n%1").arg(target);
}
inline QString TargetIsExportOnly(const QString& target) {
    return QStringLiteral("目标文档不能保存为 PDF，请使用 .doc 或 .docx：\n%1").arg(target);
}
inline QString OfficeNotStarted(const QString& cause) {
    return QStringLiteral("无法启动 LibreOffice，文档未合并。\n原因：%1").arg(cause);
}
inline QString FirstEntryUnreadable(const QString& entry, const QString& cause) {
    return QStringLiteral("无法打开第一个文档，文档未合并：\n%1\n原因：%2").arg(entry, cause);
}
inline QString TargetNotCreated(const QString& target, const QString& cause) {
    return QStringLiteral("无法写入目标文档，文档未合并：\n%1\n原因：%2").arg(target, cause);
}
inline QString Cancelled(int mergedCount) {
    return QStringLiteral("文档合并已取消，目标文档中已合并 %1 个文档。").arg(mergedCount);
}
inline QString NotMergedHeading(qsizetype n) {
    return QStringLiteral("以下 %1 个文档未合并：").arg(n);
}
inline QString MoreNotMerged(qsizetype n) {
    return QStringLiteral("……另有 %1 个文档未合并").arg(n);
}

// Reasons for an entry left out.
inline const QString ReasonUnreadable = QStringLiteral("文件不存在或无法读取");
inline const QString ReasonNotDocument = QStringLiteral("不是 Word 文档");
inline QString ReasonNotInserted(const QString& cause) {
    return QStringLiteral("无法插入（%1）").arg(cause);
}
inline QString ReasonTargetNotSaved(const QString& cause) {
    return QStringLiteral("目标文档无法保存（%1）").arg(cause);
}
inline QString ReasonTargetNotReopened(const QString& cause) {
    return QStringLiteral("目标文档无法重新打开（%1）").arg(cause);
}
inline const QString ReasonOfficeStopped = QStringLiteral("LibreOffice 已停止运行");
inline const QString ReasonCancelled = QStringLiteral("合并已取消");

}  // namespace pw::merge::msg
