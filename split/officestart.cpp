#include "split/officestart.h"

namespace pw::split {

using word::Option;

word::Result<std::unique_ptr<word::Application>> startOffice(word::ApplicationFactory& factory) {
    auto app = factory.create();
    if (!app) return pw::unexpected(app.error());
    static constexpr Option off[] = {
        Option::CheckGrammarAsYouType, Option::CheckGrammarWithSpelling, Option::SaveNormalPrompt,
        Option::SuggestSpellingCorrections, Option::CheckSpellingAsYouType};
    word::Status set;
    for (const Option o : off) {
        set = (*app)->setOption(o, false);
        if (!set) break;
    }
    if (set) set = (*app)->setDisplayAlerts(0);
    if (!set) {
        (void)(*app)->quit();
        return pw::unexpected(set.error());
    }
    return app;
}

}  // namespace pw::split
