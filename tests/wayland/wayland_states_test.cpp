#include "tests/platform/program_run.h"
#include "tests/support/desktop_sandbox.h"
#include "tests/wayland/gnome_session.h"
#include "tests/wayland/kwin_session.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int WatchBoundMs = 10000;

enum class Ends { Normal, Maximized, Minimized, WithoutWindow };

// Each row is one item: the Qt test program, as a Wayland client or as an X11 one, in the row's
// state.
const struct Row {
    const char *title; // the window's, and the item's file name
    const char *platform;
    const char *options;
    const char *state;
    Ends ends;
    const char *notice; // what the run must say about the item, if anything
} rows[] = {
    {"wayland-maximized", "wayland", "", "Maximized", Ends::Maximized, nullptr},
    {"wayland-minimized", "wayland", "", "Minimized", Ends::Minimized, nullptr},
    {"wayland-normal", "wayland", "", "Normal", Ends::Normal, nullptr},
    {"wayland-forks-first", "wayland", "--fork", "Maximized", Ends::Maximized, nullptr},
    {"wayland-never-shows", "wayland", "--never", "Minimized", Ends::WithoutWindow, "no window of"},
    {"x11-maximized", "xcb", "", "Maximized", Ends::Maximized, nullptr},
    {"x11-minimized", "xcb", "", "Minimized", Ends::Minimized, nullptr},
};

struct Desktop {
    const char *name;
    std::function<QString()> missingTools;
    std::function<std::unique_ptr<WaylandSession>(const QProcessEnvironment &)> start;
};

const Desktop desktops[] = {
    {"KWin", &KWinSession::missingTools,
     [](const QProcessEnvironment &environment) -> std::unique_ptr<WaylandSession> {
         return std::make_unique<KWinSession>(environment);
     }},
    {"GNOME", &GnomeSession::missingTools,
     [](const QProcessEnvironment &environment) -> std::unique_ptr<WaylandSession> {
         return std::make_unique<GnomeSession>(environment, true);
     }},
};

class WaylandStatesTest : public ::testing::TestWithParam<Desktop> {};

TEST_P(WaylandStatesTest, everyItemEndsInItsRowsState_asTheCompositorSaysIt) {
    const QString missing = GetParam().missingTools();
    if (!missing.isEmpty())
        GTEST_SKIP() << "needs a private " << GetParam().name
                     << " session; not installed: " << missing.toStdString();
    DesktopSandbox desktop;
    ASSERT_TRUE(desktop.isReady());
    const std::unique_ptr<WaylandSession> session = GetParam().start(desktop.environment());
    ASSERT_TRUE(session->isReady()) << session->output().toStdString();
    QProcessEnvironment environment = desktop.programEnvironment();
    session->useIn(environment);

    // Two runs side by side, each telling its own windows from the other's.
    QStringList paths;
    std::vector<ProgramRun> runs(2);
    for (std::size_t first = 0; first < std::size(rows); first += 5) {
        QList<std::pair<QString, QString>> items;
        for (std::size_t i = first; i < std::min(first + 5, std::size(rows)); ++i) {
            paths << desktop.item(QString::fromUtf8(rows[i].title));
            ASSERT_TRUE(writeFile(paths.back(),
                                  "#!/bin/sh\nQT_QPA_PLATFORM=" + QByteArray(rows[i].platform) +
                                      " exec \"" QT_WINDOW_CLIENT "\" " + rows[i].options + ' ' +
                                      rows[i].title + "\n",
                                  true));
            items.append({paths.back(), QString::fromUtf8(rows[i].state)});
        }
        start(runs[first / 5], desktop, environment,
              writeBatch(desktop, u"Batch%1"_s.arg(first), items));
    }
    QStringList notices;
    for (ProgramRun &run : runs) {
        EXPECT_TRUE(finish(run)) << run.notices.join(u'\n').toStdString();
        notices << run.notices;
    }
    // The first run waits out the bound for the item without a window, then ends.
    EXPECT_GE(runs.front().tookMs, WatchBoundMs);

    const std::vector<WaylandSession::Window> windows = session->windows();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const Row &row = rows[i];
        SCOPED_TRACE(row.title);
        expectSaidOnce(notices, paths[i], row.notice);
        const auto found = std::find_if(windows.begin(), windows.end(), [&](const auto &window) {
            return window.title == QString::fromUtf8(row.title);
        });
        if (row.ends == Ends::WithoutWindow) {
            EXPECT_EQ(found, windows.end());
            continue;
        }
        ASSERT_NE(found, windows.end()) << session->output().toStdString();
        EXPECT_EQ(found->maximized, row.ends == Ends::Maximized);
        EXPECT_EQ(found->minimized, row.ends == Ends::Minimized);
        if (row.ends != Ends::Maximized) {
            EXPECT_LT(found->size.width(), 640) << found->size.width();
        }
    }
}

// Installed but not enabled, the extension is of no use until the user enables it: the run says
// how, once, and waits for no window.
TEST(GnomeExtension, installedButNotEnabled_theRunSaysHowToEnableIt_once) {
    const QString missing = GnomeSession::missingTools();
    if (!missing.isEmpty())
        GTEST_SKIP() << "needs a private GNOME Shell session; not installed: "
                     << missing.toStdString();
    DesktopSandbox desktop;
    ASSERT_TRUE(desktop.isReady());
    GnomeSession session(desktop.environment(), false);
    ASSERT_TRUE(session.isReady()) << session.output().toStdString();
    QProcessEnvironment environment = desktop.programEnvironment();
    session.useIn(environment);
    environment.remove(u"DISPLAY"_s);
    const QString path = desktop.item(u"started"_s);
    ASSERT_TRUE(desktop.addProgram(path));

    ProgramRun run;
    start(run, desktop, environment, writeBatch(desktop, u"Disabled"_s, {{path, u"Maximized"_s}}));
    EXPECT_TRUE(finish(run)) << run.notices.join(u'\n').toStdString();
    EXPECT_EQ(desktop.waitForStarts(1).size(), 1);
    ASSERT_EQ(run.notices.size(), 1) << run.notices.join(u'\n').toStdString();
    EXPECT_TRUE(run.notices[0].contains(u"gnome-extensions enable " GNOME_EXTENSION ""_s))
        << run.notices[0].toStdString();
    EXPECT_LT(run.tookMs, WatchBoundMs);
}

INSTANTIATE_TEST_SUITE_P(Desktops, WaylandStatesTest, ::testing::ValuesIn(desktops),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
