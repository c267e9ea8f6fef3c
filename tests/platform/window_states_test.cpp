#include "tests/platform/program_run.h"
#include "tests/support/desktop_sandbox.h"
#include "tests/support/printers.h"
#include "tests/support/x_display.h"

#include <QFile>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr int WatchBoundMs = 10000;
const QSize ClientSize(320, 200);

enum class Launch { Program, ProgramWithoutEnvironment, Entry, BusHandler };
enum class Ends { Normal, Maximized, Minimized, WithoutWindow };

// Each row is one item: a test program whose window behaves in one of the ways real programs do,
// started one of the ways the desktop starts things, in the row's state.
const struct Row {
    const char *title; // the window's, and the item's file name
    Launch launch;
    const char *options;
    const char *state;
    Ends ends;
    const char *notice; // what the run must say about the item, if anything
} rows[] = {
    {"plain-normal", Launch::Program, "", "Normal", Ends::Normal, nullptr},
    {"plain-minimized", Launch::Program, "", "Minimized", Ends::Minimized, nullptr},
    // Only the X server can tie this one: no declared pid, no marker, no startup id.
    {"no-declared-pid", Launch::ProgramWithoutEnvironment, "--no-pid", "Maximized", Ends::Maximized,
     nullptr},
    {"forks-first", Launch::Program, "--fork", "Maximized", Ends::Maximized, nullptr},
    {"startup-id-on-leader", Launch::Entry, "--startup-id-on-leader --no-pid", "Minimized",
     Ends::Minimized, nullptr},
    {"splash-first", Launch::Program, "--splash", "Maximized", Ends::Maximized, nullptr},
    {"late-by-3-s", Launch::Program, "--late 3000", "Maximized", Ends::Maximized, nullptr},
    {"fixed-size", Launch::Program, "--fixed", "Maximized", Ends::Normal, "cannot be maximized"},
    {"undoes-its-state", Launch::Program, "--undo", "Maximized", Ends::Maximized, nullptr},
    {"bus-handled.txt", Launch::BusHandler, "", "Minimized", Ends::Minimized, nullptr},
    {"never-shows", Launch::Program, "--never", "Maximized", Ends::WithoutWindow, "no window of"},
};

class WindowStatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing = XDisplay::missingTools(XDisplay::WindowManager::Openbox);
        if (!missing.isEmpty())
            GTEST_SKIP() << "needs a private X server; not installed: " << missing.toStdString();
        ASSERT_TRUE(desktop.isReady());
    }

    // The item for a row, placed in the sandbox; empty when it could not be written.
    QString addItem(const Row &row) const {
        const QByteArray client = "\"" WINDOW_CLIENT "\" " + QByteArray(row.options) + ' ';
        const QString path = desktop.item(QString::fromUtf8(row.title));
        switch (row.launch) {
        case Launch::Program:
            return writeFile(path, "#!/bin/sh\nexec " + client + row.title + "\n", true)
                       ? path
                       : QString();
        case Launch::ProgramWithoutEnvironment:
            return writeFile(path,
                             "#!/bin/sh\nexec env -i DISPLAY=\"$DISPLAY\" " + client + row.title +
                                 "\n",
                             true)
                       ? path
                       : QString();
        case Launch::Entry:
            return writeFile(path + u".desktop"_s,
                             "[Desktop Entry]\nType=Application\nName=Test\nStartupNotify=true\n"
                             "Exec=" +
                                 client + row.title + "\n")
                       ? path + u".desktop"_s
                       : QString();
        case Launch::BusHandler: {
            // Text files open in a handler that the bus starts: it shows one window per file.
            const QString id = u"org.runvoy.TestViewer"_s;
            const bool ready =
                writeFile(desktop.at(u"data/applications/"_s + id + u".desktop"_s),
                          desktop.applicationEntry(u"viewer"_s, " %f") +
                              "DBusActivatable=true\nStartupNotify=true\nMimeType=text/plain;\n") &&
                desktop.addBusService(id, u"viewer"_s, WINDOW_CLIENT) &&
                desktop.setDefaultHandler("text/plain", id + u".desktop"_s) &&
                writeFile(path, "Notes\n");
            return ready ? path : QString();
        }
        }
        return {};
    }

    DesktopSandbox desktop;
};

TEST_F(WindowStatesTest, everyItemEndsInItsRowsState_asTheWindowManagerWroteIt) {
    XDisplay session(XDisplay::WindowManager::Openbox);
    ASSERT_TRUE(session.isReady());
    ASSERT_TRUE(desktop.setBusEnvironment(u"DISPLAY"_s, session.name()));
    QProcessEnvironment environment = desktop.programEnvironment();
    session.useIn(environment);

    // Five items to a batch, and the batches side by side: each run must tell its own windows
    // from the others'.
    std::vector<ProgramRun> runs(3);
    QStringList paths;
    for (std::size_t first = 0; first < std::size(rows); first += 5) {
        QList<std::pair<QString, QString>> items;
        for (std::size_t i = first; i < std::min(first + 5, std::size(rows)); ++i) {
            paths << addItem(rows[i]);
            ASSERT_FALSE(paths.back().isEmpty()) << rows[i].title;
            items.append({paths.back(), QString::fromUtf8(rows[i].state)});
        }
        const QString batch = writeBatch(desktop, u"Batch%1"_s.arg(first), items);
        ASSERT_FALSE(batch.isEmpty());
        start(runs[first / 5], desktop, environment, batch);
    }
    for (ProgramRun &run : runs) {
        EXPECT_TRUE(finish(run)) << run.notices.join(u'\n').toStdString();
    }
    // The last run holds only the item without a window: it waits out the bound, then ends.
    EXPECT_GE(runs.back().tookMs, WatchBoundMs);

    QStringList notices;
    for (const ProgramRun &run : runs)
        notices << run.notices;
    const std::vector<XDisplay::Window> windows = session.managedWindows();
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
        ASSERT_NE(found, windows.end());
        EXPECT_EQ(found->maximized, row.ends == Ends::Maximized);
        EXPECT_EQ(found->iconic, row.ends == Ends::Minimized);
        if (row.ends == Ends::Maximized) {
            EXPECT_GT(found->size.width(), session.screenSize().width() * 9 / 10);
            EXPECT_GT(found->size.height(), session.screenSize().height() * 8 / 10);
        } else {
            EXPECT_EQ(found->size, ClientSize);
        }
    }
}

// Where one program cannot change another's window, the items start as they would anyway, the
// run says so in one line, and it ends without waiting for windows.
TEST_F(WindowStatesTest, whereStatesCannotBeApplied_theBatchRunsAndSaysSoOnce_withoutWaiting) {
    const struct {
        const char *name;
        bool server;
        bool windowManager;
        bool wayland;
    } desktops[] = {
        {"an X server without a window manager", true, false, false},
        {"no display at all", false, false, false},
        {"a Wayland session whose compositor lets no one in, without an X server", false, false,
         true},
    };
    for (const auto &kind : desktops) {
        SCOPED_TRACE(kind.name);
        DesktopSandbox sandbox;
        ASSERT_TRUE(sandbox.isReady());
        std::unique_ptr<XDisplay> session;
        QProcessEnvironment environment = sandbox.programEnvironment();
        if (kind.server) {
            session =
                std::make_unique<XDisplay>(kind.windowManager ? XDisplay::WindowManager::Openbox
                                                              : XDisplay::WindowManager::None);
            ASSERT_TRUE(session->isReady());
            session->useIn(environment);
        }
        if (kind.wayland)
            environment.insert(u"WAYLAND_DISPLAY"_s, u"wayland-0"_s);
        QList<std::pair<QString, QString>> items;
        QStringList paths;
        for (const QString &state : {u"Normal"_s, u"Minimized"_s, u"Maximized"_s}) {
            paths << sandbox.item(state);
            ASSERT_TRUE(sandbox.addProgram(paths.back()));
            items.append({paths.back(), state});
        }
        ProgramRun run;
        start(run, sandbox, environment, writeBatch(sandbox, u"Unmanaged"_s, items));

        EXPECT_TRUE(finish(run)) << run.notices.join(u'\n').toStdString();
        QStringList started;
        for (const ItemStart &logged : sandbox.waitForStarts(3))
            started << logged.path;
        EXPECT_EQ(started, paths);
        EXPECT_EQ(run.notices.size(), 1) << run.notices.join(u'\n').toStdString();
        EXPECT_TRUE(run.notices.value(0).contains(u"window states are not applied"_s));
        // Two seconds between three items; a wait for windows would last ten more.
        EXPECT_LT(run.tookMs, 2000 + WatchBoundMs - 1000);
    }
}

} // namespace
