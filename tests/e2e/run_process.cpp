#include "tests/e2e/run_process.h"

#include "tests/support/desktop_sandbox.h"

#include <QFile>
#include <QStandardPaths>

#include <unistd.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Valgrind makes a run many times slower; anything longer than this is a hang.
constexpr int RunBoundMs = 120000;

} // namespace

std::string RunOutcome::describe() const {
    std::string text = finished ? "" : "did not end in time; ";
    text += status == QProcess::NormalExit ? "exit code " + std::to_string(code) : "crashed";
    if (!errors.isEmpty())
        text += "; error output:\n" + errors.right(4000).toStdString();
    return text;
}

QString runvoyProgram() {
    return qEnvironmentVariable("RUNVOY_BUILD_PROGRAM_DIR") + u"/runvoy"_s;
}

void startProgram(QProcess &process, const QProcessEnvironment &environment,
                  const QStringList &arguments, const QStringList &prefix, const QString &program) {
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(environment.value(u"HOME"_s));
    if (prefix.isEmpty()) {
        process.start(program, arguments);
        return;
    }
    process.start(prefix.first(), prefix.mid(1) + QStringList{program} + arguments);
}

RunOutcome waitForEnd(QProcess &process) {
    RunOutcome outcome;
    outcome.finished =
        process.state() == QProcess::NotRunning || process.waitForFinished(RunBoundMs);
    if (!outcome.finished) {
        process.kill();
        process.waitForFinished(RunBoundMs);
    }
    outcome.status = process.exitStatus();
    outcome.code = process.exitCode();
    outcome.errors = process.readAllStandardError();
    return outcome;
}

RunOutcome runToEnd(const DesktopSandbox &sandbox, const QStringList &arguments,
                    const QStringList &prefix, const QString &program) {
    QProcess process;
    startProgram(process, sandbox.programEnvironment(), arguments, prefix, program);
    return waitForEnd(process);
}

bool copyProgramFolder(const std::filesystem::path &folder) {
    std::error_code error;
    std::filesystem::create_directory(folder, error);
    const std::filesystem::path built =
        QFile::encodeName(qEnvironmentVariable("RUNVOY_BUILD_PROGRAM_DIR")).toStdString();
    // Only the files: an Output folder that some test's editor left there belongs to no install.
    for (const auto &entry : std::filesystem::directory_iterator(built, error)) {
        if (entry.is_regular_file())
            std::filesystem::copy_file(entry.path(), folder / entry.path().filename(), error);
        if (error)
            return false;
    }
    return !error;
}

QStringList bytesPrefix() {
    return {u"sh"_s, u"-c"_s,
            u"program=$(printf '%b' \"$0\")\n"
            "for argument; do shift; set -- \"$@\" \"$(printf '%b' \"$argument\")\"; done\n"
            "exec \"$program\" \"$@\""_s};
}

QString escapedBytes(const std::string &bytes) {
    QString escaped;
    for (const unsigned char byte : bytes) {
        if (byte < 0x80 && byte != '\\')
            escaped += QLatin1Char(char(byte));
        else
            escaped += u"\\0"_s + QString::number(byte, 8);
    }
    return escaped;
}

QList<RunOutcome> runSideBySide(const DesktopSandbox &sandbox, const QList<QStringList> &runs) {
    std::vector<std::unique_ptr<QProcess>> processes;
    for (const QStringList &arguments : runs) {
        processes.push_back(std::make_unique<QProcess>());
        startProgram(*processes.back(), sandbox.programEnvironment(), arguments);
    }
    QList<RunOutcome> outcomes;
    for (const auto &process : processes)
        outcomes << waitForEnd(*process);
    return outcomes;
}

QStringList valgrindPrefix() {
    return {u"valgrind"_s, u"--error-exitcode=1"_s, u"--leak-check=full"_s,
            u"--errors-for-leak-kinds=definite"_s, u"--show-leak-kinds=definite"_s,
            // A started item's intermediate fork ends under valgrind with the parent's heap.
            u"--child-silent-after-fork=yes"_s,
            u"--suppressions="_s + QStringLiteral(E2E_VALGRIND_SUPPRESSIONS)};
}

void capMemory(QProcessEnvironment &environment, QStringList &prefix) {
    if (!ProgramIsSanitized) {
        prefix = {u"prlimit"_s, u"--as=4000000000"_s, u"--"_s};
        return;
    }
    const QString options = environment.value(u"ASAN_OPTIONS"_s);
    environment.insert(u"ASAN_OPTIONS"_s, (options.isEmpty() ? QString() : options + u':') +
                                              u"hard_rss_limit_mb=4000"_s);
}

namespace RunAsOrdinaryUser {

bool needed() {
    return geteuid() == 0;
}

bool available() {
    return !QStandardPaths::findExecutable(u"setpriv"_s).isEmpty();
}

QStringList prefix() {
    return {u"setpriv"_s, u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, u"--"_s};
}

bool openUp(const DesktopSandbox &sandbox) {
    const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    return QFile::setPermissions(sandbox.at({}), everyone) &&
           QFile::setPermissions(sandbox.at(u"logs"_s),
                                 everyone | QFile::WriteGroup | QFile::WriteOther);
}

} // namespace RunAsOrdinaryUser
