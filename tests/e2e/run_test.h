#pragma once

#include "tests/e2e/run_process.h"
#include "tests/support/desktop_sandbox.h"

#include <QFileInfo>

#include <gtest/gtest.h>

// How much earlier than its due time a start may be logged: the logger of the item before reads
// the clock a little after that item was really started.
inline constexpr qint64 SlackMs = 250;

// What every test of whole runs of the program needs: a sandbox that is ready, with a folder
// for its items, and the program built beside the tests.
class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sandbox.isReady());
        ASSERT_TRUE(QFileInfo(runvoyProgram()).isExecutable()) << runvoyProgram().toStdString();
    }

    QString item(const QString &relative) const {
        return sandbox.at(QStringLiteral("items/") + relative);
    }

    DesktopSandbox sandbox{DesktopSandbox::Bus::None};
};
