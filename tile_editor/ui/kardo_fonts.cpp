// Fonts menu and printing of the tile editor: the built-in fonts, font files and the
// print dialog. The glyphs, the font file and the sheet live in model/ and io/.
#include "kardo_window.h"

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

bool endsWithFontExtension(const QString& path) { return tms::hasExtension(path, QStringLiteral(".fcv")); }

} // namespace

void KardoWindow::connectFontMenu()
{
    const std::span<const int> faces = fontMenuFaces(m_doc.edition);
    for (int index = 1; index <= int(faces.size()); ++index)
        if (auto* item = Polices->findChild<QAction*>(QStringLiteral("font%1").arg(index)))
            connect(item, &QAction::triggered, this, [this, index] { recordStep(QStringLiteral("Font"), [&] { font_Click(index); }); });
    if (auto* item = Polices->findChild<QAction*>(QStringLiteral("morefont")))
        connect(item, &QAction::triggered, this, [this] { recordStep(QStringLiteral("Load Font"), [this] { morefont_Click(); }); });
    if (auto* item = Polices->findChild<QAction*>(QStringLiteral("savefont")))
        connect(item, &QAction::triggered, this, &KardoWindow::savefont_Click);
    connect(ShowPrintForm, &QAction::triggered, this, &KardoWindow::ShowPrintForm_Click);
    ShowPrintForm->setEnabled(true);
}

void KardoWindow::font_Click(int Index)
{
    const std::span<const int> faces = fontMenuFaces(m_doc.edition);
    if (Index < 1 || Index > int(faces.size()))
        return;
    withTimerPaused([&] {
        ApplyFont(m_doc, faces[std::size_t(Index - 1)]);
        m_doc.modified = true; // up to 58 characters changed: work to save
        cmd_Refresh_Click();
    });
}

void KardoWindow::morefont_Click()
{
    withTimerPaused([this] {
        // Closing the dialog without a choice loads nothing.
        const std::optional<QString> chosen = choosePath(FileDialogKind::OpenFCV);
        if (!chosen || !chosen->toLower().contains(QStringLiteral(".fcv")))
            return;
        m_fontFileName = *chosen;
        const FontLoad load = LoadFontFile(m_fontFileName, m_doc);
        if (load.charactersRead > 0)
            m_doc.modified = true;
        cmd_Refresh_Click();
        if (!load.ok)
            dialogs().tell(tms::warningTitle(), load.message);
    });
}

void KardoWindow::savefont_Click()
{
    std::optional<QString> chosen;
    withTimerPaused([&] { chosen = choosePath(FileDialogKind::SaveAsFCV); });
    if (!chosen || !endsWithFontExtension(*chosen))
        return; // closed without a choice: nothing is written
    m_fontFileName = *chosen;
    const QString title = fontTitle(
        dialogs().askText(QStringLiteral("Font name"), QStringLiteral("What is the name of title Font?"), QString()));
    tellWritten(SaveFontFile(m_fontFileName, m_doc, title), m_fontFileName);
}

void KardoWindow::ShowPrintForm_Click()
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
