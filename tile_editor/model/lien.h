#pragma once
// LIEN: the values through which the tile editor's file dialogs hand their results to
// the main window. They live for the whole run, one per purpose, so every dialog opens
// in the folder of the last file chosen for the same purpose.

#include <QString>

namespace tile {

struct Lien {
    QString datFileName;
    QString fcvFileName;
    QString asmFileName;
    QString cFileName;
    bool rleFlag = false;
    int startLine = 0;
    int endLine = 23;
};

// The program-wide instance.
Lien& LIEN();
// Back to the values of a fresh start (tests run several windows in one process).
void resetLien();

} // namespace tile
