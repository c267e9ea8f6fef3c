#include "tests/e2e/x_display.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <array>

using namespace Qt::StringLiterals;

namespace {

// Clients come and go all the time on a test display, every look at its windows is one, and the
// program under test may connect just as the last other client leaves: it must be taken.
TEST(XDisplayTest, takesEveryClientWhileOthersComeAndGo) {
    const QString missing = XDisplay::missingTools();
    if (!missing.isEmpty())
        GTEST_SKIP() << "needs a private X display; not installed: " << missing.toStdString();
    const XDisplay display;
    ASSERT_TRUE(display.isReady());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    display.useIn(environment);

    constexpr int Connections = 400;
    std::array<QProcess, 3> clients;
    std::array<bool, 3> connected{};
    int started = 0;
    int finished = 0;
    int turnedAway = 0;
    // Each client connects again as soon as it has left, independently of the other.
    while (finished < Connections) {
        for (std::size_t i = 0; i < clients.size(); ++i) {
            QProcess &client = clients[i];
            if (connected[i]) {
                if (!client.waitForFinished(1) && client.state() != QProcess::NotRunning)
                    continue;
                connected[i] = false;
                ++finished;
                if (client.exitStatus() != QProcess::NormalExit || client.exitCode() != 0)
                    ++turnedAway;
            }
            if (started < Connections) {
                client.setProcessEnvironment(environment);
                client.start(u"xdotool"_s, {u"getdisplaygeometry"_s});
                connected[i] = true;
                ++started;
            }
        }
    }
    EXPECT_EQ(turnedAway, 0) << "of " << Connections;
}

} // namespace
