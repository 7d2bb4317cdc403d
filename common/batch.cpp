#include "batch.h"

#include <cstdio>

namespace tms::batch {

bool isBatchInvocation(int argc, char** argv)
{
    return argc > 1 && argv[1][0] == '-' && argv[1][1] != '\0';
}

void printError(const QString& program, const QString& message)
{
    std::fprintf(stderr, "%s: %s\n", program.toLocal8Bit().constData(), message.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace tms::batch
