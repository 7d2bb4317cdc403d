// The full dither program: the Palette Press window, or, given options, the batch
// converter with Qt's picture readers and writers (every format, BMP and PNG outputs).
// The dither program hands it every run that it does not serve itself.

#include "atomic_file.h"
#include "batch.h"
#include "batch_command.h"
#include "dither_window.h"
#include "qt_picture_codecs.h"
#include "user_dialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

int main(int argc, char** argv)
{
    if (!dither::opensWindow(argc, argv))
        return dither::runBatchProgram(argc, argv, dither::qtPictureCodecs());
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
