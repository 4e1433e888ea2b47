#include "merge/mergetexts.h"

namespace pw::merge::texts {

QString noDocuments() {
    return QStringLiteral("请添加需要合并到同一个文档的多个文件！");
}
QString targetMissing() {
    return QStringLiteral("请输入要合成的目标文档名！");
}
QString overwriteTarget() {
    return QStringLiteral("输出的文件已经存在，是否覆盖？");
}
QString mergeComplete() {
    return QStringLiteral("文档合并完成！");
}

QString targetIsSource(const QString& target) {
    return QStringLiteral("目标文档不能是待合并的文档之一：\n%1").arg(target);
}

QString targetIsFolder(const QString& target) {
    return QStringLiteral("目标文档名是一个文件夹：\n%1").arg(target);
}

QString targetIsExportOnly(const QString& target) {
    return QStringLiteral("目标文档不能保存为 PDF，请使用 .doc 或 .docx：\n%1").arg(target);
}

QString officeNotStarted(const QString& cause) {
    return QStringLiteral("无法启动 LibreOffice，文档未合并。\n原因：%1").arg(cause);
}

QString firstEntryUnreadable(const QString& entry, const QString& cause) {
    return QStringLiteral("无法打开第一个文档，文档未合并：\n%1\n原因：%2").arg(entry, cause);
}

QString targetNotCreated(const QString& target, const QString& cause) {
    return QStringLiteral("无法写入目标文档，文档未合并：\n%1\n原因：%2").arg(target, cause);
}

QString entryUnreadable() {
    return QStringLiteral("文件不存在或无法读取");
}
QString notDocument() {
    return QStringLiteral("不是 Word 文档");
}
QString entryNotInserted(const QString& cause) {
    return QStringLiteral("无法插入（%1）").arg(cause);
}
QString targetNotSaved(const QString& cause) {
    return QStringLiteral("目标文档无法保存（%1）").arg(cause);
}
QString targetNotReopened(const QString& cause) {
    return QStringLiteral("目标文档无法重新打开（%1）").arg(cause);
}
QString officeStopped() {
    return QStringLiteral("LibreOffice 已停止运行");
}
QString cancelled() {
    return QStringLiteral("合并已取消");
}

namespace {

// A long list is cut short: the message box has to fit on the screen.
constexpr int ListedFailures = 10;

QString failureList(const QList<MergeFailure>& failures) {
    QString list;
    for (qsizetype i = 0; i < failures.size() && i < ListedFailures; ++i) {
        const MergeFailure& f = failures[i];
        list += u'\n';
        list += f.source.isEmpty() ? f.reason : QStringLiteral("%1：%2").arg(f.source, f.reason);
    }
    if (failures.size() > ListedFailures)
        list += QStringLiteral("\n……另有 %1 个文档未合并").arg(failures.size() - ListedFailures);
    return list;
}

}  // namespace

QString completion(const QList<MergeFailure>& failures) {
    if (failures.isEmpty()) return mergeComplete();
    return mergeComplete() + QStringLiteral("\n\n以下 %1 个文档未合并：").arg(failures.size()) +
           failureList(failures);
}

QString cancellation(int mergedCount, const QList<MergeFailure>& failures) {
    QString text = QStringLiteral("文档合并已取消，目标文档中已合并 %1 个文档。").arg(mergedCount);
    if (!failures.isEmpty())
        text += QStringLiteral("\n\n以下 %1 个文档未合并：").arg(failures.size()) +
                failureList(failures);
    return text;
}

}  // namespace pw::merge::texts
