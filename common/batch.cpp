#include "batch.h"

#include <cstdio>
#include <unistd.h>

namespace tms::batch {

bool isBatchInvocation(int argc, char** argv)
{
    return argc > 1 && argv[1][0] == '-' && argv[1][1] != '\0';
}

void Console::print(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

void Console::writeError(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

bool Console::showsProgress() const
{
    return isatty(fileno(stderr)) != 0;
}

int Console::usageError(const QString& message)
{
    error(message);
    error(QStringLiteral("try '%1 --help'").arg(m_program));
    return UsageError;
}

} // namespace tms::batch
