#include "merge/mergeoffice.h"

namespace pw::merge {

using word::Option;

word::Result<std::unique_ptr<word::Application>> startOffice(word::ApplicationFactory& factory) {
    auto office = factory.create();
    if (!office) return office;
    word::Application& app = **office;
    // An option the office refuses is no reason to stop: each only keeps a question away.
    (void)app.setOption(Option::CheckGrammarAsYouType, false);
    (void)app.setOption(Option::CheckGrammarWithSpelling, false);
    (void)app.setDisplayAlerts(0);
    (void)app.setOption(Option::SaveNormalPrompt, false);
    (void)app.setOption(Option::SuggestSpellingCorrections, false);
    (void)app.setOption(Option::CheckSpellingAsYouType, false);
    return office;
}

word::Result<int> readOrientation(word::Application& office, const QString& path) {
    auto opened = office.open(path);
    if (!opened) return pw::unexpected(opened.error());
    auto orientation = (*opened)->orientation();
    (void)(*opened)->close();
    return orientation;
}

}  // namespace pw::merge
