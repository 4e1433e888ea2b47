#pragma once

// What tests need around the documents: the shared fixtures, hashes, the office processes this
// test started, and the text of a PDF page.

#include <QByteArray>
#include <QList>
#include <QString>

namespace pw::test {

// ../shared/fixtures beside the project, or empty when it is absent.
QString fixturesDir();
QByteArray fileHash(const QString& path);

// Office processes whose pipe name says they were started by process pid (default: this one).
QList<qint64> officeProcesses(qint64 pid = 0);
// Waits up to timeoutMs for them to be gone, all but left of them; true when they are.
bool waitNoOfficeProcesses(int timeoutMs = 15000, qint64 pid = 0, int left = 0);

// A line of pdfinfo's report, e.g. "Page size" gives "841.89 x 595.276 pts (A4)".
QString pdfInfo(const QString& pdf, const QString& field);
int pdfPageCount(const QString& pdf);               // 0 when unknown
QString pdfPageText(const QString& pdf, int page);  // whitespace folded
QString foldSpace(const QString& text);

}  // namespace pw::test
