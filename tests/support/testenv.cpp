#include "tests/support/testenv.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

namespace pw::test {

QString fixturesDir() {
    const QString dir = QStringLiteral(PW_SOURCE_DIR "/../shared/fixtures");
    return QDir(dir).exists() ? QDir(dir).canonicalPath() : QString();
}

QByteArray fileHash(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(&f);
    return h.result().toHex();
}

QList<qint64> officeProcesses(qint64 pid) {
    if (pid == 0) pid = QCoreApplication::applicationPid();
    const QByteArray marker = "pagewright_" + QByteArray::number(pid) + "_";
    QList<qint64> found;
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        const qint64 p = entry.toLongLong(&numeric);
        if (!numeric) continue;
        QFile cmd("/proc/" + entry + "/cmdline");
        if (!cmd.open(QIODevice::ReadOnly)) continue;
        const QByteArray line = cmd.readAll();
        // A zombie is gone for our purposes only once reaped; count it too.
        if (line.contains("soffice") && line.contains(marker)) found.append(p);
    }
    return found;
}

bool waitNoOfficeProcesses(int timeoutMs, qint64 pid, int left) {
    for (int waited = 0;; waited += 100) {
        if (officeProcesses(pid).size() <= left) return true;
        if (waited >= timeoutMs) return false;
        QThread::msleep(100);
    }
}

QString foldSpace(const QString& text) {
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return QString(text).replace(space, QStringLiteral(" ")).trimmed();
}

QString pdfInfo(const QString& pdf, const QString& field) {
    QProcess p;
    p.start("pdfinfo", {pdf});
    p.waitForFinished(60000);
    const QRegularExpression line(
        u'^' + QRegularExpression::escape(field) + QStringLiteral(":\\s+(.+)$"),
        QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(p.readAllStandardOutput())).captured(1).trimmed();
}

int pdfPageCount(const QString& pdf) {
    return pdfInfo(pdf, QStringLiteral("Pages")).toInt();
}

QString pdfPageText(const QString& pdf, int page) {
    QProcess p;
    p.start("pdftotext", {"-layout", "-f", QString::number(page), "-l", QString::number(page),
                          "-enc", "UTF-8", pdf, "-"});
    p.waitForFinished(60000);
    return foldSpace(QString::fromUtf8(p.readAllStandardOutput()));
}

}  // namespace pw::test
