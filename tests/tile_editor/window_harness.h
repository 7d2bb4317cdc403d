#pragma once
// The tile editor's window as the tests drive it: scripted message boxes, file dialogs
// answered by `user` (closed without a choice by default), started as the program does.

#include "character_editing.h"
#include "pixel_view.h"
#include "scripted_dialogs.h"
#include "table_rendering.h"
#include "tile_editor_window.h"

#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

#include <functional>

struct WindowHarness {
    ScriptedDialogs dialogs;
    tile::TileEditorWindow window;
    using User = std::function<std::optional<tile::FileChoice>(tile::FileDialogKind)>;
    User user = [](tile::FileDialogKind) { return std::nullopt; };

    explicit WindowHarness(bool shown = false, const QString& prototypeList = QStringLiteral("no-such-prototype.txt"),
                           tile::Edition edition = tile::Edition::ScreenMode2)
        : window(edition)
    {
        window.setDialogs(&dialogs);
        window.setPrototypeListFile(prototypeList);
        window.setFileDialogRunner([this](tile::FileDialogKind kind) { return user(kind); });
        window.startFresh();
        if (shown)
            window.show();
        window.onActivated();
    }
    tile::TileDocument& doc() { return window.document(); }
    // The user picks path in the next dialogs; an empty path closes them.
    void choose(const QString& path, tile::CExportOptions cExport = {})
    {
        user = [path, cExport](tile::FileDialogKind) {
            return path.isEmpty() ? std::nullopt : std::optional<tile::FileChoice>(tile::FileChoice{path, cExport});
        };
    }
    // Every view shows the document as the model draws it (with the mark, where one is
    // shown, in its colour), and the hex box shows the current character.
    void verifyViewsShowTheDocument()
    {
        for (auto [view, draw] : {std::pair{window.m_charEditorView, &tile::drawCurrentChar},
                                  {window.m_patternTableView, &tile::drawPatternTable},
                                  {window.m_screenView, &tile::drawScreen},
                                  {window.m_spriteView, &tile::drawSprite}}) {
            const QImage shown = view->shownImage().convertToFormat(QImage::Format_RGB32);
            QImage drawn = tile::blankViewImage(shown.width(), shown.height());
            draw(drawn, doc(), window.palette());
            drawn = drawn.convertToFormat(QImage::Format_RGB32);
            if (const std::optional<QRect> frame = view->frame()) {
                QPainter painter(&drawn);
                painter.setPen(QColor(shown.pixel(frame->topLeft())));
                painter.drawRect(frame->adjusted(0, 0, -1, -1));
            }
            QVERIFY2(shown == drawn, qPrintable(view->objectName()));
        }
        if (window.m_hexEdit)
            QCOMPARE(window.m_hexEdit->text(), tile::charHexText(doc()));
    }
    void click(const char* name)
    {
        auto* button = window.findChild<QPushButton*>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
};
