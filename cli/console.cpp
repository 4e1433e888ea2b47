#include "cli/console.h"

#include "shell/platform.h"

namespace pw::cli {

namespace {

bool isWide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

int displayWidth(const QString& text) {
    int columns = 0;
    for (const char32_t c : text.toUcs4()) columns += isWide(c) ? 2 : 1;
    return columns;
}

QString fitToWidth(const QString& text, int columns) {
    if (displayWidth(text) <= columns) return text;
    QString out;
    int used = 0;
    for (const char32_t c : text.toUcs4()) {
        const int w = isWide(c) ? 2 : 1;
        if (used + w > columns - 1) break;
        out += QString::fromUcs4(&c, 1);
        used += w;
    }
    return out + QStringLiteral("…");
}

Console::Console(std::FILE* out, bool terminal, int width)
    : m_out(out), m_terminal(terminal), m_width(width > 1 ? width : 80) {}

Console Console::forStandardError() {
    const int columns = platform::terminalColumns();
    return Console(stderr, columns > 0, columns);
}

Console::~Console() {
    endProgress();
}

void Console::write(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
    std::fflush(m_out);
}

void Console::lines(const QString& text) {
    endProgress();
    QString out;
    for (const QString& line : text.split(u'\n')) {
        if (!line.trimmed().isEmpty()) out += line + u'\n';
    }
    write(out);
}

void Console::progress(const QString& text) {
    if (!m_terminal) {
        write(text + u'\n');
        return;
    }
    // The last column is left free: writing into it wraps on some terminals.
    write(QStringLiteral("\r\x1b[K") + fitToWidth(text, m_width - 1));
    m_progressShown = true;
}

void Console::endProgress() {
    if (!m_progressShown) return;
    write(QStringLiteral("\r\x1b[K"));
    m_progressShown = false;
}

}  // namespace pw::cli
