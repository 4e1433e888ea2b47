#include "word/libreoffice/libreofficefactory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "word/libreoffice/loadstore.h"
#include "word/libreoffice/session.h"

namespace pw::word {

QString findSoffice(const QString& preferred) {
    if (!preferred.isEmpty()) {
        const QFileInfo info(preferred);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (!onPath.isEmpty()) return onPath;
    QStringList candidates = {
        QStringLiteral("/usr/lib/libreoffice/program/soffice"),
        QStringLiteral("/usr/local/lib/libreoffice/program/soffice"),
        QStringLiteral("/snap/libreoffice/current/lib/libreoffice/program/soffice")};
    const QStringList opt =
        QDir(QStringLiteral("/opt"))
            .entryList({QStringLiteral("libreoffice*")}, QDir::Dirs, QDir::Name | QDir::Reversed);
    for (const QString& dir : opt)
        candidates.prepend(QStringLiteral("/opt/%1/program/soffice").arg(dir));
    for (const QString& c : candidates)
        if (QFileInfo(c).isExecutable()) return c;
    return {};
}

namespace lo {
namespace {

class LoApplication final : public Application {
public:
    explicit LoApplication(std::shared_ptr<Session> session) : m_session(std::move(session)) {}
    ~LoApplication() override { (void)m_session->quit(); }

    Result<std::unique_ptr<Document>> open(const QString& path) override {
        return loadDocument(m_session, path);
    }
    Result<std::unique_ptr<Document>> add() override { return newDocument(m_session); }
    bool isAlive() override { return m_session->alive(); }

private:
    std::shared_ptr<Session> m_session;
};

}  // namespace
}  // namespace lo

Result<std::unique_ptr<Application>> LibreOfficeFactory::create() {
    auto session = std::make_shared<lo::Session>(m_options);
    if (auto started = session->start(); !started) return pw::unexpected(started.error());
    return std::unique_ptr<Application>(new lo::LoApplication(std::move(session)));
}

}  // namespace pw::word
