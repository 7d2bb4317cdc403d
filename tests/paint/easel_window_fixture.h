#pragma once
// A window with scripted message boxes and a scripted user at its file dialogs: a
// queued choice is confirmed, an empty queue closes the dialog without a choice.

#include "easel_window.h"
#include "scripted_dialogs.h"

#include <QQueue>

#include <memory>
#include <optional>

struct DialogChoice {
    QString path;
    std::optional<bool> fullScreen; // Save As only: the "FullScreen 40K" box
};

struct EaselWindowFixture {
    ScriptedDialogs dialogs;
    std::unique_ptr<paint::EaselWindow> window;
    QQueue<DialogChoice> choices;
    QList<paint::PaintDialog> opened;
    QList<paint::PaintDialogChoice> starts; // what each dialog started with

    explicit EaselWindowFixture(const QString& commandLine = {})
    {
        window = std::make_unique<paint::EaselWindow>(commandLine, &dialogs);
        window->showDialog = [this](paint::PaintDialog dialog,
                                    const paint::PaintDialogChoice& start) -> std::optional<paint::PaintDialogChoice> {
            opened << dialog;
            starts << start;
            if (dialog == paint::PaintDialog::About || choices.isEmpty())
                return std::nullopt; // closed without a choice
            const DialogChoice choice = choices.dequeue();
            paint::PaintDialogChoice made = start; // OK with the options shown
            if (dialog != paint::PaintDialog::ImportPictureOptions)
                made.path = choice.path;
            made.fullScreen = choice.fullScreen.value_or(start.fullScreen);
            return made;
        };
        window->onActivated();
        window->allowPainting(); // painting allowed, as two seconds after start
    }

    paint::EaselWindow& operator*() { return *window; }
    paint::EaselWindow* operator->() { return window.get(); }
};
