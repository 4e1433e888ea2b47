#pragma once

#include <memory>

#include "word/libreoffice/docstate.h"

namespace pw::word::lo {

// One open document, closed unsaved with this object. Each call runs its work, which the
// files beside this one own, through the session, so no office exception leaves it.
class LoDocument final : public Document {
public:
    LoDocument(std::shared_ptr<Session> session, Reference<css::frame::XModel> model,
               QString fullName);
    ~LoDocument() override;

    Status saveAs(const QString& path) override;
    Status save() override;
    Result<int> orientation() override;
    Status setOrientation(int orientation) override;
    Status convertNumbersToText() override;
    Result<PageStarts> pageStarts(const QString& bookmarkPrefix) override;
    Result<Range> range(const Position& start, const Position& end) override;
    Result<Clip> copy(const Range& range) override;
    Result<bool> hasTrackedChanges() override;
    Status keepOnly(const Range& range) override;
    Status empty() override;
    Status paste(const Clip& clip) override;
    Status undo() override;
    Result<QString> characters() override;
    Status appendPageBreak() override;
    Status appendFile(const QString& path) override;

    DocState& state() { return m_doc; }

private:
    // Runs f through the session; what was read of the text is dropped first when f changes it.
    template <class F>
    auto run(Error::Kind kind, bool changesText, F&& f) -> Result<std::invoke_result_t<F>>;

    // The office lays out the whole text after every insertion while a view is attached, so
    // appends in a row hold the layout; anything else brings it up to date first.
    void holdLayout();
    void releaseLayout();
    // An edit whose layout waits for the next store or read, as appends and pasted parts do.
    template <class F>
    Status editHeld(F&& f);

    DocState m_doc;
};

}  // namespace pw::word::lo
