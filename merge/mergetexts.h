#pragma once

// What the merge says to the user. The first four are the program's fixed texts; the others
// explain a refusal or a failure and name its cause.

#include <QList>
#include <QString>

#include "merge/mergerequest.h"

namespace pw::merge::texts {

QString noDocuments();      // the list is empty
QString targetMissing();    // no usable target name
QString overwriteTarget();  // the target file exists
QString mergeComplete();    // the first line of every finished merge

QString targetIsSource(const QString& target);
QString targetIsFolder(const QString& target);
QString targetIsExportOnly(const QString& target);
QString officeNotStarted(const QString& cause);
QString firstEntryUnreadable(const QString& entry, const QString& cause);
QString targetNotCreated(const QString& target, const QString& cause);

// Reasons for an entry left out.
QString entryUnreadable();
QString notDocument();
QString entryNotInserted(const QString& cause);
QString targetNotSaved(const QString& cause);
QString targetNotReopened(const QString& cause);
QString officeStopped();
QString cancelled();

// The completion line alone, or followed by the list of what was left out.
QString completion(const QList<MergeFailure>& failures);
// A cancelled merge: what went in and what did not.
QString cancellation(int mergedCount, const QList<MergeFailure>& failures);

}  // namespace pw::merge::texts
