#pragma once
// Every message box, yes/no question and input box of the windows goes through this
// interface, so that tests can answer them from a script.

#include <QString>
#include <optional>

namespace tms {

// The answer to a question that offers Cancel; Escape and closing the box mean Cancel.
enum class Answer { Yes, No, Cancel };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A message with an OK button.
    virtual void tell(const QString& title, const QString& text) = 0;
    // A question with Yes and No buttons; true for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // A question with Yes, No and Cancel buttons.
    virtual Answer askYesNoCancel(const QString& title, const QString& text) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& prompt, const QString& defaultText) = 0;
};

// The title of refusals, hints and questions.
inline QString warningTitle()
{
    return QStringLiteral("Warning");
}

} // namespace tms
