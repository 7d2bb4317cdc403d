#pragma once
// The command line of dither: converts one picture without a window. The outputs are
// built in memory in the order given and replace their files only when all are ready
// (tms::batch::commitAll).

#include "batch.h"
#include "picture_codecs.h"

#include <QStringList>

namespace dither {

// What runBatch returns when the program's codecs cannot carry the run out (a picture
// output without a picture writer, a picture its reader is not sure of). Nothing has
// been written or printed then: the caller hands the whole run to the full program.
constexpr int needsFullProgram = -1;

// Runs the batch command for the program's arguments (argument 0 is the program),
// reading and writing pictures with codecs, and returns the exit status: 0 success, 1
// unreadable picture or unwritable output (every output file is then as it was), 2 usage
// error, or needsFullProgram. Text goes to the console.
int runBatch(const QStringList& arguments, tms::batch::Console& console, const PictureCodecs& codecs);

// True when the command line opens the window: no argument, or one picture and
// nothing else. Any option (and any longer command line) is a batch run.
bool opensWindow(int argc, char** argv);

// main() of a batch run: a core application only (batch runs need no display and no
// platform plugin), the arguments taken as the system gave them, then runBatch.
int runBatchProgram(int argc, char** argv, const PictureCodecs& codecs);

// The organisation, name and version the settings and --version go by, the same for the
// batch and the window.
void nameApplication();

} // namespace dither
