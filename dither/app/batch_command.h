#pragma once
// The command line of dither: converts one picture without a window. The outputs are
// built in memory in the order given and replace their files only when all are ready
// (tms::batch::commitAll).

#include "batch.h"

#include <QStringList>

namespace dither {

// Runs the batch command for the program's arguments (argument 0 is the program) and
// returns the exit status: 0 success, 1 unreadable picture or unwritable output (every
// output file is then as it was), 2 usage error. Text goes to the console.
int runBatch(const QStringList& arguments, tms::batch::Console& console);

// The organisation, name and version the settings and --version go by, the same for the
// batch and the window.
void nameApplication();

} // namespace dither
