#include "split/splitchecks.h"

#include <algorithm>
#include <limits>

#include <QDir>
#include <QFileInfo>

#include "shell/filenames.h"
#include "split/splitmessages.h"

namespace pw::split {

CountText readCount(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return {};
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    const bool digitsOnly =
        std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!ok || !digitsOnly || v > std::numeric_limits<int>::max())
        return {CountText::State::Invalid, 0};
    return {CountText::State::Value, int(v)};
}

namespace {

// The output folder check: true to go on.
bool checkOutDir(const SplitRequest& request, SplitPrompts& prompts, QString& folder) {
    if (request.outDirText.trimmed().isEmpty()) {
        prompts.message(msg::EnterOutDir, MessageIcon::Information);
        prompts.browseOutDir();
        return false;
    }
    folder = request.outDirText;
    if (!folder.endsWith(PathSeparator)) {
        folder += PathSeparator;
        prompts.setOutDirText(folder);
    }
    if (QFileInfo(folder).isDir()) return true;
    if (!prompts.askYesNo(msg::CreateOutDir, false)) {
        prompts.focusField(SplitField::OutDir, true);
        return false;
    }
    // Only the last folder of the path is made, as the user was asked about that one.
    if (!QDir().mkdir(folder)) {
        prompts.message(msg::OutDirNotCreated(folder), MessageIcon::Exclamation);
        prompts.focusField(SplitField::OutDir, true);
        return false;
    }
    return true;
}

// A count that must be a whole number of at least 1: nullopt after telling the user.
std::optional<int> positiveCount(const QString& text, SplitField field, const QString& empty,
                                 MessageIcon emptyIcon, const QString& invalid,
                                 SplitPrompts& prompts) {
    const CountText c = readCount(text);
    if (c.state == CountText::State::Value && c.value >= 1) return c.value;
    if (c.state == CountText::State::Invalid)
        prompts.message(invalid, MessageIcon::Information);
    else
        prompts.message(empty, emptyIcon);
    prompts.focusField(field, c.state == CountText::State::Invalid);
    return std::nullopt;
}

}  // namespace

std::optional<SplitSettings> checkRequest(const SplitRequest& request, SplitPrompts& prompts) {
    if (request.documents.isEmpty()) {
        prompts.message(msg::NoDocuments, MessageIcon::Information);
        return std::nullopt;
    }
    if (request.splitMode < 0 || request.splitMode > 1 || request.namingMode < 0 ||
        request.namingMode > 4 || request.outDirMode < 0 || request.outDirMode > 1) {
        prompts.message(msg::BadOptions, MessageIcon::Exclamation);
        return std::nullopt;
    }

    SplitSettings s;
    s.documents = request.documents;
    s.ownFolder = request.outDirMode == 0;
    s.pagination = request.pagination;
    if (!s.ownFolder && !checkOutDir(request, prompts, s.outDir)) return std::nullopt;

    if (request.splitMode == 0) {
        s.mode = SplitMode::EveryNPages;
        const CountText pages = readCount(request.pagesText);
        // 0 ends the run without a word, as it always has.
        if (pages.state == CountText::State::Value && pages.value == 0) return std::nullopt;
        const auto n = positiveCount(request.pagesText, SplitField::Pages, msg::EnterPages,
                                     MessageIcon::Question, msg::BadPages, prompts);
        if (!n) return std::nullopt;
        s.count = *n;
    } else {
        s.mode = SplitMode::IntoNDocuments;
        const auto n = positiveCount(request.newDocsText, SplitField::NewDocs, msg::EnterNewDocs,
                                     MessageIcon::Question, msg::BadNewDocs, prompts);
        if (!n) return std::nullopt;
        s.count = *n;
    }

    s.naming.mode = NamingMode(request.namingMode);
    if (s.naming.mode == NamingMode::FirstCharacters) {
        const auto n =
            positiveCount(request.firstWordsText, SplitField::FirstWords, msg::EmptyNewName,
                          MessageIcon::Information, msg::BadFirstWords, prompts);
        if (!n) return std::nullopt;
        s.naming.firstCharacters = *n;
    }
    if (s.naming.mode == NamingMode::PaddedSequence) {
        const CountText d = readCount(request.maskLengthText);
        if (d.state != CountText::State::Value || d.value < 2 || d.value > 9) {
            prompts.message(msg::BadMaskLength, MessageIcon::Information);
            return std::nullopt;
        }
        s.naming.digits = d.value;
    }
    return s;
}

}  // namespace pw::split
