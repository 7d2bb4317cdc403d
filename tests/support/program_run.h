#pragma once
// Runs a built program the way a build server does: no display and no platform
// plugin in its environment.

#include <QProcess>
#include <QString>
#include <QStringList>

struct ProgramRun {
    int status = -1; // -1 when the program crashed or did not finish
    QString out;
    QString err;
};

inline ProgramRun runWithoutDisplay(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}
