// dither: the batch converter, or the Palette Press window when no argument is an
// option. The choice is made before any application object exists, so that batch mode
// never needs a display or a platform plugin; the window is a separate executable
// (window_main.cpp), so that a batch run loads no widget library either.

#include "atomic_file.h"
#include "batch.h"
#include "batch_command.h"
#include "window_program.h"

#include <QCoreApplication>

namespace {

// No arguments, or one picture and nothing else, open the window; any option (and any
// longer command line) is a batch run.
bool opensWindow(int argc, char** argv)
{
    if (argc > 2)
        return false;
    return argc == 1 || argv[1][0] != '-' || argv[1][1] == '\0';
}

} // namespace

int main(int argc, char** argv)
{
    if (opensWindow(argc, argv))
        return tms::handOverToWindowProgram(DITHER_WINDOW_PROGRAM, argv);
    tms::ignoreFileSizeLimitSignal();
    // A core application only: batch runs need no display and no platform plugin.
    QCoreApplication app(argc, argv);
    dither::nameApplication();
    tms::batch::Console console(QStringLiteral("dither"));
    return tms::batch::runFromCommandLine(
        console, argc, argv, [&](const QStringList& arguments) { return dither::runBatch(arguments, console); });
}
