#include "tests/platform/program_run.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int RunBoundMs = 60000;

} // namespace

QString writeBatch(const DesktopSandbox &desktop, const QString &name,
                   const QList<std::pair<QString, QString>> &items) {
    QList<ItemLines> lines;
    for (const auto &[path, state] : items)
        lines.append({path, u"0"_s, state});
    return desktop.writeBatch(name, lines);
}

void start(ProgramRun &run, const DesktopSandbox &desktop, const QProcessEnvironment &environment,
           const QString &batch) {
    run.process->setProcessEnvironment(environment);
    run.process->setWorkingDirectory(desktop.at({}));
    run.process->setStandardInputFile(QProcess::nullDevice());
    run.clock.start();
    run.process->start(QString::fromUtf8(RUNVOY_PROGRAM), {u"/o"_s, batch});
}

bool finish(ProgramRun &run) {
    const bool ended = run.process->waitForFinished(RunBoundMs);
    run.tookMs = run.clock.elapsed();
    for (const QString &line :
         QString::fromLocal8Bit(run.process->readAllStandardError()).split(u'\n')) {
        if (line.startsWith(u"runvoy: "_s))
            run.notices << line;
    }
    return ended && run.process->exitStatus() == QProcess::NormalExit &&
           run.process->exitCode() == 0;
}

void expectSaidOnce(const QStringList &notices, const QString &item, const char *notice) {
    const QStringList said = notices.filter(item);
    if (notice == nullptr)
        EXPECT_TRUE(said.isEmpty()) << said.join(u'\n').toStdString();
    else
        EXPECT_TRUE(said.size() == 1 && said[0].contains(QString::fromUtf8(notice)))
            << said.join(u'\n').toStdString();
}
