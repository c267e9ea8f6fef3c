#pragma once

#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <filesystem>
#include <string>

class DesktopSandbox;

// The program built beside the tests.
QString runvoyProgram();

// How a run of the program ended.
struct RunOutcome {
    bool finished = false; // it ended within the bound; otherwise it was killed
    QProcess::ExitStatus status = QProcess::CrashExit;
    int code = -1;
    QByteArray errors; // what it wrote to its error output

    bool endedNormally() const { return finished && status == QProcess::NormalExit && code == 0; }
    std::string describe() const;
};

// Starts the program with arguments, as the desktop does (the switch and the path as two
// arguments), behind prefix: a command that runs it, such as valgrind. Another copy of the
// program may be named.
void startProgram(QProcess &process, const QProcessEnvironment &environment,
                  const QStringList &arguments, const QStringList &prefix = {},
                  const QString &program = runvoyProgram());
// Waits for the end of a started run; kills it when it does not end within a generous bound.
RunOutcome waitForEnd(QProcess &process);

// Runs the program in the sandbox's environment to its end.
RunOutcome runToEnd(const DesktopSandbox &sandbox, const QStringList &arguments,
                    const QStringList &prefix = {}, const QString &program = runvoyProgram());

// Copies the files of the program built beside the tests to folder, which it makes.
bool copyProgramFolder(const std::filesystem::path &folder);

// A file name need not be text, and a QString cannot hold one that is not: the program and its
// arguments, given with escapedBytes, are run through a shell that turns them back into bytes.
QStringList bytesPrefix();
QString escapedBytes(const std::string &bytes);
// Starts one run per argument list at the same time and waits for all of them.
QList<RunOutcome> runSideBySide(const DesktopSandbox &sandbox, const QList<QStringList> &runs);

// Whether the program was built with the sanitizers: such a build cannot run under valgrind.
inline constexpr bool ProgramIsSanitized = E2E_PROGRAM_SANITIZED != 0;

// Runs the program under valgrind's memory checker: any error or definite leak fails the run.
QStringList valgrindPrefix();

// Caps the memory a run may take at about 4 GB, so that a run that would take all there is fails
// alone: a limit on its address space, or, for a sanitized build, whose shadow memory needs a
// vast address space, the sanitizer's own limit on resident memory.
void capMemory(QProcessEnvironment &environment, QStringList &prefix);

// File permissions do not stop root: runs that must meet them drop to the user "nobody".
namespace RunAsOrdinaryUser {
bool needed();
bool available();
QStringList prefix();
// Lets that user into the sandbox and its logs; everything else there stays root's.
bool openUp(const DesktopSandbox &sandbox);
} // namespace RunAsOrdinaryUser
