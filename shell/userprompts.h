#pragma once

// What an engine may ask of the person at the screen. The windows answer with message boxes,
// the command line with its flags, the tests with a script.

#include <QString>

namespace pw {

enum class MessageIcon { Information, Question, Exclamation };

class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // A message with an OK button, captioned with the application title.
    virtual void message(const QString& text, MessageIcon icon) = 0;
    // A Yes/No question with the question icon; true for Yes.
    virtual bool askYesNo(const QString& text, bool defaultNo) = 0;
};

}  // namespace pw
