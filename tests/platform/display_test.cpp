#include "platform/display.h"
#include "tests/support/scoped_variable.h"
#include "tests/support/socket_at.h"
#include "tests/support/x_display.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

using testsupport::ScopedVariable;
using testsupport::socketAt;

namespace {

// $XVFB stands for a private X server's display, $RUNTIME for the runtime folder. Of its two
// sockets, live-0 listens and gone-0 was left behind by a compositor that has gone.
const struct DisplayRow {
    const char *name;
    std::optional<std::string> platform, x, wayland;
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

class DisplayTest : public ::testing::TestWithParam<DisplayRow> {
protected:
    std::optional<std::string> resolved(std::optional<std::string> name) {
        if (name == "$XVFB") {
            x = std::make_unique<XDisplay>();
            return x->name().toStdString();
        }
        if (name && name->starts_with("$RUNTIME"))
            name->replace(0, 8, runtime.path().toStdString());
        return name;
    }

    QTemporaryDir runtime;
    std::unique_ptr<XDisplay> x;
};

TEST_P(DisplayTest, windowsCanBeShownOnlyWhereADisplayAnswers) {
    const DisplayRow &row = GetParam();
    if (row.x == "$XVFB" && !XDisplay::missingTools().isEmpty())
        GTEST_SKIP() << "needs a private X server; not installed: "
                     << XDisplay::missingTools().toStdString();
    const std::string folder = runtime.path().toStdString();
    close(socketAt(folder + "/gone-0"));
    const int live = socketAt(folder + "/live-0");
    ASSERT_EQ(listen(live, 1), 0);
    const ScopedVariable platform("QT_QPA_PLATFORM", row.platform);
    const ScopedVariable x("DISPLAY", resolved(row.x));
    const ScopedVariable wayland("WAYLAND_DISPLAY", resolved(row.wayland));
    const ScopedVariable runtimeFolder("XDG_RUNTIME_DIR", folder);

    EXPECT_EQ(platform::whyNoWindowCanBeShown(), row.whyNot);
    close(live);
}

INSTANTIATE_TEST_SUITE_P(Displays, DisplayTest, ::testing::ValuesIn(displayRows),
                         [](const auto &row) { return std::string(row.param.name); });

} // namespace
