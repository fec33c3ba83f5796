#pragma once
// ctiq-measure run as a process by the window tests, beside the windows: its exit
// status and what it wrote. The tests that use it define CTIQ_MEASURE, its path.
#include <QProcess>
#include <QString>
#include <QStringList>

#include <linux/capability.h>
#include <sys/prctl.h>
#include <unistd.h>

struct Run {
    int code = -1; // -1 when it did not end within two minutes
    QString out;
    QString err;
};

// In the started process, before the command runs: a test that has become "nobody" to
// find a file unreadable (UnreadableFile) starts the command as root, but as root that may
// not read what its owner may not: so the command cannot read that file either, while it
// still starts from a folder only root may enter, and not in the loader's secure mode,
// which a real and an effective user that differ would bring (the sanitizers' leak
// check cannot run there).
inline void withoutOverridingFileModes()
{
    if (getuid() != 0 || geteuid() == 0) return;
    if (setresgid(0, 0, 0) != 0 || setresuid(0, 0, 0) != 0) _exit(127);
    prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE, 0, 0, 0);
    prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH, 0, 0, 0);
}

inline Run measure(const QStringList& arguments)
{
    QProcess process;
    process.setChildProcessModifier(withoutOverridingFileModes);
    process.start(CTIQ_MEASURE, arguments);
    Run run;
    if (!process.waitForFinished(120000)) return run;
    run.code = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
