#pragma once
// The command line of dither: converts one picture without a window and writes the
// requested outputs in the order given.

#include <QStringList>

namespace dither {

// Runs the batch command for the program's arguments (argument 0 is the program) and
// returns the exit status: 0 success, 1 unreadable picture or unwritable output,
// 2 usage error.
int runBatch(const QStringList& arguments);

} // namespace dither
