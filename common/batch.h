#pragma once
// Shared rules of the programs' batch mode: what starts it, where its text goes and
// how it ends. The file policy of a run is in batch_outputs.h, the reading of the
// options in batch_option_table.h.

#include <QString>

namespace tms::batch {

enum ExitStatus { Success = 0, Failure = 1, UsageError = 2 };

// Batch mode runs when any argument is an option ("-" alone is none).
bool isBatchInvocation(int argc, char** argv);

// Where a run's text goes: stdout and stderr for the programs, strings for tests that
// run the batch in their own process.
class Console {
public:
    explicit Console(QString program) : m_program(std::move(program)) {}
    virtual ~Console() = default;

    const QString& program() const { return m_program; }

    // Text for stdout (help, version).
    virtual void print(const QString& text);
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
    void print(const QString& text) override { out += text; }
    bool showsProgress() const override { return false; }

protected:
    void writeError(const QString& text) override { err += text; }
};

} // namespace tms::batch
