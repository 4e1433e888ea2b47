#include "split/partplan.h"

#include <algorithm>

#include <QtGlobal>

namespace pw::split {

int pagesPerPart(SplitMode mode, int n, int pageCount) {
    if (n < 1 || pageCount < 1) return 0;
    if (mode == SplitMode::EveryNPages) return n;
    // Rounded up in whole numbers: the same as taking the floor of -(P / N) and dropping the sign.
    const qint64 per = (qint64(pageCount) + n - 1) / n;
    return int(per);
}

std::vector<PagePart> makePartPlan(int pageCount, int perPart) {
    std::vector<PagePart> plan;
    if (pageCount < 1 || perPart < 1) return plan;
    // 64-bit so that a huge perPart cannot overflow the running page numbers.
    for (qint64 first = 1; first <= pageCount; first += perPart) {
        const qint64 last = std::min<qint64>(first + perPart - 1, pageCount);
        plan.push_back({int(first), int(last)});
    }
    return plan;
}

}  // namespace pw::split
