#include "platform/display.h"
#include "tests/platform/x_session.h"
#include "tests/support/scoped_variable.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using testsupport::ScopedVariable;

namespace {

// A socket at path, listening as a compositor's does and returned; or closed again at once, as a
// compositor that has gone leaves its socket file behind, and 0. -1 when it cannot be made.
int bindSocket(const std::string &path, bool listening) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof(address.sun_path) - 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0 || bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 ||
        (listening && listen(socket, 1) != 0))
        return -1;
    if (listening)
        return socket;
    close(socket);
    return 0;
}

// In the names, $XVFB stands for a private X server's display and $RUNTIME for the runtime folder.
const struct DisplayRow {
    const char *name;
    std::optional<std::string> platform;
    std::optional<std::string> x;
    std::optional<std::string> wayland;
    std::optional<std::string> whyNot; // none: windows can be shown
} displayRows[] = {
    {"platformNamedOutright", "offscreen", ":397", {}, std::nullopt},
    {"xDisplayNobodyServes", {}, ":397", {}, "cannot reach the display :397"},
    {"xDisplayNameThatMeansNothing", {}, "garbage:::x", {}, "cannot reach the display garbage:::x"},
    {"runningXServer", {}, "$XVFB", {}, std::nullopt},
    {"waylandSocketLeftBehind", {}, {}, "gone-0", "cannot reach the display gone-0"},
    {"listeningWaylandSocket", {}, {}, "live-0", std::nullopt},
    {"listeningWaylandSocketByFullPath", {}, {}, "$RUNTIME/live-0", std::nullopt},
    {"noDisplayAtAll", {}, {}, {}, "there is no display"},
};

void PrintTo(const DisplayRow &row, std::ostream *out) {
    *out << row.name;
}

class DisplayTest : public ::testing::TestWithParam<DisplayRow> {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        ASSERT_EQ(bindSocket(inRuntime("gone-0"), false), 0);
        live = bindSocket(inRuntime("live-0"), true);
        ASSERT_GE(live, 0);
    }
    void TearDown() override { close(live); }

    std::string inRuntime(const std::string &name) const {
        return runtime.path().toStdString() + '/' + name;
    }
    std::optional<std::string> resolved(std::optional<std::string> name) {
        if (name == "$XVFB") {
            x = std::make_unique<XSession>(false);
            return x->isReady() ? x->displayName().toStdString() : "(no X server)";
        }
        if (name && name->starts_with("$RUNTIME/"))
            return inRuntime(name->substr(9));
        return name;
    }

    QTemporaryDir runtime;
    int live = -1;
    std::unique_ptr<XSession> x;
};

TEST_P(DisplayTest, windowsCanBeShownOnlyWhereADisplayAnswers) {
    const DisplayRow &row = GetParam();
    if (row.x == "$XVFB" && !XSession::missingTools().isEmpty())
        GTEST_SKIP() << "needs a private X server; not installed: "
                     << XSession::missingTools().toStdString();
    const ScopedVariable platform("QT_QPA_PLATFORM", row.platform);
    const ScopedVariable x("DISPLAY", resolved(row.x));
    const ScopedVariable wayland("WAYLAND_DISPLAY", resolved(row.wayland));
    const ScopedVariable runtimeFolder("XDG_RUNTIME_DIR", runtime.path().toStdString());

    EXPECT_EQ(platform::whyNoWindowCanBeShown(), row.whyNot);
}

INSTANTIATE_TEST_SUITE_P(Displays, DisplayTest, ::testing::ValuesIn(displayRows),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
