#include "word/libreoffice/libreofficefactory.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/configuration/theDefaultProvider.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/util/XChangesBatch.hpp>

#include "word/libreoffice/lodocument.h"
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

using css::uno::Any;
using css::uno::UNO_QUERY_THROW;

// Where the office keeps the settings that match the word processor's proofing options; those
// without a counterpart there have nothing to switch off.
struct ConfigKey {
    const char* node;
    const char* property;
};
const ConfigKey* configKeyFor(Option option) {
    static const ConfigKey spell{"/org.openoffice.Office.Linguistic/SpellChecking", "IsSpellAuto"};
    static const ConfigKey grammar{"/org.openoffice.Office.Linguistic/GrammarChecking",
                                   "IsAutoCheck"};
    switch (option) {
        case Option::CheckSpellingAsYouType:
            return &spell;
        case Option::CheckGrammarAsYouType:
            return &grammar;
        default:
            return nullptr;
    }
}

class LoApplication final : public Application {
public:
    explicit LoApplication(std::shared_ptr<Session> session) : m_session(std::move(session)) {}
    ~LoApplication() override { (void)quit(); }

    Status setOption(Option option, bool value) override {
        const ConfigKey* key = configKeyFor(option);
        if (!key) return {};
        return m_session->call(Error::Kind::Failed, [&] {
            m_session->setConfiguration(key->node, key->property, Any(value));
        });
    }

    Status setDisplayAlerts(int) override {
        // Every load already runs with an interaction handler that never waits for an answer.
        if (!m_session->alive())
            return fail(Error::Kind::OfficeDead,
                        QStringLiteral("LibreOffice is no longer running"));
        return {};
    }

    Result<std::unique_ptr<Document>> open(const QString& path) override {
        return loadDocument(m_session, path);
    }
    Result<std::unique_ptr<Document>> add() override { return newDocument(m_session); }
    Status quit() override { return m_session->quit(); }
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
