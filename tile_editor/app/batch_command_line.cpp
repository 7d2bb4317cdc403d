#include "batch_command_line.h"

#include "batch.h"

#include <QCoreApplication>

namespace tile {

int runBatch(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    tms::batch::printError(QStringLiteral("kardo3"), QStringLiteral("no batch options are available in this version"));
    return tms::batch::UsageError;
}

} // namespace tile
