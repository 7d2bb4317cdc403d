#include "batch.h"
#include "batch_command_line.h"
#include "kardo_window.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Batch mode needs no display: decide before any GUI application exists.
    if (tms::batch::isBatchInvocation(argc, argv))
        return tile::runBatch(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kardo3"));
    QApplication::setApplicationVersion(QStringLiteral(SUITE_VERSION));
    tile::KardoWindow window;
    window.setCommandLine(QApplication::arguments().mid(1).join(QLatin1Char(' ')));
    window.show();
    return app.exec();
}
