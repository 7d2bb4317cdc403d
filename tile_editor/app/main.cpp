#include "atomic_file.h"
#include "batch.h"
#include "batch_command_line.h"
#include "kardo_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

int main(int argc, char** argv)
{
    tms::ignoreFileSizeLimitSignal();
    // Batch mode needs no display: decide before any GUI application exists.
    if (tms::batch::isBatchInvocation(argc, argv)) {
        std::unique_ptr<QCoreApplication> app;
        if (tile::batchPaints(argc, argv)) {
            // The sheet's text needs fonts, hence a GUI application, still without a display.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        tms::batch::Console console(QStringLiteral("kardo3"));
        return tile::runBatch(QCoreApplication::arguments(), console);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kardo3"));
    QApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
    tile::KardoWindow window;
    window.setCommandLine(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    window.show();
    return app.exec();
}
