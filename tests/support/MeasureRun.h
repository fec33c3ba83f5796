#pragma once
// ctiq-measure run as a process by the window tests, beside the windows: its exit
// status and what it wrote. The tests that use it define CTIQ_MEASURE, its path.
#include <QProcess>
#include <QString>
#include <QStringList>

struct Run {
    int code = -1; // -1 when it did not end within two minutes
    QString out;
    QString err;
};

inline Run measure(const QStringList& arguments)
{
    QProcess process;
    process.start(CTIQ_MEASURE, arguments);
    Run run;
    if (!process.waitForFinished(120000)) return run;
    run.code = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
