// easel: the paint window, or the batch converter when the first argument is an
// option. The choice is made before any application object exists, so that batch
// mode never needs a display or a platform plugin.
#include "atomic_file.h"
#include "batch.h"
#include "batch_command.h"
#include "easel_window.h"
#include "user_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>

int main(int argc, char** argv)
{
    tms::ignoreFileSizeLimitSignal();
    if (tms::batch::isBatchInvocation(argc, argv)) {
        QCoreApplication app(argc, argv);
        tms::batch::Console console(QStringLiteral("easel"));
        return tms::batch::runFromCommandLine(
            console, argc, argv, [&](const QStringList& arguments) { return paint::runBatch(arguments, console); });
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("easel"));
    QApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
    // The whole command line names the picture, so that a path with blanks needs no quotes.
    const tms::batch::CommandLine line = tms::batch::commandLineArguments(argc, argv);
    paint::EaselWindow window(line.arguments.mid(1).join(QLatin1Char(' ')));
    window.show();
    if (!line.error.isEmpty())
        QMessageBox::warning(&window, tms::warningTitle(), line.error);
    return app.exec();
}
