#include "tests/support/fakeword.h"
#include <optional>

#include <algorithm>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace pw::test {

using word::Error;
using word::Result;
using word::Status;

namespace {

const QString Label = QStringLiteral("{#}");
const QByteArray Magic = "pagewright-fake-document";

QString withoutLabels(QString s) {
    return s.remove(Label);
}

}  // namespace

FakeContent FakeContent::fromPages(const QList<QStringList>& pages) {
    FakeContent c;
    c.text.clear();
    c.pageStarts.clear();
    for (const QStringList& page : pages) {
        c.pageStarts.push_back(int(c.text.size()));
        for (const QString& p : page) c.text += p + u'\r';
    }
    if (c.text.isEmpty()) c.text = QStringLiteral("\r");
    if (c.pageStarts.empty()) c.pageStarts.push_back(0);
    return c;
}

QStringList FakeContent::pageTexts() const {
    QStringList out;
    for (size_t k = 0; k < pageStarts.size(); ++k) {
        const int from = pageStarts[k];
        const int to = k + 1 < pageStarts.size() ? pageStarts[k + 1] : int(text.size());
        out << withoutLabels(text.mid(from, to - from));
    }
    return out;
}

QString FakeContent::visibleText() const {
    return withoutLabels(text);
}

bool writeFakeDocument(const QString& path, const FakeContent& content) {
    QJsonArray starts;
    for (int s : content.pageStarts) starts.append(s);
    QJsonObject o{{"magic", QString::fromLatin1(Magic)},
                  {"text", content.text},
                  {"pageStarts", starts},
                  {"orientation", content.orientation},
                  {"format", QFileInfo(path).suffix().toLower()}};
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(QJsonDocument(o).toJson(QJsonDocument::Compact));
    return f.commit();
}

std::optional<FakeContent> readFakeDocument(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    if (o.value("magic").toString().toLatin1() != Magic) return std::nullopt;
    FakeContent c;
    c.text = o.value("text").toString();
    c.pageStarts.clear();
    for (const auto v : o.value("pageStarts").toArray()) c.pageStarts.push_back(v.toInt());
    c.orientation = o.value("orientation").toInt();
    c.format = o.value("format").toString();
    if (!c.text.endsWith(u'\r') || c.pageStarts.empty() || c.pageStarts.front() != 0)
        return std::nullopt;
    return c;
}

int FakeOfficeState::count(const QString& op, const QString& argContains) const {
    return int(std::count_if(calls.begin(), calls.end(), [&](const FakeCall& c) {
        return c.op == op && c.arg.contains(argContains);
    }));
}

namespace {

// Every call of one application goes through here: logged, then failed as the rules say.
class Gate {
public:
    explicit Gate(std::shared_ptr<FakeOfficeState> state) : m_state(std::move(state)) {}

    Status enter(const QString& op, const QString& arg = {}) {
        m_state->calls.append(FakeCall{op, arg});
        if (!m_alive) return pw::unexpected(Error{Error::Kind::OfficeDead, "the office is gone"});
        for (FakeFault& f : m_state->faults) {
            if (f.op != op || !arg.contains(f.argContains) || f.times == 0) continue;
            if (f.skip > 0) {
                --f.skip;
                continue;
            }
            if (f.times > 0) --f.times;
            if (f.kills) {
                kill();
                return pw::unexpected(Error{Error::Kind::OfficeDead, "the office died"});
            }
            return pw::unexpected(Error{f.kind, "injected failure of " + op});
        }
        return {};
    }
    bool alive() const { return m_alive; }
    void kill() {
        if (std::exchange(m_alive, false)) --m_state->running;
    }
    FakeOfficeState& state() { return *m_state; }

private:
    std::shared_ptr<FakeOfficeState> m_state;
    bool m_alive = true;
};

struct FakePosition final : word::Position::Data {
    FakePosition(int d, int o) : doc(d), offset(o) {}
    int doc;
    int offset;
};

struct FakeClip final : word::Clip::Data {
    QString text;
    std::vector<int> pageStarts;  // relative, the first 0
};

class FakeDocument;

class FakeSelection final : public word::Selection {
public:
    explicit FakeSelection(FakeDocument& doc) : m_doc(doc) {}
    Result<word::Position> start() override;
    Result<word::Position> end() override;
    Status collapseToStart() override;
    Status wholeStory() override;
    Status deleteContent() override;
    Status paste(const word::Clip& clip) override;
    Status endKey() override;
    Status insertPageBreak() override;
    Status insertFile(const QString& path) override;
    word::Result<bool> nextPage() override;

    int from = 0, to = 0;

private:
    FakeDocument& m_doc;
};

// A range's ends move with edits made before it is copied, as the office's own marks do.
class FakeRange final : public word::Range {
public:
    FakeRange(FakeDocument& doc, std::shared_ptr<int> from, std::shared_ptr<int> to)
        : m_doc(doc), m_from(std::move(from)), m_to(std::move(to)) {}
    Result<QString> text() override;
    Result<word::Clip> copy() override;

private:
    FakeDocument& m_doc;
    std::shared_ptr<int> m_from, m_to;
};

class FakeDocument final : public word::Document {
public:
    FakeDocument(Gate& gate, FakeContent content, QString path)
        : m_gate(gate),
          m_id(gate.state().nextDocumentId++),
          m_content(std::move(content)),
          m_path(std::move(path)),
          m_selection(*this) {
        ++m_gate.state().openDocuments;
    }
    ~FakeDocument() override {
        if (!m_closed) --m_gate.state().openDocuments;
    }

    Status saveAs(const QString& path) override {
        if (auto s = enter("saveAs", path); !s) return s;
        if (!writeFakeDocument(path, m_content))
            return word::fail(Error::Kind::SaveFailed, "cannot write " + path);
        m_path = QFileInfo(path).absoluteFilePath();
        m_modified = false;
        return {};
    }
    Status save() override {
        if (auto s = enter("save", m_path); !s) return s;
        if (m_path.isEmpty() || !writeFakeDocument(m_path, m_content))
            return word::fail(Error::Kind::SaveFailed, "cannot write " + m_path);
        m_modified = false;
        return {};
    }
    Status close(word::SaveChanges saveChanges) override {
        static const char* names[] = {"Omitted", "Save", "Discard"};
        if (m_closed) return word::fail(Error::Kind::Failed, "already closed");
        const Status s = m_gate.enter("close", m_path + " " + names[int(saveChanges)]);
        m_closed = true;
        --m_gate.state().openDocuments;
        if (!s) return s;
        const bool write =
            saveChanges == word::SaveChanges::Save || (saveChanges == word::SaveChanges::Omitted &&
                                                       m_modified && m_gate.state().omittedSaves);
        if (write && !m_path.isEmpty() && !writeFakeDocument(m_path, m_content))
            return word::fail(Error::Kind::SaveFailed, "cannot write " + m_path);
        return {};
    }
    QString fullName() const override { return m_path; }

    Status undo() override {
        if (auto s = enter("undo"); !s) return s;
        if (!m_beforePaste) return word::fail(Error::Kind::Failed, "nothing to undo");
        m_content = *std::exchange(m_beforePaste, std::nullopt);
        m_selection.from = m_selection.to = 0;
        m_modified = true;
        return {};
    }
    void rememberForUndo() { m_beforePaste = m_content; }

    Result<int> orientation() override {
        if (auto s = enter("orientation"); !s) return pw::unexpected(s.error());
        return m_content.orientation;
    }
    Status setOrientation(int orientation) override {
        if (auto s = enter("setOrientation"); !s) return s;
        m_content.orientation = orientation;
        m_modified = true;
        return {};
    }
    Status convertNumbersToText() override {
        if (auto s = enter("convertNumbersToText"); !s) return s;
        int number = 0;
        for (qsizetype at = m_content.text.indexOf(Label); at >= 0;
             at = m_content.text.indexOf(Label, at)) {
            const QString label = QString::number(++number) + QStringLiteral(". ");
            replace(int(at), int(at) + int(Label.size()), label, {});
            at += label.size();
        }
        return {};
    }

    Status select() override {
        if (auto s = enter("select"); !s) return s;
        m_selection.from = 0;
        m_selection.to = length();
        return {};
    }
    word::Selection& selection() override { return m_selection; }
    Result<std::unique_ptr<word::Range>> range(const word::Position& a,
                                               const word::Position& b) override {
        if (auto s = enter("range"); !s) return pw::unexpected(s.error());
        auto from = offset(a), to = offset(b);
        if (!from || !to || *from > *to)
            return word::fail(Error::Kind::Failed, "not a range of this document");
        auto mark = [this](int at) {
            auto m = std::make_shared<int>(at);
            m_marks.push_back(m);
            return m;
        };
        return std::unique_ptr<word::Range>(
            std::make_unique<FakeRange>(*this, mark(*from), mark(*to)));
    }
    // The text from..to and its page starts, relative to from.
    std::pair<QString, std::vector<int>> span(int from, int to) const {
        std::vector<int> starts{0};
        for (int p : m_content.pageStarts)
            if (p > from && p < to) starts.push_back(p - from);
        return {m_content.text.mid(from, to - from), starts};
    }
    Result<int> compare(const word::Position& a, const word::Position& b) override {
        if (auto s = enter("compare"); !s) return pw::unexpected(s.error());
        auto x = offset(a), y = offset(b);
        if (!x || !y) return word::fail(Error::Kind::Failed, "not a position of this document");
        return *x < *y ? -1 : (*x > *y ? 1 : 0);
    }
    Result<QString> characters() override {
        if (auto s = enter("characters"); !s) return pw::unexpected(s.error());
        return withoutLabels(m_content.text);
    }

    // Used by the selection.
    Status enter(const QString& op, const QString& arg = {}) {
        if (m_closed) return word::fail(Error::Kind::Failed, "document closed");
        return m_gate.enter(op, arg);
    }
    Gate& gate() { return m_gate; }
    int length() const { return int(m_content.text.size()); }
    word::Position position(int at) const {
        return word::Position(std::make_shared<FakePosition>(m_id, at));
    }
    std::optional<int> offset(const word::Position& p) const {
        const auto* d = dynamic_cast<const FakePosition*>(p.data());
        if (!d || d->doc != m_id || d->offset < 0 || d->offset > length()) return std::nullopt;
        return d->offset;
    }
    const std::vector<int>& pageStarts() const { return m_content.pageStarts; }
    // Replaces [from, to) by text that brings its own page starts (relative to its start).
    void replace(int from, int to, QString text, const std::vector<int>& starts) {
        to = std::min(to, length() - 1);  // the final paragraph mark always stays
        if (to < from) to = from;
        // Content ending with its own final mark merges with the one it lands in front of.
        if (to == length() - 1 && text.endsWith(u'\r')) text.chop(1);
        const int delta = int(text.size()) - (to - from);
        std::vector<int> out;
        for (int p : m_content.pageStarts) {
            if (p <= from)
                out.push_back(p);
            else if (p >= to)
                out.push_back(p + delta);
        }
        for (int p : starts)
            if (p > 0 && p < text.size()) out.push_back(from + p);
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        m_content.text = m_content.text.left(from) + text + m_content.text.mid(to);
        m_content.pageStarts = out;
        for (const auto& weak : m_marks) {
            if (auto m = weak.lock(); m && *m > from) *m = *m >= to ? *m + delta : from;
        }
        m_selection.from = m_selection.to = from + int(text.size());
        m_modified = true;
    }

private:
    Gate& m_gate;
    const int m_id;
    std::optional<FakeContent> m_beforePaste;
    FakeContent m_content;
    QString m_path;
    FakeSelection m_selection;
    std::vector<std::weak_ptr<int>> m_marks;  // the ends of ranges handed out
    bool m_modified = false;
    bool m_closed = false;
};

Result<QString> FakeRange::text() {
    if (auto s = m_doc.enter("text"); !s) return pw::unexpected(s.error());
    return withoutLabels(m_doc.span(*m_from, *m_to).first).replace(u'\r', u'\n');
}

Result<word::Clip> FakeRange::copy() {
    if (auto s = m_doc.enter("copy"); !s) return pw::unexpected(s.error());
    auto clip = std::make_shared<FakeClip>();
    std::tie(clip->text, clip->pageStarts) = m_doc.span(*m_from, *m_to);
    return word::Clip(clip);
}

Result<word::Position> FakeSelection::start() {
    if (auto s = m_doc.enter("start"); !s) return pw::unexpected(s.error());
    return m_doc.position(from);
}
Result<word::Position> FakeSelection::end() {
    if (auto s = m_doc.enter("end"); !s) return pw::unexpected(s.error());
    return m_doc.position(to);
}
Status FakeSelection::collapseToStart() {
    if (auto s = m_doc.enter("collapseToStart"); !s) return s;
    to = from;
    return {};
}
Status FakeSelection::wholeStory() {
    if (auto s = m_doc.enter("wholeStory"); !s) return s;
    from = 0;
    to = m_doc.length();
    return {};
}
Status FakeSelection::deleteContent() {
    if (auto s = m_doc.enter("deleteContent"); !s) return s;
    m_doc.replace(from, to, {}, {});
    return {};
}
Status FakeSelection::paste(const word::Clip& clip) {
    if (auto s = m_doc.enter("paste"); !s) return s;
    const auto* c = dynamic_cast<const FakeClip*>(clip.data());
    if (!c) return word::fail(Error::Kind::Failed, "nothing to paste");
    m_doc.rememberForUndo();
    m_doc.replace(from, to, c->text, c->pageStarts);
    return {};
}
Status FakeSelection::endKey() {
    if (auto s = m_doc.enter("endKey"); !s) return s;
    from = to = m_doc.length() - 1;
    return {};
}
Status FakeSelection::insertPageBreak() {
    if (auto s = m_doc.enter("insertPageBreak"); !s) return s;
    m_doc.replace(from, to, QStringLiteral("\f"), {0, 1});
    return {};
}
Status FakeSelection::insertFile(const QString& path) {
    if (auto s = m_doc.enter("insertFile", path); !s) return s;
    const auto content = readFakeDocument(path);
    if (!content) return word::fail(Error::Kind::OpenFailed, "cannot read " + path);
    m_doc.replace(from, to, content->text, content->pageStarts);
    return {};
}
word::Result<bool> FakeSelection::nextPage() {
    if (auto s = m_doc.enter("nextPage"); !s) return pw::unexpected(s.error());
    for (int p : m_doc.pageStarts()) {
        if (p > from) {
            from = to = p;
            return true;
        }
    }
    return false;  // the last page: stays put
}

class FakeApplication final : public word::Application {
public:
    explicit FakeApplication(std::shared_ptr<FakeOfficeState> state) : m_gate(std::move(state)) {
        ++m_gate.state().running;
    }
    ~FakeApplication() override { m_gate.kill(); }

    Status setOption(word::Option, bool) override { return m_gate.enter("setOption"); }
    Status setDisplayAlerts(int) override { return m_gate.enter("setDisplayAlerts"); }
    Result<std::unique_ptr<word::Document>> open(const QString& path) override {
        if (auto s = m_gate.enter("open", path); !s) return pw::unexpected(s.error());
        auto content = readFakeDocument(path);
        if (!content) return word::fail(Error::Kind::OpenFailed, "cannot open " + path);
        return std::unique_ptr<word::Document>(std::make_unique<FakeDocument>(
            m_gate, std::move(*content), QFileInfo(path).absoluteFilePath()));
    }
    Result<std::unique_ptr<word::Document>> add() override {
        if (auto s = m_gate.enter("add"); !s) return pw::unexpected(s.error());
        return std::unique_ptr<word::Document>(
            std::make_unique<FakeDocument>(m_gate, FakeContent{}, QString()));
    }
    Status quit() override {
        const Status s = m_gate.enter("quit");
        m_gate.kill();
        return s;
    }
    bool isAlive() override { return m_gate.alive(); }

private:
    Gate m_gate;
};

}  // namespace

FakeWordFactory::FakeWordFactory() : m_state(std::make_shared<FakeOfficeState>()) {}

Result<std::unique_ptr<word::Application>> FakeWordFactory::create() {
    m_state->calls.append(FakeCall{QStringLiteral("create"), QString()});
    for (FakeFault& f : m_state->faults) {
        if (f.op != "create" || f.times == 0) continue;
        if (f.skip > 0) {
            --f.skip;
            continue;
        }
        if (f.times > 0) --f.times;
        return word::fail(f.kind, "injected failure of create");
    }
    ++m_state->created;
    return std::unique_ptr<word::Application>(std::make_unique<FakeApplication>(m_state));
}

}  // namespace pw::test
