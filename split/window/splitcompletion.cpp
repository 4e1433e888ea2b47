#include "split/window/splitcompletion.h"

#include <QFileInfo>
#include <QSet>

#include "split/completionreport.h"
#include "split/splitmessages.h"

namespace pw::split {

QString progressLine(const Progress& p) {
    QString line = QStringLiteral("正在拆分第 %1/%2 个文档：%3")
                       .arg(p.documentIndex + 1)
                       .arg(p.documentCount)
                       .arg(QFileInfo(p.document).fileName());
    if (p.partCount > 0)
        line += QStringLiteral("，已生成 %1/%2 份").arg(p.partIndex).arg(p.partCount);
    return line;
}

Completion completion(const SplitResult& result) {
    Completion c;
    c.text = result.outcome == SplitResult::Outcome::Cancelled ? msg::Cancelled : msg::Finished;
    QStringList folders;
    for (const QString& file : result.written) {
        const QString folder = QFileInfo(file).absolutePath();
        if (!folders.contains(folder)) folders.append(folder);
    }
    if (folders.isEmpty()) {
        c.text += QStringLiteral("\n\n没有生成新文档。");
    } else {
        c.folder = folders.constFirst();
        c.text += folders.size() == 1
                      ? QStringLiteral("\n\n共生成 %1 个新文档，保存在：\n%2")
                            .arg(result.written.size())
                            .arg(c.folder)
                      : QStringLiteral("\n\n共生成 %1 个新文档，保存在各源文件所在的文件夹中。")
                            .arg(result.written.size());
    }
    if (!result.failures.isEmpty()) {
        c.icon = MessageIcon::Exclamation;
        c.text +=
            QStringLiteral("\n\n有 %1 项未能生成，详见详细信息。").arg(result.failures.size());
        QStringList lines = failureLines(result.failures);
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (!result.failures[i].detail.isEmpty())
                lines[i] += QStringLiteral("（%1）").arg(result.failures[i].detail);
        c.details = msg::NotMadeHeading + u'\n' + lines.join(u'\n');
    }
    return c;
}

}  // namespace pw::split
