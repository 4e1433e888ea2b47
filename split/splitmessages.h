#pragma once

// What the split run says to the user.

#include <QString>

namespace pw::split::msg {

inline const QString NoDocuments = QStringLiteral("没有需要拆分的文档！");
inline const QString EnterOutDir = QStringLiteral("请输入新文档输出文件夹！");
inline const QString CreateOutDir = QStringLiteral("输出目录不存在，是否创建新目录？");
inline const QString EnterPages = QStringLiteral("请输入每几页分拆为一个新文件？");
inline const QString EnterNewDocs = QStringLiteral("请输入分拆为几个新文件？");
inline const QString EmptyNewName = QStringLiteral("新文件名不能为空！");
inline const QString NameTooLong =
    QStringLiteral("新文件名长度超出Windows系统最大限制，文件未能保存！");
inline const QString Finished = QStringLiteral("文档分拆完成！");

inline const QString BadPages = QStringLiteral("每几页分拆的页数必须是1到2147483647之间的整数！");
inline const QString BadNewDocs = QStringLiteral("新文件的个数必须是1到2147483647之间的整数！");
inline const QString BadFirstWords =
    QStringLiteral("新文件名的字符数必须是1到2147483647之间的整数！");
inline const QString BadMaskLength = QStringLiteral("序号的位数必须是2到9之间的整数！");
inline QString OutDirNotCreated(const QString& dir) {
    return QStringLiteral("无法创建输出目录“%1”，文档未能拆分！").arg(dir);
}
inline QString OutDirNotWritable(const QString& dir) {
    return QStringLiteral("无法在输出目录“%1”中写入文件，请选择其他文件夹！").arg(dir);
}
inline const QString NoScratchFolder = QStringLiteral("无法创建临时文件夹，文档未能拆分！");
inline QString OfficeNotStarted(const QString& why) {
    return QStringLiteral("无法启动 LibreOffice，文档未能拆分！\n%1").arg(why);
}
inline const QString Cancelled = QStringLiteral("文档分拆已取消！");
inline const QString NotMadeHeading = QStringLiteral("以下文件未能生成：");
inline QString MoreNotMade(qsizetype n) {
    return QStringLiteral("……另有 %1 项").arg(n);
}

// Reasons in the list of what was not made.
inline const QString ReasonOpen = QStringLiteral("无法打开文档");
inline const QString ReasonFolderNotWritable = QStringLiteral("无法在文档所在文件夹中写入文件");
inline const QString ReasonNotDocument = QStringLiteral("不是 Word 文档");
inline const QString ReasonPassword = QStringLiteral("文档受密码保护，无法打开");
inline const QString ReasonBlankCopy = QStringLiteral("无法生成空白文档");
inline const QString ReasonPageMap = QStringLiteral("无法读取分页");
inline const QString ReasonCopy = QStringLiteral("无法复制页面内容");
inline const QString ReasonNameTooLong = QStringLiteral("文件名过长");
inline const QString ReasonSave = QStringLiteral("无法保存");
inline const QString ReasonOfficeDead = QStringLiteral("LibreOffice 已停止运行");
inline const QString ReasonNotReached = QStringLiteral("拆分已取消");

}  // namespace pw::split::msg
