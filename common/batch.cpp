#include "batch.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
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

namespace {

// The bytes as they are, with \xNN for each one that is not printable ASCII.
QString escapedBytes(const QByteArray& bytes)
{
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    return text;
}

} // namespace

CommandLine commandLineArguments(int argc, char** argv)
{
    CommandLine line;
    for (int i = 0; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        const QString decoded = QFile::decodeName(raw);
        if (QFile::encodeName(decoded) != raw) {
            line.arguments.clear();
            line.error = QStringLiteral("cannot take \"%1\" from the command line: it is not valid in the system's "
                                        "character encoding; rename the file")
                             .arg(escapedBytes(raw));
            return line;
        }
        line.arguments << decoded;
    }
    return line;
}

bool Console::print(const QString& text)
{
    const bool written = std::fputs(text.toLocal8Bit().constData(), stdout) >= 0;
    return std::fflush(stdout) == 0 && written && !std::ferror(stdout);
}

int Console::printed(const QString& text)
{
    errno = 0;
    if (print(text))
        return Success;
    const int cause = errno;
    error(QStringLiteral("cannot write to standard output: %1")
              .arg(cause == ENOSPC ? QStringLiteral("disk full")
                   : cause != 0    ? QString::fromLocal8Bit(std::strerror(cause))
                                   : QStringLiteral("write error")));
    return Failure;
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
