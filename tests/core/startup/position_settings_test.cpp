#include "core/document/program_error.h"
#include "core/startup/position_settings.h"

#include "tests/support/file_bytes.h"
#include "tests/support/settings_for_test.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace {

// Through the user's real store (on Linux a settings file, made with its folder), beside every
// other key in it.
TEST(PositionSettings, keepsTopAndLeftInTwipsInTheSettingsGroup) {
    testsupport::TemporaryFolder folder;
    const std::filesystem::path file = folder / "Runvoy" / "Runvoy.conf";
    testsupport::emptySettingsStoreAt(file)->store({{"Other", "kept"}});
    const std::unique_ptr<platform::SettingsStore> store = testsupport::settingsStoreAt(file);
    PositionSettings settings(*store);
    EXPECT_EQ(settings.twips(PositionSettings::Top), std::nullopt);
    settings.setPosition(750, -600);
#ifndef _WIN32
    EXPECT_EQ(testsupport::fileBytes(file), "[Settings]\nOther=kept\nTop=750\nLeft=-600\n");
#endif
    EXPECT_EQ(settings.twips(PositionSettings::Top), 750.0);
    EXPECT_EQ(settings.twips(PositionSettings::Left), -600.0);
    settings.forget(PositionSettings::Top);
#ifndef _WIN32
    EXPECT_EQ(testsupport::fileBytes(file), "[Settings]\nOther=kept\nLeft=-600\n");
#endif
    const std::unique_ptr<platform::SettingsStore> reopened = testsupport::settingsStoreAt(file);
    EXPECT_EQ(PositionSettings(*reopened).twips(PositionSettings::Top), std::nullopt);
    EXPECT_EQ(PositionSettings(*reopened).twips(PositionSettings::Left), -600.0);
    EXPECT_EQ(reopened->value("Other"), "kept");
    EXPECT_EQ(settings.problem(), std::nullopt);
}

TEST(PositionSettings, anUnusableCoordinateNamesItsKeyAndStore) {
    testsupport::TemporaryFolder folder;
    const std::unique_ptr<platform::SettingsStore> store =
        testsupport::emptySettingsStoreAt(folder / "Runvoy.conf");
    store->store({{"Top", "abc"}, {"Left", "1e30"}});
#ifdef _WIN32
    const std::string location = "HKEY_CURRENT_USER\\Software\\Runvoy\\Settings";
#else
    const std::string location = (folder / "Runvoy.conf").native();
#endif
    const PositionSettings settings(*store);
    for (const auto &[coordinate, expected] :
         {std::pair{PositionSettings::Top, "\"Top\" in <store> is \"abc\""},
          std::pair{PositionSettings::Left, "\"Left\" in <store> is \"1e30\""}}) {
        std::string message =
            std::string("Type mismatch: the stored ") + expected + ", not a window position";
        message.replace(message.find("<store>"), 7, location);
        try {
            settings.twips(coordinate);
            ADD_FAILURE() << "read without error: " << expected;
        } catch (const ProgramError &failure) {
            EXPECT_EQ(failure.description(), message);
        }
    }
}

} // namespace
