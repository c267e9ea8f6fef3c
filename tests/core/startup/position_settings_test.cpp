#include "core/document/program_error.h"
#include "core/startup/position_settings.h"

#include "tests/support/file_bytes.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace {

// Through the real settings file, made with its folder, and beside every other key in it.
TEST(PositionSettings, keepsTopAndLeftInTwipsInTheSettingsGroup) {
    testsupport::TemporaryFolder folder;
    const std::filesystem::path file = folder / "Runvoy" / "Runvoy.conf";
    platform::settingsStoreInFile(file)->store({{"Other", "kept"}});
    const std::unique_ptr<platform::SettingsStore> store = platform::settingsStoreInFile(file);
    PositionSettings settings(*store);
    EXPECT_EQ(settings.twips(PositionSettings::Top), std::nullopt);
    settings.setPosition(750, -600);
    EXPECT_EQ(testsupport::fileBytes(file), "[Settings]\nOther=kept\nTop=750\nLeft=-600\n");
    EXPECT_EQ(settings.twips(PositionSettings::Top), 750.0);
    EXPECT_EQ(settings.twips(PositionSettings::Left), -600.0);
    settings.forget(PositionSettings::Top);
    EXPECT_EQ(testsupport::fileBytes(file), "[Settings]\nOther=kept\nLeft=-600\n");
    EXPECT_EQ(settings.problem(), std::nullopt);
}

TEST(PositionSettings, anUnusableCoordinateNamesItsKeyAndFile) {
    testsupport::TemporaryFolder folder;
    testsupport::writeFile(folder / "Runvoy.conf", "[Settings]\nTop=abc\nLeft=1e30\n");
    const std::unique_ptr<platform::SettingsStore> store =
        platform::settingsStoreInFile(folder / "Runvoy.conf");
    const PositionSettings settings(*store);
    for (const auto &[coordinate, expected] :
         {std::pair{PositionSettings::Top, "\"Top\" in <file> is \"abc\""},
          std::pair{PositionSettings::Left, "\"Left\" in <file> is \"1e30\""}}) {
        std::string message =
            std::string("Type mismatch: the stored ") + expected + ", not a window position";
        message.replace(message.find("<file>"), 6, (folder / "Runvoy.conf").native());
        try {
            settings.twips(coordinate);
            ADD_FAILURE() << "read without error: " << expected;
        } catch (const ProgramError &failure) {
            EXPECT_EQ(failure.description(), message);
        }
    }
}

} // namespace
