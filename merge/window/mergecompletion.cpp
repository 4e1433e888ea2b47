#include "merge/window/mergecompletion.h"

#include <QFileInfo>

#include "merge/completionreport.h"
#include "merge/mergemessages.h"

namespace pw::merge {

QString progressLine(const Progress& p) {
    return QStringLiteral("正在合并第 %1/%2 个文档：%3")
        .arg(p.documentIndex + 1)
        .arg(p.documentCount)
        .arg(QFileInfo(p.document).fileName());
}

Completion completion(const MergeResult& result) {
    Completion c;
    c.text = result.outcome == MergeResult::Outcome::Cancelled
                 ? msg::Cancelled(int(result.merged.size()))
                 : msg::Finished;
    c.text += result.outcome == MergeResult::Outcome::Cancelled
                  ? QStringLiteral("\n\n目标文档：\n%1").arg(result.target)
                  : QStringLiteral("\n\n共 %1 个文档合并到：\n%2")
                        .arg(result.merged.size())
                        .arg(result.target);
    c.folder = QFileInfo(result.target).absolutePath();
    if (!result.failures.isEmpty()) {
        c.icon = MessageIcon::Exclamation;
        c.text +=
            QStringLiteral("\n\n有 %1 个文档未合并，详见详细信息。").arg(result.failures.size());
        c.details = msg::NotMergedHeading(result.failures.size()) + u'\n' +
                    failureLines(result.failures).join(u'\n');
    }
    return c;
}

}  // namespace pw::merge
