// dither: converts pictures into TMS9918A screen mode 2 bitmaps. Until the window
// exists every run is a batch run; without arguments it prints its usage.

#include "atomic_file.h"
#include "batch_command.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    tms::ignoreFileSizeLimitSignal();
    // A core application only: batch runs need no display and no platform plugin.
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dither"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
    tms::batch::Console console(QStringLiteral("dither"));
    return dither::runBatch(QCoreApplication::arguments(), console);
}
