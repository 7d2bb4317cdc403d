#include "atomic_file.h"
#include "batch.h"
#include "batch_command_line.h"
#include "tile_editor_window.h"
#include "user_dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <memory>

// One main() for both editions: the kardo2 target is built with KARDO_SCREEN_MODE_1.
#ifdef KARDO_SCREEN_MODE_1
constexpr tile::Edition edition = tile::Edition::ScreenMode1;
#else
constexpr tile::Edition edition = tile::Edition::ScreenMode2;
#endif

int main(int argc, char** argv)
{
    const QString program = tile::editionProgramName(edition);
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
        tms::batch::Console console(program);
        return tms::batch::runFromCommandLine(console, argc, argv, [&](const QStringList& arguments) {
            return tile::runBatch(arguments, console, edition);
        });
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(program);
    QApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
    tile::TileEditorWindow window(edition);
    const tms::batch::CommandLine line = tms::batch::commandLineArguments(argc, argv);
    window.setCommandLine(line.arguments.mid(1).join(QLatin1Char(' ')));
    window.show();
    if (!line.error.isEmpty())
        QMessageBox::warning(&window, tms::warningTitle(), line.error);
    return app.exec();
}
