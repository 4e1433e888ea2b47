#include "cli/runsummary.h"

#include "shell/platform.h"

#include <QFileInfo>
#include <QJsonArray>

namespace pw::cli {

int exitstatus::interrupted(int signal) {
    return 128 + (signal > 0 ? signal : platform::interruptSignal());
}

int exitStatus(const split::SplitResult& result, int signal) {
    using Outcome = split::SplitResult::Outcome;
    switch (result.outcome) {
        case Outcome::Refused:
            return exitstatus::Refused;
        case Outcome::OfficeFailed:
            // An office start given up because of the signal.
            return signal > 0 ? exitstatus::interrupted(signal) : exitstatus::NoOffice;
        case Outcome::Cancelled:
            return exitstatus::interrupted(signal);
        case Outcome::Completed:
            break;
    }
    return result.failures.isEmpty() ? exitstatus::Made : exitstatus::Failures;
}

int exitStatus(const merge::MergeResult& result, int signal) {
    using Outcome = merge::MergeResult::Outcome;
    switch (result.outcome) {
        case Outcome::Refused:
            return exitstatus::Refused;
        case Outcome::OfficeFailed:
            // Also the outcome when the first entry could not be read; that one names its source.
            if (signal > 0) return exitstatus::interrupted(signal);
            if (!result.failures.isEmpty() && !result.failures.first().source.isEmpty())
                return exitstatus::Failures;
            return exitstatus::NoOffice;
        case Outcome::TargetFailed:
            return exitstatus::Failures;
        case Outcome::Cancelled:
            return exitstatus::interrupted(signal);
        case Outcome::Completed:
            break;
    }
    return result.failures.isEmpty() ? exitstatus::Made : exitstatus::Failures;
}

namespace {

QString outcomeName(split::SplitResult::Outcome o) {
    using Outcome = split::SplitResult::Outcome;
    switch (o) {
        case Outcome::Refused:
            return QStringLiteral("refused");
        case Outcome::OfficeFailed:
            return QStringLiteral("officeFailed");
        case Outcome::Completed:
            return QStringLiteral("completed");
        case Outcome::Cancelled:
            return QStringLiteral("cancelled");
    }
    return {};
}

QString outcomeName(merge::MergeResult::Outcome o) {
    using Outcome = merge::MergeResult::Outcome;
    switch (o) {
        case Outcome::Refused:
            return QStringLiteral("refused");
        case Outcome::OfficeFailed:
            return QStringLiteral("officeFailed");
        case Outcome::TargetFailed:
            return QStringLiteral("targetFailed");
        case Outcome::Completed:
            return QStringLiteral("completed");
        case Outcome::Cancelled:
            return QStringLiteral("cancelled");
    }
    return {};
}

QJsonObject common(const QString& command, const QString& outcome, int exitStatus, double seconds,
                   const QString& message) {
    return {{QStringLiteral("command"), command},
            {QStringLiteral("outcome"), outcome},
            {QStringLiteral("exitStatus"), exitStatus},
            {QStringLiteral("elapsedSeconds"), qRound(seconds * 1000) / 1000.0},
            {QStringLiteral("completionMessage"), message}};
}

}  // namespace

QJsonObject summary(const split::SplitResult& result, int exitStatus, double seconds) {
    QJsonObject out = common(QStringLiteral("split"), outcomeName(result.outcome), exitStatus,
                             seconds, result.completionMessage);
    out[QStringLiteral("written")] = QJsonArray::fromStringList(result.written);
    QJsonArray failures;
    for (const split::SplitFailure& f : result.failures) {
        failures.append(QJsonObject{{QStringLiteral("source"), f.source},
                                    {QStringLiteral("part"), f.part},
                                    {QStringLiteral("target"), f.target},
                                    {QStringLiteral("reason"), f.reason},
                                    {QStringLiteral("detail"), f.detail}});
    }
    out[QStringLiteral("failures")] = failures;
    QJsonArray pages;
    for (const split::SourcePages& p : result.pageCounts)
        pages.append(
            QJsonObject{{QStringLiteral("source"), p.source},
                        {QStringLiteral("pages"), p.pages},
                        {QStringLiteral("pagination"), p.pagination == split::Pagination::Word
                                                           ? QStringLiteral("word")
                                                           : QStringLiteral("office")}});
    out[QStringLiteral("pageCounts")] = pages;
    return out;
}

QJsonObject summary(const merge::MergeResult& result, int exitStatus, double seconds) {
    QJsonObject out = common(QStringLiteral("merge"), outcomeName(result.outcome), exitStatus,
                             seconds, result.completionMessage);
    using Outcome = merge::MergeResult::Outcome;
    // The target is on disk, holding the passes that finished, only once the merge got going.
    const bool targetMade =
        (result.outcome == Outcome::Completed || result.outcome == Outcome::Cancelled) &&
        QFileInfo(result.target).isFile();
    out[QStringLiteral("target")] = result.target;
    out[QStringLiteral("written")] =
        QJsonArray::fromStringList(targetMade ? QStringList{result.target} : QStringList{});
    out[QStringLiteral("merged")] = QJsonArray::fromStringList(result.merged);
    QJsonArray failures;
    for (const merge::MergeFailure& f : result.failures) {
        failures.append(QJsonObject{{QStringLiteral("source"), f.source},
                                    {QStringLiteral("reason"), f.reason}});
    }
    out[QStringLiteral("failures")] = failures;
    return out;
}

}  // namespace pw::cli
