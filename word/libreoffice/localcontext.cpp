#include "word/libreoffice/localcontext.h"

#include <cstdlib>
#include <mutex>

#include <QFileInfo>
#include <QStringList>

#include <cppuhelper/bootstrap.hxx>

#include "word/libreoffice/unostring.h"

namespace pw::word::lo {

namespace css = com::sun::star;

namespace {

QString programFolder() {
    const QStringList candidates = {QStringLiteral("/usr/lib/libreoffice/program"),
                                    QStringLiteral("/opt/libreoffice/program"),
                                    QStringLiteral("/usr/local/lib/libreoffice/program")};
    for (const QString& dir : candidates)
        if (QFileInfo::exists(dir + QStringLiteral("/unorc"))) return dir;
    return {};
}

}  // namespace

css::uno::Reference<css::uno::XComponentContext> localContext() {
    static std::once_flag once;
    static css::uno::Reference<css::uno::XComponentContext> context;
    std::call_once(once, [] {
        const QString dir = programFolder();
        if (dir.isEmpty()) return;
        // The office's own bootstrap file names the type and service libraries to load.
        const QByteArray fundamental =
            ("vnd.sun.star.pathname:" + dir + "/fundamentalrc").toLocal8Bit();
        setenv("URE_BOOTSTRAP", fundamental.constData(), 0);
        try {
            context = cppu::defaultBootstrap_InitialComponentContext(
                fileUrl(dir + QStringLiteral("/unorc")));
        } catch (const css::uno::Exception&) {
            context.clear();
        }
    });
    return context;
}

}  // namespace pw::word::lo
