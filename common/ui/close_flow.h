#pragma once
// The editors' question before modified work is discarded (Close, New, Open, Quit, the
// end of the window). It offers Yes and No only; Yes runs the save, and when the user
// wanted the work saved and it was not (a failed write, a cancelled Save As), the work
// is kept: closing does not go on.

#include <QString>
#include <functional>

namespace tms {

class UserDialogs;

struct SavePrompt {
    QString title;
    QString question;
};

// "Warning" / "Do you want to save the modification before closing?"
SavePrompt closingPrompt();
// The question at the end of the window, title "Warning! Unsaved modification!".
SavePrompt endOfWindowPrompt(const QString& question);

// True when the work may be discarded: it is not modified, the user answered No, or
// save() reported that the work was saved.
bool mayDiscardWork(UserDialogs& dialogs, bool modified, const SavePrompt& prompt,
                    const std::function<bool()>& save);

} // namespace tms
