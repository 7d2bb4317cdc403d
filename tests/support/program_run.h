#pragma once
// Runs a built program the way a build server does: no display and no platform
// plugin in its environment.

#include "batch.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>

struct ProgramRun {
    int status = -1; // -1 when the program crashed or did not finish
    QString out;
    QString err;
};

// inChild runs in the new process just before the program starts (a resource limit).
inline ProgramRun runWithoutDisplay(const QString& program, const QStringList& arguments, const QString& folder,
                                    const std::function<void()>& inChild = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// Runs program with arguments given as raw bytes (a name that is not valid UTF-8 cannot
// pass through a QString), each made by the shell's printf from octal escapes; redirect
// is appended to the command as it stands (">/dev/full").
inline ProgramRun runWithRawArguments(const QString& program, const QList<QByteArray>& arguments, const QString& folder,
                                      const QString& redirect = {}, const std::function<void()>& inChild = {})
{
    QString script = QStringLiteral("exec \"$0\"");
    for (const QByteArray& argument : arguments) {
        QString escaped;
        for (const char c : argument)
            escaped += QStringLiteral("\\") + QString::number(static_cast<unsigned char>(c), 8).rightJustified(3, u'0');
        script += QStringLiteral(" \"$(printf '%1')\"").arg(escaped);
    }
    script += QLatin1Char(' ') + redirect;
    return runWithoutDisplay(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, program}, folder, inChild);
}

// Runs a program's batch entry point in this process, keeping what it prints.
template <typename RunBatch>
ProgramRun runInProcess(const QString& program, RunBatch runBatch, const QStringList& arguments)
{
    tms::batch::CapturedConsole console(program);
    ProgramRun run;
    run.status = runBatch(QStringList{program} + arguments, console);
    run.out = console.out;
    run.err = console.err;
    return run;
}
