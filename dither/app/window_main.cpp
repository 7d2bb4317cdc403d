// The Palette Press window, started by the dither program when it is given no option.

#include "atomic_file.h"
#include "batch.h"
#include "batch_command.h"
#include "dither_window.h"
#include "user_dialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

int main(int argc, char** argv)
{
    tms::ignoreFileSizeLimitSignal();
    QApplication app(argc, argv);
    dither::nameApplication();
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
