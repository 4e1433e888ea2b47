#include "tests/corpus/corpusoracle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>

#include "word/libreoffice/libreofficefactory.h"

namespace pw::test {

QString withoutSpace(const QString& text) {
    static const QRegularExpression space(QStringLiteral("[\\s\\x{feff}]+"));
    return QString(text).remove(space);
}

double similarity(const QString& a, const QString& b) {
    if (a == b) return 1.0;
    if (a.size() < 2 || b.size() < 2) return 0.0;
    QHash<quint32, int> pairs;
    for (qsizetype i = 0; i + 1 < a.size(); ++i)
        ++pairs[(quint32(a[i].unicode()) << 16) | a[i + 1].unicode()];
    int common = 0;
    for (qsizetype i = 0; i + 1 < b.size(); ++i) {
        auto it = pairs.find((quint32(b[i].unicode()) << 16) | b[i + 1].unicode());
        if (it != pairs.end() && *it > 0) {
            --*it;
            ++common;
        }
    }
    return 2.0 * common / double(a.size() - 1 + b.size() - 1);
}

std::optional<OfficeView> CorpusOracle::view(const QString& path, const QString& readAs,
                                             bool withPages) {
    if (!m_app || !m_app->isAlive()) {
        m_app.reset();
        auto started = word::LibreOfficeFactory().create();
        if (!started) return std::nullopt;
        m_app = std::move(*started);
    }
    const QString copy = m_scratch + QStringLiteral("/read/") + readAs;
    QDir().mkpath(QFileInfo(copy).path());
    QFile::remove(copy);
    if (!QFile::copy(path, copy)) return std::nullopt;
    auto doc = m_app->open(copy);
    if (!doc) return std::nullopt;
    const QString txt = m_scratch + QStringLiteral("/oracle.txt");
    const QString pdf = m_scratch + QStringLiteral("/oracle.pdf");
    const bool stored = (*doc)->saveAs(txt) && (!withPages || (*doc)->saveAs(pdf));
    // The plain-text export of a main text that is one empty paragraph writes the first frame
    // it finds instead, such as the footer's page number.
    const auto body = (*doc)->characters();
    doc->reset();
    if (!stored || !body) return std::nullopt;

    OfficeView view;
    QFile text(txt);
    if (!text.open(QIODevice::ReadOnly)) return std::nullopt;
    if (!withoutSpace(*body).isEmpty())
        view.mainText = withoutSpace(QString::fromUtf8(text.readAll()));
    if (!withPages) return view;
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(120000)) return std::nullopt;
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
    if (pages.size() > 1) pages.removeLast();  // pdftotext ends every page with a form feed
    for (const QString& page : pages) view.pages << withoutSpace(page);
    return view;
}

}  // namespace pw::test
