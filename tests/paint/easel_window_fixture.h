#pragma once
// A window with scripted message boxes and a scripted user at its file dialogs: a
// queued choice is confirmed (written to LIEN as the real dialog does), an empty
// queue closes the dialog without a choice.

#include "lien.h"
#include "mosaic_easel_main.h"
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
    std::unique_ptr<paint::Mosaic_Easel_Main> window;
    QQueue<DialogChoice> choices;
    QList<paint::PaintDialog> opened;

    explicit EaselWindowFixture(const QString& commandLine = {})
    {
        paint::LIEN::reset();
        window = std::make_unique<paint::Mosaic_Easel_Main>(commandLine, &dialogs);
        window->showDialog = [this](paint::PaintDialog dialog) {
            opened << dialog;
            if (dialog == paint::PaintDialog::About || choices.isEmpty())
                return; // closed without a choice
            const DialogChoice choice = choices.dequeue();
            paint::LIEN::setLastPicturePath(choice.path);
            if (dialog == paint::PaintDialog::SaveAsPicture)
                paint::LIEN::setFullScreenFile(choice.fullScreen.value_or(paint::LIEN::fullScreenFile()));
        };
        window->Form_Activate();
        window->Timer1_Timer(); // painting allowed, as two seconds after start
    }

    paint::Mosaic_Easel_Main& operator*() { return *window; }
    paint::Mosaic_Easel_Main* operator->() { return window.get(); }
};
