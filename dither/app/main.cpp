// dither: the Palette Press window, or the batch converter when any argument is an
// option. The choice is made before any application object exists, so that batch mode
// never needs a display or a platform plugin.

#include "atomic_file.h"
#include "batch.h"
#include "batch_command.h"
#include "dither_window.h"
#include "user_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// No arguments, or one picture and nothing else, open the window; any option (and any
// longer command line) is a batch run.
bool opensWindow(int argc, char** argv)
{
    if (argc > 2)
        return false;
    return argc == 1 || argv[1][0] != '-' || argv[1][1] == '\0';
}

void nameApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral("tms-graphics-suite"));
    QCoreApplication::setApplicationName(QStringLiteral("dither"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
}

} // namespace

int main(int argc, char** argv)
{
    tms::ignoreFileSizeLimitSignal();
    if (!opensWindow(argc, argv)) {
        // A core application only: batch runs need no display and no platform plugin.
        QCoreApplication app(argc, argv);
        nameApplication();
        tms::batch::Console console(QStringLiteral("dither"));
        return tms::batch::runFromCommandLine(
            console, argc, argv, [&](const QStringList& arguments) { return dither::runBatch(arguments, console); });
    }
    QApplication app(argc, argv);
    nameApplication();
    dither::DitherWindow window;
    window.show();
    // The picture named on the command line loads as "Load Picture" would load it.
    const tms::batch::CommandLine line = tms::batch::commandLineArguments(argc, argv);
    if (!line.error.isEmpty())
        QMessageBox::warning(&window, tms::warningTitle(), line.error);
    else if (line.arguments.size() == 2 && QFileInfo::exists(line.arguments[1]))
        window.loadPicture(line.arguments[1]);
    return app.exec();
}
