#pragma once
// A UserDialogs double for window tests: records every message and question and
// answers from a queue. A question with no scripted answer is recorded as
// unexpected and answered No, so a test can tell it apart from a planned one.
// Yes/No and Yes/No/Cancel questions share the queue: true is Yes, false is No, and
// tms::Answer::Cancel answers No to a question without Cancel.

#include "user_dialogs.h"

#include <QQueue>
#include <QStringList>

class ScriptedDialogs final : public tms::UserDialogs {
public:
    struct Shown {
        QString kind; // "tell", "ask", "text"
        QString title;
        QString text;
    };

    struct Reply {
        Reply(bool yes) : answer(yes ? tms::Answer::Yes : tms::Answer::No) {}
        Reply(tms::Answer given) : answer(given) {}
        tms::Answer answer;
    };

    QQueue<Reply> yesNoAnswers;
    QQueue<std::optional<QString>> textAnswers;
    QList<Shown> shown;
    int unexpected = 0;

    void tell(const QString& title, const QString& text) override { shown.append({"tell", title, text}); }

    bool askYesNo(const QString& title, const QString& text) override
    {
        shown.append({"ask", title, text});
        if (yesNoAnswers.isEmpty()) {
            ++unexpected;
            return false;
        }
        return yesNoAnswers.dequeue().answer == tms::Answer::Yes;
    }

    tms::Answer askYesNoCancel(const QString& title, const QString& text) override
    {
        shown.append({"ask", title, text});
        if (yesNoAnswers.isEmpty()) {
            ++unexpected;
            return tms::Answer::No;
        }
        return yesNoAnswers.dequeue().answer;
    }

    std::optional<QString> askText(const QString& title, const QString& prompt, const QString&) override
    {
        shown.append({"text", title, prompt});
        if (textAnswers.isEmpty()) {
            ++unexpected;
            return std::nullopt;
        }
        return textAnswers.dequeue();
    }

    QStringList texts() const
    {
        QStringList all;
        for (const Shown& s : shown)
            all << s.text;
        return all;
    }
};
