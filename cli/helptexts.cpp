#include "cli/helptexts.h"

#include "shell/appinfo.h"

namespace pw::cli {

namespace {

const char* const ProgramHelp = R"(Usage: pagewright-cli COMMAND [OPTION]... FILE...
Split or merge Word documents through a private, headless LibreOffice.

Commands:
  split    cut each document into several new documents
  merge    merge the documents, in the order given, into one target

  pagewright-cli split --help
  pagewright-cli merge --help
  pagewright-cli --version

It never waits for an answer: a question the window would ask is answered by a flag.
Messages and progress go to standard error, the --json summary to standard output.
LibreOffice is looked for on the PATH and in its usual folders; PAGEWRIGHT_SOFFICE names
the soffice program to use instead.

Exit status:
  0    everything asked for was made
  1    the run went through, but something was listed as failed
  2    the input was refused (nothing started), or the command line is wrong
  3    LibreOffice could not be started
  130  interrupted by Ctrl+C (SIGINT), 143 by SIGTERM, after the current part
)";

const char* const SplitHelp =
    R"(Usage: pagewright-cli split [--every N | --into N] [--name RULE] [--out DIR]
                          [--create-folder] [--pages word|office|auto] [--jobs N]
                          [--json] FILE...
Cut each FILE into new documents.

  --every N        every N pages make a new document
  --into N         make N documents of about the same number of pages
                   (one of the two is needed)
  --name RULE      how the new documents are named:
                     range       the page range, Report4页-6页.docx
                     number      the part's number, Report2.docx (default)
                     chars[=N]   the part's first N characters (default 20)
                     counter     1.docx, 2.docx, ... counting across all FILEs
                     digits[=D]  01.docx, 02.docx, ... with D digits, 2 to 9 (default 2)
  --out DIR        write into DIR instead of each document's own folder
  --create-folder  create DIR when it does not exist (otherwise the run is refused)
  --pages WHOSE    whose pages to cut at:
                     word    Word's, as a .docx saved by Word records them (a file
                             that does not record them all is not split)
                     office  LibreOffice's own layout
                     auto    Word's where the file records them all, else
                             LibreOffice's (default)
  --jobs N         split up to N documents at once, each in its own LibreOffice
                   (default: the number of processor cores); the results are the
                   same as with one
  --json           print a summary on standard output
  -h, --help       show this help

Existing files are never replaced: a new name gets a counter, X(2).docx.
Ctrl+C ends the run after the current part; press it again to stop at once.
)";

const char* const MergeHelp =
    R"(Usage: pagewright-cli merge --target FILE [--page-breaks] [--overwrite] [--json]
                          FILE...
Merge the FILEs, in the order given, into one target document.

  --target FILE    the document to write (.docx or .doc); a relative name is taken
                   from the current folder
  --page-breaks    start every document but the first on a new page
  --overwrite      replace the target when it exists (otherwise the run is refused)
  --json           print a summary on standard output
  -h, --help       show this help

The target is saved after each document, so an interrupted merge keeps what went in.
)";

}  // namespace

QString helpText(const QString& topic) {
    if (topic == QLatin1String("split")) return QString::fromUtf8(SplitHelp);
    if (topic == QLatin1String("merge")) return QString::fromUtf8(MergeHelp);
    return QString::fromUtf8(ProgramHelp);
}

QString versionText() {
    return ProgramName + u' ' + AppVersion + u'\n';
}

}  // namespace pw::cli
