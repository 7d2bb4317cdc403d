#include "batch.h"

#include <cstdio>
#include <unistd.h>

namespace tms::batch {

bool isBatchInvocation(int argc, char** argv)
{
    // Any option, before or after the file: "kardo3 in.dat --save out.dat" is a batch run
    // as much as "kardo3 --save out.dat in.dat", never a window that needs a display.
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-' && argv[i][1] != '\0')
            return true;
    return false;
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
