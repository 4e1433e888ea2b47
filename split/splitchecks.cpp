#include "split/splitchecks.h"

#include <algorithm>
#include <limits>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

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

using Check = SplitRefusal::Check;

SplitRefusal refusal(Check check, const QString& message, MessageIcon icon,
                     SplitField field = SplitField::None, bool selectAll = false) {
    return {check, message, icon, field, selectAll, false};
}

// The output folder check: a refusal, or nothing to go on.
std::optional<SplitRefusal> checkOutDir(const SplitRequest& request, UserPrompts& prompts,
                                        QString& folder) {
    if (request.outDirText.trimmed().isEmpty()) {
        SplitRefusal r = refusal(Check::OutDirMissing, msg::EnterOutDir, MessageIcon::Information,
                                 SplitField::OutDir);
        r.browse = true;
        return r;
    }
    folder = request.outDirText;
    if (!folder.endsWith(PathSeparator)) folder += PathSeparator;
    if (!QFileInfo(folder).isDir()) {
        if (!prompts.ask({Question::Kind::CreateFolder, msg::CreateOutDir, false, folder}))
            return refusal(Check::OutDirDeclined, {}, MessageIcon::Information, SplitField::OutDir,
                           true);
        // Only the last folder of the path is made, as the user was asked about that one.
        if (!QDir().mkdir(folder))
            return refusal(Check::OutDirNotCreated, msg::OutDirNotCreated(folder),
                           MessageIcon::Exclamation, SplitField::OutDir, true);
    }
    // Found out now rather than once for every part.
    if (!canWriteIn(folder))
        return refusal(Check::OutDirNotWritable, msg::OutDirNotWritable(folder),
                       MessageIcon::Exclamation, SplitField::OutDir, true);
    return std::nullopt;
}

struct CountCheck {
    Check missing;
    QString missingText;
    MessageIcon missingIcon;
    Check invalid;
    QString invalidText;
    SplitField field;
};

// A count that must be a whole number of at least 1: its value, or a refusal.
std::optional<int> positiveCount(const QString& text, const CountCheck& c, SplitRefusal& out) {
    const CountText n = readCount(text);
    if (n.state == CountText::State::Value && n.value >= 1) return n.value;
    out = n.state == CountText::State::Invalid
              ? refusal(c.invalid, c.invalidText, MessageIcon::Information, c.field, true)
              : refusal(c.missing, c.missingText, c.missingIcon, c.field, false);
    return std::nullopt;
}

}  // namespace

CheckedRequest checkRequest(const SplitRequest& request, UserPrompts& prompts) {
    CheckedRequest out;
    if (request.documents.isEmpty()) {
        out.refusal = refusal(Check::NoDocuments, msg::NoDocuments, MessageIcon::Information);
        return out;
    }

    SplitSettings s;
    s.documents = request.documents;
    s.ownFolder = request.output == OutputRule::BesideSource;
    s.pagination = request.pagination;
    if (!s.ownFolder) {
        if (auto refused = checkOutDir(request, prompts, s.outDir)) {
            out.refusal = *refused;
            out.outDirText = s.outDir;
            return out;
        }
        out.outDirText = s.outDir;
    }

    s.mode = request.mode;
    std::optional<int> n;
    if (s.mode == SplitMode::EveryNPages) {
        const CountText pages = readCount(request.pagesText);
        // 0 ends the run without a word, as it always has.
        if (pages.state == CountText::State::Value && pages.value == 0) {
            out.refusal = refusal(Check::PagesZero, {}, MessageIcon::Information);
            return out;
        }
        n = positiveCount(request.pagesText,
                          {Check::PagesMissing, msg::EnterPages, MessageIcon::Question,
                           Check::PagesInvalid, msg::BadPages, SplitField::Pages},
                          out.refusal);
    } else {
        n = positiveCount(request.newDocsText,
                          {Check::NewDocsMissing, msg::EnterNewDocs, MessageIcon::Question,
                           Check::NewDocsInvalid, msg::BadNewDocs, SplitField::NewDocs},
                          out.refusal);
    }
    if (!n) return out;
    s.count = *n;

    s.naming.mode = request.naming;
    if (s.naming.mode == NamingMode::FirstCharacters) {
        const auto chars =
            positiveCount(request.firstWordsText,
                          {Check::FirstWordsMissing, msg::EmptyNewName, MessageIcon::Information,
                           Check::FirstWordsInvalid, msg::BadFirstWords, SplitField::FirstWords},
                          out.refusal);
        if (!chars) return out;
        s.naming.firstCharacters = *chars;
    }
    if (s.naming.mode == NamingMode::PaddedSequence) {
        const CountText d = readCount(request.maskLengthText);
        if (d.state != CountText::State::Value || d.value < 2 || d.value > 9) {
            out.refusal =
                refusal(Check::MaskLengthInvalid, msg::BadMaskLength, MessageIcon::Information);
            return out;
        }
        s.naming.digits = d.value;
    }
    out.settings = s;
    return out;
}

bool canWriteIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral(".pagewright-XXXXXX"));
    return probe.open();
}

}  // namespace pw::split
