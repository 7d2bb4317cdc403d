#pragma once
// Shared rules of the programs' batch mode: what starts it, where its text goes and
// how it ends. The file policy of a run is in batch_outputs.h, the reading of the
// options in batch_option_table.h.

#include <QString>
#include <QStringList>
#include <new>

namespace tms::batch {

enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

// Batch mode runs when any argument is an option ("-" alone is none).
bool isBatchInvocation(int argc, char** argv);

// The program's arguments as the system gave them, each decoded with QFile::decodeName
// and checked to encode back to the very same bytes, so that a path never turns into
// another file's name. error names the first argument that cannot be taken as it
// stands (bytes that are not valid in the system's encoding); arguments is then empty.
struct CommandLine {
    QStringList arguments;
    QString error;
};
CommandLine commandLineArguments(int argc, char** argv);

// Where a run's text goes: stdout and stderr for the programs, strings for tests that
// run the batch in their own process.
class Console {
public:
    explicit Console(QString program) : m_program(std::move(program)) {}
    virtual ~Console() = default;

    const QString& program() const { return m_program; }

    // Text for stdout (help, version), then the status for it: Success, or Failure with
    // a line on stderr when stdout cannot take it (a full disk, a closed pipe).
    int printed(const QString& text);
    // One line on stderr, prefixed with the program name.
    void error(const QString& message) { writeError(m_program + QStringLiteral(": ") + message + QLatin1Char('\n')); }
    // Text for stderr as it stands (a usage text).
    void errorText(const QString& text) { writeError(text); }
    // A usage error: the message, the hint to --help, and the status for it.
    int usageError(const QString& message);

    // A progress line that rewrites itself, shown only where someone watches (stderr is
    // a terminal); finishProgress ends it so the next text starts on a fresh line.
    virtual bool showsProgress() const;
    void progress(const QString& text) { writeError(QLatin1Char('\r') + text); }
    void finishProgress() { writeError(QStringLiteral("\n")); }

protected:
    // False when the text could not be written whole.
    virtual bool print(const QString& text);
    virtual void writeError(const QString& text);

private:
    QString m_program;
};

// Keeps everything a run prints.
class CapturedConsole final : public Console {
public:
    using Console::Console;
    QString out;
    QString err;
    bool showsProgress() const override { return false; }

protected:
    bool print(const QString& text) override
    {
        out += text;
        return true;
    }
    void writeError(const QString& text) override { err += text; }
};

// Starts a run from main(): the arguments taken as the system gave them (a name that
// cannot be taken is a failure, status 1), and an allocation failure (an address-space
// limit, a picture too large for this machine) ends the run with a message and status
// 1 instead of an abort. run takes the arguments and returns the exit status.
template <typename Run>
int runFromCommandLine(Console& console, int argc, char** argv, Run run)
{
    try {
        const CommandLine line = commandLineArguments(argc, argv);
        if (!line.error.isEmpty()) {
            console.error(line.error);
            return Failure;
        }
        return run(line.arguments);
    } catch (const std::bad_alloc&) {
        console.error(QStringLiteral("not enough memory to finish the run"));
        return Failure;
    }
}

} // namespace tms::batch
