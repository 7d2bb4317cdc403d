#include "close_flow.h"

#include "user_dialogs.h"

namespace tms {

SavePrompt closingPrompt()
{
    return {warningTitle(), QStringLiteral("Do you want to save the modification before closing?")};
}

SavePrompt endOfWindowPrompt(const QString& question)
{
    return {QStringLiteral("Warning! Unsaved modification!"), question};
}

bool mayDiscardWork(UserDialogs& dialogs, bool modified, const SavePrompt& prompt,
                    const std::function<bool()>& save)
{
    if (!modified || !dialogs.askYesNo(prompt.title, prompt.question))
        return true;
    return save();
}

} // namespace tms
