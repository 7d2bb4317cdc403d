#pragma once
// easel's batch front end: converts a picture without a window,
//   easel [--save OUT.pp [--full | --10k]] [--png OUT.png]
//         [--export-c OUT.c [--c-style coleco|stdint] [--compress CODEC]]
//         [--export-asm OUT.asm [--asm-syntax dot|db|sdas] [--compress CODEC]]
//         [--export-bin PREFIX [--compress CODEC]] [--name NAME]
//         [--export-grp OUT.grp] [--export-sc2 OUT.sc2] [--method NAME] INPUT
// INPUT is a .pp, .scr, .mlt, .grp or .sc2 file or a picture (batch_input.h).
// The outputs are built in memory in the order given and replace their files only
// when all are ready (tms::batch::commitAll). Exit status 0 on success, 1 when the
// input cannot be read or an output cannot be written (every output file is then as
// it was), 2 for a usage error.

#include "batch.h"

#include <QStringList>

namespace paint {

// Runs the batch command line (argument 0 is the program) and returns the exit status;
// text goes to the console.
int runBatch(const QStringList& arguments, tms::batch::Console& console);

} // namespace paint
