// File menu work of the tile editor: open, save, save as and the exports.
#include "kardo_window.h"

#include <QAction>

namespace tile {

void KardoWindow::connectFileMenu()
{
    for (QAction* action : {Ouvrir, Sauver, SauverSous, ExporterC, ExporterASM, ShowPrintForm})
        action->setEnabled(false);
}

void KardoWindow::Ouvrir_Click() {}
bool KardoWindow::Sauver_Click() { return false; }
bool KardoWindow::SauverSous_Click() { return false; }
void KardoWindow::ExporterC_Click() {}
void KardoWindow::ExporterASM_Click() {}
bool KardoWindow::saveForPrompt() { return false; }
void KardoWindow::runFileDialog(FileDialogKind) {}
void KardoWindow::loadCommandLineFile(const QString&) {}

} // namespace tile
