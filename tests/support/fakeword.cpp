#include "tests/support/fakeword.h"

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

const QString Label = QStringLiteral("{#}");

FakeContent FakeContent::fromPages(const QList<QStringList>& pages) {
    FakeContent c;
    c.text.clear();
    c.pageStarts.clear();
    for (const QStringList& page : pages) {
        c.pageStarts.push_back(int(c.text.size()));
        for (const QString& p : page) c.text += p + u'\r';
    }
    return c;
}

QStringList FakeContent::pageTexts() const {
    QStringList out;
    for (size_t k = 0; k < pageStarts.size(); ++k) {
        const int from = pageStarts[k];
        const int to = k + 1 < pageStarts.size() ? pageStarts[k + 1] : int(text.size());
        out << text.mid(from, to - from).remove(Label);
    }
    return out;
}

bool writeFakeDocument(const QString& path, const FakeContent& content) {
    QJsonArray starts;
    for (int s : content.pageStarts) starts.append(s);
    QJsonObject o{{"text", content.text},
                  {"pageStarts", starts},
                  {"orientation", content.orientation},
                  {"tracked", content.tracked}};
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    f.write(QJsonDocument(o).toJson(QJsonDocument::Compact));
    return f.commit();
}

std::optional<FakeContent> readFakeDocument(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    // Anything else, a damaged file included, has no text that ends a paragraph.
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    FakeContent c;
    c.text = o.value("text").toString();
    c.pageStarts.clear();
    for (const auto v : o.value("pageStarts").toArray()) c.pageStarts.push_back(v.toInt());
    c.orientation = o.value("orientation").toInt();
    c.tracked = o.value("tracked").toBool();
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

// Every call of one office goes through here: logged, then failed as the rules say.
class Gate {
public:
    explicit Gate(std::shared_ptr<FakeOfficeState> state) : m_state(std::move(state)) {}

    void log(const QString& op, const QString& arg) {
        m_state->calls.append(FakeCall{op, arg});
        if (m_state->events) m_state->events->append(arg.isEmpty() ? op : op + u' ' + arg);
        if (m_state->onCall) m_state->onCall(m_state->calls.last());
    }
    // partial, when given, says whether a failure should leave half the work behind.
    Status enter(const QString& op, const QString& arg = {}, bool* partial = nullptr) {
        log(op, arg);
        if (!m_alive) {
            m_deathSeen = true;
            return word::fail(Error::Kind::OfficeDead, QStringLiteral("the office is gone"));
        }
        for (FakeFault& f : m_state->faults) {
            if (f.op != op || !arg.contains(f.argContains) || f.times == 0) continue;
            if (f.skip-- > 0) continue;
            if (f.times > 0) --f.times;
            if (partial) *partial = f.partial;
            if (f.diesAfter) {
                kill();
                m_deathSeen = false;
                return {};
            }
            if (f.kills) {
                kill();
                return word::fail(Error::Kind::OfficeDead, QStringLiteral("the office died"));
            }
            return word::fail(f.kind, "injected failure of " + op);
        }
        return {};
    }
    bool alive() const { return m_alive || !m_deathSeen; }
    void kill() { m_alive = false; }
    FakeOfficeState& state() { return *m_state; }

private:
    std::shared_ptr<FakeOfficeState> m_state;
    bool m_alive = true;
    bool m_deathSeen = true;
};

struct FakePosition final : word::Position::Data {
    FakePosition(int d, int o) : doc(d), offset(o) {}
    int doc;
    int offset;
};

// A range's ends move with edits made before it is copied, as the office's own marks do.
struct FakeRange final : word::Range::Data {
    int doc;
    std::shared_ptr<int> from, to;
};

struct FakeClip final : word::Clip::Data {
    QString text;
    std::vector<int> pageStarts;  // relative, the first 0
};

class FakeDocument final : public word::Document {
public:
    FakeDocument(std::shared_ptr<Gate> gate, FakeContent content, QString path)
        : m_gate(std::move(gate)),
          m_id(m_gate->state().nextDocumentId++),
          m_content(std::move(content)),
          m_path(std::move(path)) {
        ++m_gate->state().openDocuments;
    }
    ~FakeDocument() override {
        m_gate->log(QStringLiteral("close"), m_path);
        --m_gate->state().openDocuments;
    }

    Status saveAs(const QString& path) override {
        bool partial = false;
        if (auto s = m_gate->enter("saveAs", path, &partial); !s) {
            QFile damaged(path);
            if (partial && damaged.open(QIODevice::WriteOnly)) damaged.write("FAKE");
            return s;
        }
        if (!writeFakeDocument(path, m_content))
            return word::fail(Error::Kind::SaveFailed, "cannot write " + path);
        m_path = QFileInfo(path).absoluteFilePath();
        return {};
    }
    Status save() override {
        if (auto s = m_gate->enter("save", m_path); !s) return s;
        if (m_path.isEmpty() || !writeFakeDocument(m_path, m_content))
            return word::fail(Error::Kind::SaveFailed, "cannot write " + m_path);
        return {};
    }
    Result<int> orientation() override {
        if (auto s = m_gate->enter("orientation"); !s) return pw::unexpected(s.error());
        return m_content.orientation;
    }
    Status setOrientation(int orientation) override {
        if (auto s = m_gate->enter("setOrientation", QString::number(orientation)); !s) return s;
        m_content.orientation = orientation;
        return {};
    }
    Status convertNumbersToText() override {
        if (auto s = m_gate->enter("convertNumbersToText"); !s) return s;
        int number = 0;
        for (qsizetype at = m_content.text.indexOf(Label); at >= 0;
             at = m_content.text.indexOf(Label, at)) {
            const QString label = QString::number(++number) + QStringLiteral(". ");
            replace(int(at), int(at) + int(Label.size()), label, {});
            at += label.size();
        }
        return {};
    }
    Result<word::PageStarts> pageStarts(const QString& prefix) override {
        if (auto s = m_gate->enter("pageStarts", prefix); !s) return pw::unexpected(s.error());
        word::PageStarts pages;
        for (int p : m_content.pageStarts) pages.starts.push_back(position(p));
        pages.end = position(length());
        return pages;
    }
    Result<word::Range> range(const word::Position& a, const word::Position& b) override {
        if (auto s = m_gate->enter("range"); !s) return pw::unexpected(s.error());
        auto from = offset(a), to = offset(b);
        if (!from || !to || *from > *to)
            return word::fail(Error::Kind::Failed, "not a range of this document");
        auto r = std::make_shared<FakeRange>();
        r->doc = m_id;
        r->from = mark(*from);
        r->to = mark(*to);
        return word::Range(r);
    }
    Result<word::Clip> copy(const word::Range& range) override {
        if (auto s = m_gate->enter("copy"); !s) return pw::unexpected(s.error());
        const auto* r = dynamic_cast<const FakeRange*>(range.data());
        if (!r || r->doc != m_id) return word::fail(Error::Kind::Failed, "not a range of this");
        auto clip = std::make_shared<FakeClip>();
        clip->text = m_content.text.mid(*r->from, *r->to - *r->from);
        clip->pageStarts = {0};
        for (int p : m_content.pageStarts)
            if (p > *r->from && p < *r->to) clip->pageStarts.push_back(p - *r->from);
        return word::Clip(clip);
    }
    Result<bool> hasTrackedChanges() override {
        if (auto s = m_gate->enter("hasTrackedChanges"); !s) return pw::unexpected(s.error());
        return m_content.tracked;
    }
    // The range alone is left, as an empty document with it pasted would hold it. The ends of
    // ranges stay where they were, as the office's bookmarks do through the undo.
    Status keepOnly(const word::Range& range) override {
        if (auto s = m_gate->enter("keepOnly"); !s) return s;
        const auto* r = dynamic_cast<const FakeRange*>(range.data());
        if (!r || r->doc != m_id) return word::fail(Error::Kind::Failed, "not a range of this");
        m_beforePaste = m_content;
        m_content.text = m_content.text.mid(*r->from, *r->to - *r->from);
        std::vector<int> starts{0};
        for (int p : m_beforePaste->pageStarts)
            if (p > *r->from && p < *r->to) starts.push_back(p - *r->from);
        m_content.pageStarts = std::move(starts);
        return {};
    }
    Status empty() override {
        if (auto s = m_gate->enter("empty"); !s) return s;
        replace(0, length(), {}, {});
        return {};
    }
    Status paste(const word::Clip& clip) override {
        if (auto s = m_gate->enter("paste"); !s) return s;
        const auto* c = dynamic_cast<const FakeClip*>(clip.data());
        if (!c) return word::fail(Error::Kind::Failed, "nothing to paste");
        m_beforePaste = m_content;
        replace(length() - 1, length() - 1, c->text, c->pageStarts);
        return {};
    }
    Status undo() override {
        if (auto s = m_gate->enter("undo"); !s) return s;
        if (!m_beforePaste) return word::fail(Error::Kind::Failed, "nothing to undo");
        m_content = *std::exchange(m_beforePaste, std::nullopt);
        return {};
    }
    Result<QString> characters() override {
        if (auto s = m_gate->enter("characters"); !s) return pw::unexpected(s.error());
        return QString(m_content.text).remove(Label);
    }
    // What is appended comes after the last paragraph, whose mark stays; an empty document's
    // only paragraph takes it.
    Status appendPageBreak() override {
        if (auto s = m_gate->enter("appendPageBreak"); !s) return s;
        m_content.pageStarts.push_back(length());
        return {};
    }
    Status appendFile(const QString& path) override {
        bool partial = false;
        if (auto s = m_gate->enter("appendFile", path, &partial); !s) {
            if (partial) append(QStringLiteral("<half>\r"), {});
            return s;
        }
        const auto content = readFakeDocument(path);
        if (!content) return word::fail(Error::Kind::OpenFailed, "cannot read " + path);
        append(content->text, content->pageStarts);
        return {};
    }

private:
    int length() const { return int(m_content.text.size()); }
    word::Position position(int at) const {
        return word::Position(std::make_shared<FakePosition>(m_id, at));
    }
    std::optional<int> offset(const word::Position& p) const {
        const auto* d = dynamic_cast<const FakePosition*>(p.data());
        if (!d || d->doc != m_id || d->offset < 0 || d->offset > length()) return std::nullopt;
        return d->offset;
    }
    void append(const QString& text, const std::vector<int>& starts) {
        const int at = m_content.text == QStringLiteral("\r") ? 0 : length();
        replace(at, at, text, starts);
    }
    std::shared_ptr<int> mark(int at) {
        auto m = std::make_shared<int>(at);
        m_marks.push_back(m);
        return m;
    }
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
        for (const auto& weak : m_marks)
            if (auto m = weak.lock(); m && *m > from) *m = *m >= to ? *m + delta : from;
    }

    std::shared_ptr<Gate> m_gate;
    const int m_id;
    std::optional<FakeContent> m_beforePaste;
    FakeContent m_content;
    QString m_path;
    std::vector<std::weak_ptr<int>> m_marks;  // the ends of ranges handed out
};

class FakeApplication final : public word::Application {
public:
    explicit FakeApplication(std::shared_ptr<FakeOfficeState> state)
        : m_gate(std::make_shared<Gate>(std::move(state))) {
        ++m_gate->state().live;
    }
    ~FakeApplication() override {
        m_gate->log(QStringLiteral("quit"), {});
        m_gate->kill();
        --m_gate->state().live;
    }
    Result<std::unique_ptr<word::Document>> open(const QString& path) override {
        if (auto s = m_gate->enter("open", path); !s) return pw::unexpected(s.error());
        auto content = readFakeDocument(path);
        if (!content) return word::fail(Error::Kind::OpenFailed, "cannot open " + path);
        return std::unique_ptr<word::Document>(std::make_unique<FakeDocument>(
            m_gate, std::move(*content), QFileInfo(path).absoluteFilePath()));
    }
    Result<std::unique_ptr<word::Document>> add() override {
        if (auto s = m_gate->enter("add"); !s) return pw::unexpected(s.error());
        return std::unique_ptr<word::Document>(
            std::make_unique<FakeDocument>(m_gate, FakeContent{}, QString()));
    }
    bool isAlive() override { return m_gate->alive(); }

private:
    std::shared_ptr<Gate> m_gate;
};

}  // namespace

FakeWordFactory::FakeWordFactory() : m_state(std::make_shared<FakeOfficeState>()) {}

Result<std::unique_ptr<word::Application>> FakeWordFactory::create() {
    if (m_state->onCreate) m_state->onCreate();
    Gate gate(m_state);
    if (auto s = gate.enter(QStringLiteral("create")); !s) return pw::unexpected(s.error());
    ++m_state->created;
    return std::unique_ptr<word::Application>(std::make_unique<FakeApplication>(m_state));
}

}  // namespace pw::test
