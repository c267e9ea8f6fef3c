#include "platform/settings_store.h"

#include "tests/support/file_bytes.h"
#include "tests/support/named_rows.h"
#include "tests/support/temporary_folder.h"

#include <gtest/gtest.h>

// What the store keeps is in the stored position's tests, through the real file.

namespace fs = std::filesystem;
using testsupport::Standing;

namespace {

struct UnreadableRow {
    const char *name;
    Standing standing;
};

class KeyFileStoreUnreadable : public testing::TestWithParam<UnreadableRow> {};

TEST_P(KeyFileStoreUnreadable, readsNothingAndLeavesWhatStandsThereAlone) {
    testsupport::TemporaryFolder folder;
    const fs::path file = folder / "Runvoy.conf";
    testsupport::place(GetParam().standing, file);
    const fs::file_type before = fs::symlink_status(file).type();
    const std::unique_ptr<platform::SettingsStore> store = platform::settingsStoreInFile(file);
    EXPECT_EQ(store->value("Top"), std::nullopt);
    EXPECT_EQ(store->problem(), "The settings file " + file.native() + " is not a regular file");
    store->store({{"Top", "750"}});
    EXPECT_EQ(fs::symlink_status(file).type(), before);
    EXPECT_EQ(folder.names(), std::vector<std::string>{"Runvoy.conf"});
}

INSTANTIATE_TEST_SUITE_P(Table, KeyFileStoreUnreadable,
                         testing::Values(UnreadableRow{"fifo", Standing::Fifo},
                                         UnreadableRow{"link_to_device", Standing::LinkToDevice}),
                         testsupport::RowName());

} // namespace
