// easel: the paint window, or the batch converter when the first argument is an
// option. The choice is made before any application object exists, so that batch
// mode never needs a display or a platform plugin.
#include "atomic_file.h"
#include "batch.h"
#include "batch_command.h"
#include "mosaic_easel_main.h"

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char** argv)
{
    tms::ignoreFileSizeLimitSignal();
    if (tms::batch::isBatchInvocation(argc, argv)) {
        QCoreApplication app(argc, argv);
        tms::batch::Console console(QStringLiteral("easel"));
        return paint::runBatch(app.arguments(), console);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("easel"));
    QApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
    // The whole command line names the picture, so that a path with blanks needs no quotes.
    paint::Mosaic_Easel_Main window(app.arguments().mid(1).join(QLatin1Char(' ')));
    window.show();
    return app.exec();
}
