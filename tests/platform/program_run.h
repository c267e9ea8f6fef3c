#pragma once

#include "tests/support/desktop_sandbox.h"

#include <QElapsedTimer>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>

// One windowless run of the program on a batch, as the desktop starts it.
struct ProgramRun {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QElapsedTimer clock;
    qint64 tookMs = -1;
    QStringList notices; // what it said on its error output
};

// Writes a batch of (path, state) items, each of delay 0, as the editor saves it; empty when it
// could not be written.
QString writeBatch(const DesktopSandbox &desktop, const QString &name,
                   const QList<std::pair<QString, QString>> &items);

void start(ProgramRun &run, const DesktopSandbox &desktop, const QProcessEnvironment &environment,
           const QString &batch);

// Waits for the end of the run; true when it ended by itself with status 0. The started items
// keep running, so nothing is read from a pipe that they share.
bool finish(ProgramRun &run);

// Checks what the runs said of one item: nothing when notice is null, otherwise exactly one line
// holding it.
void expectSaidOnce(const QStringList &notices, const QString &item, const char *notice);
