// The lottery's results files that make_results.py writes, in a folder: made here by Debian's
// Python, or by the Windows stage beforehand (Wine cannot run the host's Python), which names it.
#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace dezenario::test {
inline QString resultsFiles(const QTemporaryDir &folder)
{
    if (qEnvironmentVariableIsSet("DEZENARIO_RESULTS_FILES"))
        return qEnvironmentVariable("DEZENARIO_RESULTS_FILES");
    const int made = QProcess::execute(QStringLiteral("/usr/bin/python3"),
                                       { QFINDTESTDATA("make_results.py"), folder.path() });
    return made == 0 ? folder.path() : QString();
}
} // namespace dezenario::test
