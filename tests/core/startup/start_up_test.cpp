#include "core/startup/start_up.h"
#include "platform/path_text.h"

#include "tests/support/file_bytes.h"
#include "tests/support/settings_for_test.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using Prompts = std::vector<std::string>;

namespace {

// Records the messages start-up shows and what it opens the editor with.
struct RecordingWidgets : WidgetLayer {
    Prompts prompts;
    std::optional<EditorStart> editorStart;

    MessageAnswer message(const Message &message) override {
        prompts.push_back(message.prompt);
        return MessageAnswer::Ok;
    }
    int runEditor(const EditorServices &, const EditorStart &start) override {
        editorStart = start;
        return 0;
    }
};

class StartUp : public testing::Test {
protected:
    StartUp() { fs::create_directory(folder / "Desktop"); }

    // Start-up with an empty command line, as for the plain editor.
    RecordingWidgets start() {
        const std::unique_ptr<platform::SettingsStore> store = testsupport::settingsStoreAt(file);
        PositionSettings settings(*store);
        const StartUpServices services{&settings,          nullptr,       folder / "program",
                                       folder / "Desktop", folder.path(), ""};
        RecordingWidgets widgets;
        EXPECT_EQ(startUp(services, widgets), 0);
        EXPECT_TRUE(widgets.editorStart);
        return widgets;
    }

    testsupport::TemporaryFolder folder;
    const fs::path file = folder / "Runvoy.conf";
};

TEST_F(StartUp, saysThatTheSettingsFileCannotBeReadAndOpensTheEditor) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps the settings in the registry, not in a file";
#endif
    testsupport::place(testsupport::Standing::Fifo, file);
    const RecordingWidgets widgets = start();
    EXPECT_EQ(widgets.prompts, Prompts{"The settings file " + platform::textFromPath(file) +
                                       " is not a regular file; the window's position is "
                                       "neither read nor stored."});
    EXPECT_EQ(widgets.editorStart->top.kind, StoredCoordinate::Nothing);
    EXPECT_TRUE(fs::is_fifo(file));
}

// An unusable coordinate is said once, then forgotten; the other one is kept.
TEST_F(StartUp, reportsAnUnusableStoredCoordinateOnce) {
    testsupport::emptySettingsStoreAt(file)->store({{"Top", "abc"}, {"Left", "450"}});
    RecordingWidgets first = start();
    EXPECT_EQ(first.prompts.size(), 1u);
    EXPECT_EQ(first.editorStart->top.kind, StoredCoordinate::Unusable);
    EXPECT_EQ(first.editorStart->left.twips, 450.0);
    RecordingWidgets second = start();
    EXPECT_EQ(second.prompts, Prompts{});
    EXPECT_EQ(second.editorStart->top.kind, StoredCoordinate::Nothing);
    EXPECT_EQ(testsupport::settingsStoreAt(file)->value("Top"), std::nullopt);
    EXPECT_EQ(testsupport::settingsStoreAt(file)->value("Left"), "450");
}

} // namespace
