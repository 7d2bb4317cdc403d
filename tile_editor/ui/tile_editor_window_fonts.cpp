// Fonts menu and printing of the tile editor: the built-in fonts, font files and the
// print dialog. The glyphs, the font file and the sheet live in model/ and io/.
#include "tile_editor_window.h"

#include "document_life.h"
#include "file_extension.h"
#include "font_file.h"
#include "fonts.h"
#include "printer_form.h"
#include "user_dialogs.h"

#include <QAction>
#include <QMenu>

namespace tile {

namespace {

bool endsWithFontExtension(const QString& path)
{
    return tms::hasExtension(path, QStringLiteral(".fcv"));
}

} // namespace

void TileEditorWindow::connectFontMenu()
{
    const std::span<const int> faces = traits().fontMenu;
    for (int index = 1; index <= int(faces.size()); ++index)
        if (auto* item = m_fontsMenu->findChild<QAction*>(QStringLiteral("font%1").arg(index)))
            connect(item, &QAction::triggered, this,
                    [this, index] { recordStep(QStringLiteral("Font"), [&] { onFontTriggered(index); }); });
    if (auto* item = m_fontsMenu->findChild<QAction*>(QStringLiteral("morefont")))
        connect(item, &QAction::triggered, this,
                [this] { recordStep(QStringLiteral("Load Font"), [this] { onLoadFontTriggered(); }); });
    if (auto* item = m_fontsMenu->findChild<QAction*>(QStringLiteral("savefont")))
        connect(item, &QAction::triggered, this, &TileEditorWindow::onSaveFontTriggered);
    connect(m_printAction, &QAction::triggered, this, &TileEditorWindow::onPrintTriggered);
    m_printAction->setEnabled(true);
}

void TileEditorWindow::onFontTriggered(int index)
{
    const std::span<const int> faces = traits().fontMenu;
    if (index < 1 || index > int(faces.size()))
        return;
    withTimerPaused([&] {
        applyFont(m_doc, faces[std::size_t(index - 1)]);
        m_doc.modified = true; // up to 58 characters changed: work to save
        onRefreshClicked();
    });
}

void TileEditorWindow::onLoadFontTriggered()
{
    withTimerPaused([this] {
        // Closing the dialog without a choice loads nothing.
        const std::optional<QString> chosen = choosePath(FileDialogKind::OpenFCV);
        if (!chosen || !chosen->toLower().contains(QStringLiteral(".fcv")))
            return;
        m_fontFileName = *chosen;
        const FontLoad load = loadFontFile(m_fontFileName, m_doc);
        if (load.charactersRead > 0)
            m_doc.modified = true;
        onRefreshClicked();
        if (!load.ok)
            dialogs().tell(tms::warningTitle(), load.message);
    });
}

void TileEditorWindow::onSaveFontTriggered()
{
    std::optional<QString> chosen;
    withTimerPaused([&] { chosen = choosePath(FileDialogKind::SaveAsFCV); });
    if (!chosen || !endsWithFontExtension(*chosen))
        return; // closed without a choice: nothing is written
    m_fontFileName = *chosen;
    const QString title = fontTitle(
        dialogs().askText(QStringLiteral("Font name"), QStringLiteral("What is the name of title Font?"), QString()));
    tellWritten(saveFontFile(m_fontFileName, m_doc, title), m_fontFileName);
}

void TileEditorWindow::onPrintTriggered()
{
    withTimerPaused([this] {
        PrinterForm form(sheetSourceOf(m_doc, m_palette), dialogs(), this, m_printPaper);
        if (m_runPrintForm)
            m_runPrintForm(form);
        else
            form.exec();
        m_printPaper = form.chosenPaper().value_or(m_printPaper); // offered again next time
        if (!form.report().isEmpty())
            m_life->tellInStatusBar(form.report());
    });
}

} // namespace tile
