#include "tests/merge/fakeoffice.h"

#include <QFile>
#include <QFileInfo>

namespace pw::test {

using word::Error;
using word::fail;
using word::Result;
using word::Status;

FakeDoc readFakeDoc(const QString& path) {
    QFile file(path);
    FakeDoc doc;
    if (!file.open(QIODevice::ReadOnly)) return doc;
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.isEmpty() || !lines.first().startsWith(u"FAKEDOC ")) {
        // Anything else counts as a plain text file of one block.
        doc.valid = true;
        doc.blocks = {lines.join(u' ')};
        return doc;
    }
    doc.valid = true;
    doc.orientation = lines.takeFirst().mid(8).toInt();
    doc.blocks = lines;
    return doc;
}

bool writeFakeDoc(const QString& path, const FakeDoc& doc) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    QString text = QStringLiteral("FAKEDOC %1\n").arg(doc.orientation);
    for (const QString& block : doc.blocks) text += block + u'\n';
    return file.write(text.toUtf8()) >= 0;
}

bool writeFakeDoc(const QString& path, int orientation, const QStringList& blocks) {
    return writeFakeDoc(path, FakeDoc{true, orientation, blocks});
}

namespace {

struct Shared {
    FakeOffice& office;
    bool alive = true;
    bool deathSeen = true;  // false while a quiet death has not shown in a call yet
};

Status dead() {
    return fail(Error::Kind::OfficeDead, QStringLiteral("the fake office has gone"));
}
// A call to an office that has gone fails, and from then on the office is seen as gone.
Status gone(Shared& shared) {
    shared.deathSeen = true;
    return dead();
}

class FakeDocument;

class FakeSelection final : public word::Selection {
public:
    explicit FakeSelection(FakeDocument& doc) : m_doc(doc) {}
    Result<word::Position> start() override { return fail(Error::Kind::Failed, "not faked"); }
    Result<word::Position> end() override { return fail(Error::Kind::Failed, "not faked"); }
    Status collapseToStart() override { return fail(Error::Kind::Failed, "not faked"); }
    Status wholeStory() override { return fail(Error::Kind::Failed, "not faked"); }
    Status deleteContent() override { return fail(Error::Kind::Failed, "not faked"); }
    Status paste(const word::Clip&) override { return fail(Error::Kind::Failed, "not faked"); }
    Result<bool> nextPage() override { return fail(Error::Kind::Failed, "not faked"); }
    Status endKey() override;
    Status insertPageBreak() override;
    Status insertFile(const QString& path) override;

private:
    FakeDocument& m_doc;
};

class FakeDocument final : public word::Document {
public:
    FakeDocument(std::shared_ptr<Shared> shared, FakeDoc content, QString fullName)
        : m_shared(std::move(shared)),
          m_content(std::move(content)),
          m_fullName(std::move(fullName)) {}

    Status saveAs(const QString& path) override {
        if (!m_shared->alive) return gone(*m_shared);
        log(QStringLiteral("saveAs ") + path);
        if (m_shared->office.failSaveAs) {
            QFile partial(path);
            if (partial.open(QIODevice::WriteOnly)) partial.write("FAKEDOC");
            return fail(Error::Kind::SaveFailed, QStringLiteral("disk full"));
        }
        if (!writeFakeDoc(path, m_content))
            return fail(Error::Kind::SaveFailed, QStringLiteral("cannot write"));
        m_fullName = QFileInfo(path).absoluteFilePath();
        return {};
    }
    Status save() override {
        if (!m_shared->alive) return gone(*m_shared);
        log(QStringLiteral("save"));
        if (m_shared->office.failSaves.contains(++m_shared->office.saves))
            return fail(Error::Kind::SaveFailed, QStringLiteral("disk full"));
        if (!writeFakeDoc(m_fullName, m_content))
            return fail(Error::Kind::SaveFailed, QStringLiteral("cannot write"));
        if (m_shared->office.saves == m_shared->office.dieQuietlyAfterSave) {
            m_shared->alive = false;
            m_shared->deathSeen = false;
        }
        return {};
    }
    Status close(word::SaveChanges changes) override {
        if (m_closed) return {};
        m_closed = true;
        log(QStringLiteral("close"));
        if (changes == word::SaveChanges::Save) return save();
        return {};
    }
    QString fullName() const override { return m_fullName; }
    Result<int> orientation() override {
        if (!m_shared->alive) return pw::unexpected(gone(*m_shared).error());
        if (m_shared->office.failOrientation)
            return fail(Error::Kind::Failed, QStringLiteral("no page style"));
        return m_content.orientation;
    }
    Status setOrientation(int orientation) override {
        if (!m_shared->alive) return gone(*m_shared);
        log(QStringLiteral("setOrientation %1").arg(orientation));
        if (m_shared->office.failSetOrientation)
            return fail(Error::Kind::Failed, QStringLiteral("read-only style"));
        m_content.orientation = orientation;
        return {};
    }
    Status convertNumbersToText() override { return fail(Error::Kind::Failed, "not faked"); }
    Status select() override { return fail(Error::Kind::Failed, "not faked"); }
    word::Selection& selection() override { return m_selection; }
    Result<std::unique_ptr<word::Range>> range(const word::Position&,
                                               const word::Position&) override {
        return fail(Error::Kind::Failed, "not faked");
    }
    Result<int> compare(const word::Position&, const word::Position&) override {
        return fail(Error::Kind::Failed, "not faked");
    }
    Result<QString> characters() override { return m_content.blocks.join(u'\r') + u'\r'; }

    void log(const QString& event) const { m_shared->office.log(event); }
    std::shared_ptr<Shared> m_shared;
    FakeDoc m_content;
    bool m_atEnd = false;

private:
    QString m_fullName;
    FakeSelection m_selection{*this};
    bool m_closed = false;
};

Status FakeSelection::endKey() {
    if (!m_doc.m_shared->alive) return gone(*m_doc.m_shared);
    m_doc.log(QStringLiteral("endKey"));
    m_doc.m_atEnd = true;
    return {};
}

Status FakeSelection::insertPageBreak() {
    if (!m_doc.m_shared->alive) return gone(*m_doc.m_shared);
    m_doc.log(QStringLiteral("break"));
    if (!m_doc.m_atEnd) return fail(Error::Kind::Failed, QStringLiteral("the fake only appends"));
    m_doc.m_content.blocks.append(FakeBreak);
    return {};
}

Status FakeSelection::insertFile(const QString& path) {
    if (!m_doc.m_shared->alive) return gone(*m_doc.m_shared);
    m_doc.log(QStringLiteral("insert ") + path);
    FakeOffice& office = m_doc.m_shared->office;
    if (!m_doc.m_atEnd) return fail(Error::Kind::Failed, QStringLiteral("the fake only appends"));
    if (office.crashOnInsert.contains(path)) {
        m_doc.m_shared->alive = false;
        m_doc.m_content.blocks.append(QStringLiteral("<half>"));
        return dead();
    }
    if (office.failInsert.contains(path)) {
        m_doc.m_content.blocks.append(QStringLiteral("<half>"));
        return fail(Error::Kind::OpenFailed, QStringLiteral("damaged file"));
    }
    const FakeDoc source = readFakeDoc(path);
    if (!source.valid)
        return fail(Error::Kind::OpenFailed, QStringLiteral("the file cannot be read"));
    m_doc.m_content.blocks.append(source.blocks);
    return {};
}

class FakeApplication final : public word::Application {
public:
    explicit FakeApplication(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {
        ++m_shared->office.live;
    }
    ~FakeApplication() override {
        if (!m_quit) (void)quit();
        --m_shared->office.live;
    }
    Status setOption(word::Option option, bool value) override {
        m_shared->office.log(QStringLiteral("option %1 %2").arg(int(option)).arg(int(value)));
        return {};
    }
    Status setDisplayAlerts(int level) override {
        m_shared->office.log(QStringLiteral("alerts %1").arg(level));
        return {};
    }
    Result<std::unique_ptr<word::Document>> open(const QString& path) override {
        if (!m_shared->alive) return pw::unexpected(gone(*m_shared).error());
        m_shared->office.log(QStringLiteral("open ") + path);
        if (m_shared->office.failOpen.contains(path))
            return fail(Error::Kind::OpenFailed, QStringLiteral("the file is damaged"));
        FakeDoc doc = readFakeDoc(path);
        if (!doc.valid)
            return fail(Error::Kind::OpenFailed, QStringLiteral("the file does not exist"));
        return std::unique_ptr<word::Document>(
            new FakeDocument(m_shared, std::move(doc), QFileInfo(path).absoluteFilePath()));
    }
    Result<std::unique_ptr<word::Document>> add() override {
        if (!m_shared->alive) return pw::unexpected(gone(*m_shared).error());
        m_shared->office.log(QStringLiteral("add"));
        if (m_shared->office.failAdd)
            return fail(Error::Kind::Failed, QStringLiteral("no template"));
        return std::unique_ptr<word::Document>(
            new FakeDocument(m_shared, FakeDoc{true, 0, {}}, {}));
    }
    Status quit() override {
        if (m_quit) return {};
        m_quit = true;
        ++m_shared->office.quits;
        m_shared->office.log(QStringLiteral("quit"));
        m_shared->alive = false;
        return {};
    }
    bool isAlive() override { return m_shared->alive || !m_shared->deathSeen; }

private:
    std::shared_ptr<Shared> m_shared;
    bool m_quit = false;
};

}  // namespace

Result<std::unique_ptr<word::Application>> FakeFactory::create() {
    m_office.log(QStringLiteral("create"));
    if (m_office.failStart)
        return fail(Error::Kind::NotInstalled, QStringLiteral("no office program was found"));
    ++m_office.created;
    return std::unique_ptr<word::Application>(
        new FakeApplication(std::make_shared<Shared>(Shared{m_office})));
}

}  // namespace pw::test
