#include "platform/settings_store.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testsupport::TemporaryFolder;

namespace {

TEST(KeyFileStore, keepsWhatItStoresBesideEveryOtherKeyOfItsFile) {
    TemporaryFolder folder;
    const fs::path file = folder / "Runvoy" / "Runvoy.conf";
    platform::settingsStoreInFile(file)->store({{"Other", "kept"}});
    platform::settingsStoreInFile(file)->store({{"Top", "750"}, {"Left", "-600"}});

    const std::unique_ptr<platform::SettingsStore> store = platform::settingsStoreInFile(file);
    EXPECT_EQ(store->value("Top"), "750");
    EXPECT_EQ(store->value("Left"), "-600");
    EXPECT_EQ(store->value("Other"), "kept");
    store->store({{"Top", std::nullopt}});
    EXPECT_EQ(platform::settingsStoreInFile(file)->value("Top"), std::nullopt);
    EXPECT_EQ(platform::settingsStoreInFile(file)->value("Left"), "-600");
    EXPECT_EQ(store->problem(), std::nullopt);
    EXPECT_EQ(store->location(), file.native());
}

struct UnreadableRow {
    const char *name;
    void (*place)(const fs::path &file);
};

class KeyFileStoreUnreadable : public testing::TestWithParam<UnreadableRow> {};

TEST_P(KeyFileStoreUnreadable, readsNothingAndLeavesWhatStandsThereAlone) {
    TemporaryFolder folder;
    const fs::path file = folder / "Runvoy.conf";
    GetParam().place(file);
    const fs::file_type before = fs::symlink_status(file).type();
    const std::unique_ptr<platform::SettingsStore> store = platform::settingsStoreInFile(file);
    EXPECT_EQ(store->value("Top"), std::nullopt);
    EXPECT_EQ(store->problem(), "The settings file " + file.native() + " is not a regular file");
    store->store({{"Top", "750"}});
    EXPECT_EQ(fs::symlink_status(file).type(), before);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Runvoy.conf"});
}

INSTANTIATE_TEST_SUITE_P(Table, KeyFileStoreUnreadable,
                         testing::Values(UnreadableRow{"fifo", testsupport::makeFifo},
                                         UnreadableRow{"link_to_device",
                                                       [](const fs::path &file) {
                                                           fs::create_symlink("/dev/zero", file);
                                                       }}),
                         testsupport::RowName());

} // namespace
