#pragma once

// Standard error as the program talks on it: whole lines for messages, and progress either as
// lines of their own or, on a terminal, as one line rewritten in place.

#include <cstdio>

#include <QList>
#include <QString>
#include <QStringList>

namespace pw::cli {

class Console {
public:
    // terminal: stderr is a terminal, so progress rewrites one line. width: its columns.
    Console(std::FILE* out, bool terminal, int width);
    // For the process's own standard error.
    static Console forStandardError();
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    // Each line of text on its own line; blank lines are left out.
    void lines(const QString& text);
    void progress(const QString& text);
    // Clears the line rewritten in place, if one is shown.
    void endProgress();

    bool terminal() const { return m_terminal; }

private:
    void write(const QString& text);

    std::FILE* m_out;
    bool m_terminal;
    int m_width;
    bool m_progressShown = false;
};

// Columns the text takes on a terminal: wide East Asian characters count two.
int displayWidth(const QString& text);
// The text cut to at most columns, ending in "…" when it was cut.
QString fitToWidth(const QString& text, int columns);

}  // namespace pw::cli
