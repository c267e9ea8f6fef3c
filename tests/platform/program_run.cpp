#include "tests/platform/program_run.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

constexpr int RunBoundMs = 60000;

} // namespace

QString writeBatch(const DesktopSandbox &desktop, const QString &name,
                   const QList<std::pair<QString, QString>> &items) {
    QByteArray bytes;
    for (const auto &[path, state] : items)
        bytes += '"' + QFile::encodeName(path) + "\"\r\n\"0\"\r\n\"" + state.toUtf8() + "\"\r\n";
    const QString batch = desktop.at(name + u".rvq"_s);
    return writeFile(batch, bytes) ? batch : QString();
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

QProcessEnvironment runEnvironment(const DesktopSandbox &desktop) {
    QProcessEnvironment environment = desktop.environment();
    for (const QString &key : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s})
        environment.remove(key);
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    return environment;
}
