#include "cli/commandline.h"

#include <algorithm>
#include <span>

#include <QDir>
#include <QFileInfo>

#include "merge/mergetarget.h"

namespace pw::cli {

namespace {

struct OptionKind {
    QLatin1StringView name;
    bool takesValue;
};

constexpr OptionKind SplitOptions[] = {
    {QLatin1StringView("--every"), true},          {QLatin1StringView("--into"), true},
    {QLatin1StringView("--name"), true},           {QLatin1StringView("--out"), true},
    {QLatin1StringView("--create-folder"), false}, {QLatin1StringView("--json"), false},
    {QLatin1StringView("--pages"), true},          {QLatin1StringView("--jobs"), true},
};

constexpr OptionKind MergeOptions[] = {
    {QLatin1StringView("--target"), true},
    {QLatin1StringView("--page-breaks"), false},
    {QLatin1StringView("--overwrite"), false},
    {QLatin1StringView("--json"), false},
};

bool isHelp(const QString& word) {
    return word == QLatin1String("--help") || word == QLatin1String("-h");
}

struct Words {
    QList<QPair<QString, QString>> options;  // name and value, in the order given
    QStringList files;
    bool help = false;
    QString error;
};

// Options may come before, between and after the files; "--" ends them.
Words readWords(const QStringList& words, std::span<const OptionKind> known) {
    Words out;
    bool filesOnly = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (filesOnly || !word.startsWith(u'-') || word == QLatin1String("-")) {
            out.files.append(word);
            continue;
        }
        if (word == QLatin1String("--")) {
            filesOnly = true;
            continue;
        }
        if (isHelp(word)) {
            out.help = true;
            continue;
        }
        const qsizetype eq = word.indexOf(u'=');
        const QString name = eq < 0 ? word : word.left(eq);
        const auto option = std::find_if(known.begin(), known.end(),
                                         [&](const OptionKind& s) { return s.name == name; });
        if (option == known.end()) {
            out.error = QStringLiteral("unknown option %1").arg(name);
            return out;
        }
        if (!option->takesValue) {
            if (eq >= 0) {
                out.error = QStringLiteral("%1 takes no value").arg(name);
                return out;
            }
            out.options.append({name, {}});
            continue;
        }
        if (eq >= 0) {
            out.options.append({name, word.mid(eq + 1)});
        } else if (i + 1 < words.size()) {
            out.options.append({name, words[++i]});
        } else {
            out.error = QStringLiteral("%1 needs a value").arg(name);
            return out;
        }
    }
    return out;
}

QString absolute(const QDir& workingDir, const QString& path) {
    return QDir::cleanPath(workingDir.absoluteFilePath(path));
}

QStringList absolute(const QDir& workingDir, const QStringList& paths) {
    QStringList out;
    for (const QString& p : paths) out.append(absolute(workingDir, p));
    return out;
}

// --name range|number|chars[=N]|counter|digits[=D], in the order of the naming rules.
QString applyNaming(const QString& value, split::SplitRequest& request) {
    using split::NamingMode;
    static const std::pair<QLatin1StringView, NamingMode> names[] = {
        {QLatin1StringView("range"), NamingMode::PageRange},
        {QLatin1StringView("number"), NamingMode::PartNumber},
        {QLatin1StringView("chars"), NamingMode::FirstCharacters},
        {QLatin1StringView("counter"), NamingMode::Sequence},
        {QLatin1StringView("digits"), NamingMode::PaddedSequence}};
    const qsizetype eq = value.indexOf(u'=');
    const QString name = eq < 0 ? value : value.left(eq);
    for (const auto& [word, mode] : names) {
        if (word != name) continue;
        request.naming = mode;
        if (eq < 0) return {};
        if (mode == NamingMode::FirstCharacters) {
            request.firstWordsText = value.mid(eq + 1);
        } else if (mode == NamingMode::PaddedSequence) {
            request.maskLengthText = value.mid(eq + 1);
        } else {
            return QStringLiteral("--name %1 takes no count").arg(name);
        }
        return {};
    }
    return QStringLiteral(
               "--name must be range, number, chars[=N], counter or digits[=D], not "
               "\"%1\"")
        .arg(value);
}

// --pages word|office|auto
QString applyPagination(const QString& value, split::SplitRequest& request) {
    using split::Pagination;
    static const std::pair<QLatin1StringView, Pagination> names[] = {
        {QLatin1StringView("word"), Pagination::Word},
        {QLatin1StringView("office"), Pagination::Office},
        {QLatin1StringView("auto"), Pagination::Auto}};
    for (const auto& [name, pagination] : names) {
        if (name != value) continue;
        request.pagination = pagination;
        return {};
    }
    return QStringLiteral("--pages must be word, office or auto, not \"%1\"").arg(value);
}

// --jobs N: offices at once, as many as there are profile slots at most.
QString applyJobs(const QString& value, split::SplitRequest& request) {
    constexpr int MostJobs = 64;
    bool ok = false;
    const int jobs = value.toInt(&ok);
    if (!ok || jobs < 1 || jobs > MostJobs)
        return QStringLiteral("--jobs must be a whole number from 1 to %1, not \"%2\"")
            .arg(MostJobs)
            .arg(value);
    request.jobs = jobs;
    return {};
}

CommandLine readSplit(const QStringList& words, const QDir& workingDir) {
    CommandLine c;
    c.kind = CommandKind::Split;
    const Words w = readWords(words, SplitOptions);
    if (w.help) {
        c.kind = CommandKind::Help;
        c.helpTopic = QStringLiteral("split");
        return c;
    }
    c.error = w.error;
    bool every = false, into = false;
    for (const auto& [name, value] : w.options) {
        if (!c.error.isEmpty()) break;
        if (name == QLatin1String("--every")) {
            every = true;
            c.split.mode = split::SplitMode::EveryNPages;
            c.split.pagesText = value;
        } else if (name == QLatin1String("--into")) {
            into = true;
            c.split.mode = split::SplitMode::IntoNDocuments;
            c.split.newDocsText = value;
        } else if (name == QLatin1String("--name")) {
            c.error = applyNaming(value, c.split);
        } else if (name == QLatin1String("--out")) {
            c.split.output = split::OutputRule::ChosenFolder;
            // A blank folder stays blank, so the run asks for one as the window does.
            c.split.outDirText = value.trimmed().isEmpty() ? value : absolute(workingDir, value);
        } else if (name == QLatin1String("--create-folder")) {
            c.createFolder = true;
        } else if (name == QLatin1String("--pages")) {
            c.error = applyPagination(value, c.split);
        } else if (name == QLatin1String("--jobs")) {
            c.error = applyJobs(value, c.split);
        } else if (name == QLatin1String("--json")) {
            c.json = true;
        }
    }
    if (c.error.isEmpty() && every && into)
        c.error = QStringLiteral("--every and --into cannot be used together");
    if (!c.error.isEmpty()) {
        c.kind = CommandKind::Invalid;
        c.helpTopic = QStringLiteral("split");
        return c;
    }
    c.split.documents = absolute(workingDir, w.files);
    return c;
}

CommandLine readMerge(const QStringList& words, const QDir& workingDir) {
    CommandLine c;
    c.kind = CommandKind::Merge;
    const Words w = readWords(words, MergeOptions);
    if (w.help) {
        c.kind = CommandKind::Help;
        c.helpTopic = QStringLiteral("merge");
        return c;
    }
    if (!w.error.isEmpty()) {
        c.kind = CommandKind::Invalid;
        c.error = w.error;
        c.helpTopic = QStringLiteral("merge");
        return c;
    }
    for (const auto& [name, value] : w.options) {
        if (name == QLatin1String("--target")) {
            // A relative name means the working folder here, not the documents folder a bare
            // name in the window's box stands for. A name the merge takes as missing is kept,
            // unless it is a folder that exists: the merge then says so.
            const bool folder = !value.trimmed().isEmpty() &&
                                QFileInfo(absolute(workingDir, value.trimmed())).isDir();
            if (folder)
                c.merge.targetText = absolute(workingDir, value.trimmed());
            else
                c.merge.targetText =
                    merge::isMissingTargetName(value) ? value : absolute(workingDir, value);
        } else if (name == QLatin1String("--page-breaks")) {
            c.merge.pageBreaks = true;
        } else if (name == QLatin1String("--overwrite")) {
            c.overwrite = true;
        } else if (name == QLatin1String("--json")) {
            c.json = true;
        }
    }
    c.merge.documents = absolute(workingDir, w.files);
    return c;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QString& workingDir) {
    CommandLine c;
    if (arguments.size() < 2) {
        c.error = QStringLiteral("no command given");
        return c;
    }
    const QString& command = arguments[1];
    const QStringList words = arguments.mid(2);
    const QDir dir(workingDir);
    if (command == QLatin1String("split")) return readSplit(words, dir);
    if (command == QLatin1String("merge")) return readMerge(words, dir);
    if (isHelp(command) || command == QLatin1String("help")) {
        c.kind = CommandKind::Help;
        if (!words.isEmpty() &&
            (words[0] == QLatin1String("split") || words[0] == QLatin1String("merge")))
            c.helpTopic = words[0];
        return c;
    }
    if (command == QLatin1String("--version") || command == QLatin1String("-V")) {
        c.kind = CommandKind::Version;
        return c;
    }
    c.error = QStringLiteral("unknown command %1").arg(command);
    return c;
}

}  // namespace pw::cli
