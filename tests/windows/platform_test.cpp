#include "platform/event_loop.h"
#include "platform/win32_command_line.h"
#include "platform/win32_desktop_folder.h"
#include "platform/win32_shell_open.h"
#include "windows_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

bool timerServed = false;

void CALLBACK markTimerServed(HWND, UINT, UINT_PTR, DWORD) {
    timerServed = true;
}

TEST(EventLoop, waitUntilHandsOnTheThreadsMessagesAndReturnsOnceTheDeadlineHasPassed) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, markTimerServed);
    const Clock::time_point deadline = Clock::now() + 300ms;

    platform::waitUntil(deadline);

    const Clock::time_point returned = Clock::now();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(timerServed);
    EXPECT_GE(returned, deadline);
    EXPECT_LT(returned, deadline + 5s);
}

// A request to quit is not the wait's to take: it is still there for the loop that owns it.
TEST(EventLoop, aQuitRequestOutlastsTheWait) {
    PostQuitMessage(3);
    platform::waitUntil(Clock::now() + 50ms);

    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

TEST(ShellOpen, startsTheItemWithItsShowCommandInItsFolder) {
    // The test runs elsewhere, so the item's folder arrives only if it is passed on.
    const std::wstring folder = makeFolder(L"Start Földer Ωλ");
    const std::wstring program = copyBeside(L"start_reporter.exe", folder, L"start reporter.exe");
    for (const int show : {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED}) {
        SCOPED_TRACE(show);
        ASSERT_TRUE(platform::win32::shellOpen(program, show));
        EXPECT_EQ(takeUtf16File(folder + L"\\started.txt"), std::to_wstring(show) + L"|" + folder);
    }
}

TEST(ShellOpen, missingPath_fails) {
    EXPECT_FALSE(
        platform::win32::shellOpen(makeFolder(L"Empty") + L"\\missing.exe", SW_SHOWNORMAL));
    EXPECT_FALSE(platform::win32::shellOpen(L"", SW_SHOWNORMAL));
}

TEST(DesktopFolder, isTheShellFoldersValueWhenItNamesAFolder) {
    const wchar_t *const key =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const std::wstring desktop = makeFolder(L"Désktop Ωλ");
    const struct {
        std::optional<std::wstring> value;
        std::wstring folder;
    } cases[] = {
        {desktop, desktop},
        {desktop + L"\\", desktop},
        {std::nullopt, L""},
        {desktop + L"\\missing", L""},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(testing::PrintToString(scenario.value.value_or(L"(missing)")));
        if (scenario.value) {
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Desktop", REG_SZ,
                                      scenario.value->c_str(),
                                      DWORD((scenario.value->size() + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
        } else {
            const LSTATUS deleted = RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"Desktop");
            ASSERT_TRUE(deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND);
        }
        EXPECT_EQ(platform::win32::desktopFolder(), scenario.folder);
    }
}

TEST(ArgumentsAfterProgram, areTheTextAfterTheProgramsPathAsItCame) {
    const struct {
        std::wstring commandLine;
        std::wstring arguments;
    } cases[] = {
        {LR"("C:\Program Files\Runvoy\Runvoy.exe" /o "C:\My Batches\a.rvq")",
         LR"(/o "C:\My Batches\a.rvq")"},
        {LR"(C:\Tools\Runvoy.exe /e "x.rvq")", LR"(/e "x.rvq")"},
        {L"\"Runvoy.exe\"\t \t/o  \"x\" ", L"/o  \"x\" "},
        {LR"(C:\Run"voy x".exe /O)", L"/O"},
        {L"Runvoy.exe", L""},
        {L"", L""},
    };
    for (const auto &scenario : cases) {
        SCOPED_TRACE(testing::PrintToString(scenario.commandLine));
        EXPECT_EQ(platform::win32::argumentsAfterProgram(scenario.commandLine), scenario.arguments);
    }
}

} // namespace
